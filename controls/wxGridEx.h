#pragma once

#include <functional>
#include <memory>
#include <utility>

#include <wx/grid.h>
#include <wx/splitter.h>
#include <wx/timer.h>

#include "ControlsApi.h"

class DeferredRefresh;

/// A grid that lives in its own splitter window and paints every part of
/// itself, including the empty area past the last cell, in the colours set on it.
class CONTROLS_API wxGridEx : public wxGrid
{
public:
    /// Creates a splitter child of `parent` (at `pos`, `size`) and the grid as
    /// that splitter's only pane. Destroying the splitter destroys the grid.
    wxGridEx(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = wxWANTS_CHARS,
             const wxString& name = wxPanelNameStr);
    ~wxGridEx() override;

    wxSplitterWindow* GetSplitter() const;

    /// Colour of the area to the right of the last column and below the last row.
    void SetMarginColour(const wxColour& colour);
    wxColour GetMarginColour() const;
    void SetScrollBarColour(const wxColour& colour);
    wxColour GetScrollBarColour() const;
    void SetTipColour(const wxColour& colour);
    wxColour GetTipColour() const;

    bool SetBackgroundColour(const wxColour& colour) override;

    /// What the cell area says while the table has no rows; empty for nothing.
    void SetEmptyText(const wxString& text);
    const wxString& GetEmptyText() const { return m_emptyText; }

    /// The margin rectangles of the grid window, in its client coordinates.
    wxRegion GetMarginRegion() const;

    /// Repaints `area` (unscrolled, in cell-area pixels) as soon as the
    /// grid's repaint budget allows. A grid whose cells change many times a
    /// second then paints only now and then; one that changes now and then
    /// repaints at once.
    void RefreshAreaSoon(const wxRect& area);
    /// Selects or deselects a whole row for a change the program made, not
    /// the user: the row repaints with the grid's other pending changes, as
    /// RefreshAreaSoon says, instead of at once. A row carried along by a
    /// moving quote must not show up a frame ahead of the rows it passed.
    void SetRowSelectedSoon(int row, bool selected);

    /// Runs `prepare` at the start of every paint of the cells, before the
    /// grid reads one: the table may still change its rows there, such as
    /// dropping those whose values no longer belong on screen.
    void SetBeforePaint(std::function<void()> prepare) { m_beforePaint = std::move(prepare); }

    /// Hands the grid a change of its table's row count without the whole
    /// repaint the grid gives every such change: a long tab that loses a row
    /// far below the screen has nothing to repaint. The caller repaints the
    /// rows on screen that moved. The row count changes at once; the
    /// scrollable size follows within kRowCountSettle, once for all the
    /// changes made meanwhile.
    void ProcessRowCountMessage(wxGridTableMessage& message);
    /// Brings the scrollable size up to the row count now, if it lags.
    void SettleRowCount();
    bool IsRowCountSettling() const { return m_rowCountTimer.IsRunning(); }

    /// How long the scrollable size may lag the row count. Resizing the
    /// scroll bars makes the toolkit repaint the whole grid, which on a
    /// filtered tab with rows leaving and coming back at every few quotes
    /// would repaint it for every few quotes.
    static constexpr int kRowCountSettle = 500;  // milliseconds

    /// Where a row starts, unscrolled. Unlike a cell rectangle this does not
    /// consult the cell's attribute, which a table may have to style first.
    int RowTopPosition(int row) const { return GetRowTop(row); }

    // Flat labels: the stock ones draw light 3-D edges that glare on a dark theme.
    void DrawColLabel(wxDC& dc, int col) override;
    void DrawRowLabel(wxDC& dc, int row) override;
    void DrawCornerLabel(wxDC& dc) override;

private:
    class MarginPainter;

    void DrawFlatLabelBox(wxDC& dc, const wxRect& rect) const;
    void DrawSortArrow(wxDC& dc, const wxRect& rect) const;

    void ApplyColoursToParts();
    void WatchHeaderClicks();
    void OnMouseWheel(wxMouseEvent& event);
    void OnRowCountTimer(wxTimerEvent& event);
    void RequestSortBy(int col);
    int HeaderColumnAt(int x) const;
    bool IsNearColumnEdge(int x) const;

    wxSplitterWindow* m_splitter = nullptr;
    MarginPainter* m_marginPainter = nullptr;
    std::unique_ptr<DeferredRefresh> m_deferredRefresh;
    std::function<void()> m_beforePaint;
    wxTimer m_rowCountTimer;
    wxColour m_marginColour;
    wxColour m_scrollBarColour;
    wxColour m_tipColour;
    wxString m_emptyText;
    wxPoint m_headerPress;
    int m_headerPressCol = wxNOT_FOUND;
    int m_headerColPos = wxNOT_FOUND;
    bool m_headerSortSent = false;
    // Wheel travel not yet scrolled, in pixels: a touchpad's small steps add up.
    double m_wheelPixels[2] = {0.0, 0.0};

    wxDECLARE_CLASS(wxGridEx);
};
