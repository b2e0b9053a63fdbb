#pragma once

#include <vector>

#include <wx/window.h>

class wxFlatNotebook;

/// The clickable row of tabs at the top of a wxFlatNotebook, with scroll
/// arrows when the tabs are wider than the strip.
class wxFlatNotebookTabStrip : public wxWindow
{
public:
    /// What a point of the strip hits.
    struct Hit
    {
        enum Kind { Nothing, Tab, ScrollLeft, ScrollRight } kind = Nothing;
        int tab = -1;
    };

    explicit wxFlatNotebookTabStrip(wxFlatNotebook* owner);

    /// Recomputes tab widths and the strip height after a change of pages,
    /// font, padding or size.
    void UpdateGeometry();
    /// Scrolls the strip so that the tab is fully visible, if it fits at all.
    void EnsureVisible(int tab);
    /// Moves the first visible tab by `delta` tabs; returns whether it moved.
    bool ScrollTabs(int delta);

    Hit HitTest(const wxPoint& point) const;
    /// The tab's rectangle in strip coordinates (empty when scrolled out).
    wxRect GetTabRect(int tab) const;
    int GetFirstVisibleTab() const { return m_firstVisible; }
    bool HasScrollArrows() const { return m_arrows; }
    int GetStripHeight() const { return m_height; }
    bool AcceptsFocus() const override { return false; }

protected:
    wxSize DoGetBestSize() const override;

private:
    int TabAreaWidth() const;
    int MaxFirstVisible() const;
    wxRect LeftArrowRect() const;
    wxRect RightArrowRect() const;
    void DrawTab(wxDC& dc, int tab, const wxRect& rect) const;
    /// The page's count in a rounded badge starting at `at`, centred in the tab's height.
    void DrawBadge(wxDC& dc, int count, const wxPoint& at, int tabHeight) const;
    void DrawArrow(wxDC& dc, const wxRect& rect, bool left, bool enabled) const;

    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent&) {}
    void OnLeftDown(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);

    wxFlatNotebook* m_owner;
    std::vector<int> m_widths;
    int m_height = 20;
    int m_firstVisible = 0;
    int m_hover = -1;
    bool m_arrows = false;
};
