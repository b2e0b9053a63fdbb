#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <wx/menu.h>
#include <wx/panel.h>

#include "ControlsApi.h"
#include "wxFlatNotebookEvent.h"
#include "wxFlatNotebookImageList.h"

class wxFlatNotebookTabStrip;

// Style bits. The notebook never draws close buttons or drag handles; the bits
// only choose frame lines, so every combination gives a clean flat strip.
// The board uses wxFLATNB_FLAT_TABS | wxFLATNB_STRIP_LINE (72), the settings
// dialog wxFLATNB_FLAT_TABS | wxFLATNB_PAGE_BORDER (24).
enum
{
    /// Flat rectangular tabs without close buttons (the only look there is).
    wxFLATNB_FLAT_TABS = 0x0008,
    /// A border-colour frame around the page area.
    wxFLATNB_PAGE_BORDER = 0x0010,
    /// A border-colour line under the whole tab strip, open below the active tab.
    wxFLATNB_STRIP_LINE = 0x0040
};

/// Themed tab strip over a page area that shows the selected page.
class CONTROLS_API wxFlatNotebook : public wxPanel
{
public:
    wxFlatNotebook(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = 0,
                   const wxString& name = "Flat Notebook");
    ~wxFlatNotebook() override;

    bool AddPage(wxWindow* page, const wxString& text, bool select = false, int imageId = -1);
    bool InsertPage(size_t index, wxWindow* page, const wxString& text, bool select = false,
                    int imageId = -1);
    /// Removes the page and destroys its window.
    bool DeletePage(size_t index);
    /// Removes the page but leaves its window alive (hidden, still our child).
    bool RemovePage(size_t index);
    bool DeleteAllPages();

    size_t GetPageCount() const;
    wxWindow* GetPage(size_t index) const;
    int GetPageIndex(wxWindow* page) const;

    /// -1 while there is no page.
    int GetSelection() const;
    /// Selects with the changing (vetoable) and changed events; returns the old selection.
    int SetSelection(size_t index);
    /// Selects without sending events; returns the old selection.
    int ChangeSelection(size_t index);

    wxString GetPageText(size_t index) const;
    bool SetPageText(size_t index, const wxString& text);
    /// -1 shows no image.
    void SetPageImage(size_t index, int imageId);
    int GetPageImage(size_t index) const;

    /// A count drawn in a badge after the tab's text ("99+" beyond 99); 0
    /// shows none. It is no part of the text: GetPageText never holds it.
    void SetPageBadge(size_t index, int count);
    int GetPageBadge(size_t index) const;
    /// The badge's fill and the colour of its count.
    void SetBadgeColours(const wxColour& fill, const wxColour& text);
    wxColour GetBadgeColour() const { return m_badgeColour; }
    wxColour GetBadgeTextColour() const { return m_badgeTextColour; }

    /// Not owned; must outlive the notebook or be reset to null.
    void SetImageList(wxFlatNotebookImageList* list);
    wxFlatNotebookImageList* GetImageList() const;

    /// Space between a tab's edge and its contents: x on each side, y split above and below.
    void SetPadding(const wxSize& padding);
    wxSize GetPadding() const;

    /// Gives the tool tip of the tab the pointer is on, asked at every move
    /// so that it stays current; empty text for none.
    void SetTabToolTipSource(std::function<wxString(size_t index)> source)
    {
        m_toolTipSource = std::move(source);
    }
    wxString GetTabToolTip(size_t index) const;

    /// Not owned; shown on a right click on a tab after that tab was selected.
    void SetRightClickMenu(wxMenu* menu);
    wxMenu* GetRightClickMenu() const;

    void SetBorderColour(const wxColour& colour);
    wxColour GetBorderColour() const;
    void SetTabAreaColour(const wxColour& colour);
    wxColour GetTabAreaColour() const;
    void SetActiveTabColour(const wxColour& colour);
    wxColour GetActiveTabColour() const;
    void SetActiveTabTextColour(const wxColour& colour);
    wxColour GetActiveTabTextColour() const;
    void SetNonActiveTabTextColour(const wxColour& colour);
    wxColour GetNonActiveTabTextColour() const;

    bool SetBackgroundColour(const wxColour& colour) override;
    bool SetFont(const wxFont& font) override;

    /// Forgets a page whose window is destroyed or reparented behind our back.
    void RemoveChild(wxWindowBase* child) override;

    /// The window that draws the tabs (for tests and for callers that need its size).
    wxWindow* GetTabStrip() const;

    // Entry points of the tab strip; a user action is a vetoable selection.
    void SelectByUser(size_t index);
    void ShowTabContextMenu(size_t index, const wxPoint& stripPosition);

protected:
    wxSize DoGetBestSize() const override;

private:
    struct Page
    {
        wxWindow* window;
        wxString text;
        int image;
        int badge = 0;
    };

    bool IsValidIndex(size_t index) const { return index < m_pages.size(); }
    bool SendChanging(int newSelection);
    void SendChanged(int newSelection, int oldSelection);
    void ShowOnly(int selection);
    void DetachPage(size_t index);
    void LayoutPages();
    wxRect PageAreaRect() const;
    wxRect PageRect() const;
    void RefreshTabs();
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);

    friend class wxFlatNotebookTabStrip;

    std::vector<Page> m_pages;
    int m_selection = -1;
    wxFlatNotebookTabStrip* m_strip = nullptr;
    wxFlatNotebookImageList* m_images = nullptr;
    wxMenu* m_rightClickMenu = nullptr;
    std::function<wxString(size_t)> m_toolTipSource;
    wxSize m_padding{6, 6};
    wxColour m_borderColour;
    wxColour m_tabAreaColour;
    wxColour m_activeTabColour;
    wxColour m_activeTextColour;
    wxColour m_inactiveTextColour;
    wxColour m_badgeColour{*wxRED};
    wxColour m_badgeTextColour{*wxWHITE};

    wxDECLARE_CLASS(wxFlatNotebook);
};
