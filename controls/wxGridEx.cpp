#include "wxGridEx.h"

#include "DeferredRefresh.h"
#include "PaintDamage.h"

#include <algorithm>
#include <cstdlib>

#include <wx/settings.h>

#include <wx/dcclient.h>
#include <wx/region.h>

wxIMPLEMENT_CLASS(wxGridEx, wxGrid);

/// Paints the grid window's margin after the grid has drawn its cells. It sits
/// in front of the grid window's own handler so it can run that one first.
class wxGridEx::MarginPainter : public wxEvtHandler
{
public:
    MarginPainter(wxGridEx* grid, DeferredRefresh* deferred) : m_grid(grid), m_deferred(deferred)
    {
        Bind(wxEVT_PAINT, &MarginPainter::OnPaint, this);
    }

private:
    void OnPaint(wxPaintEvent& event)
    {
        if (m_grid->m_beforePaint)
            m_grid->m_beforePaint();
        // A quote board invalidates scattered cells; painting only those,
        // not their bounding box, is most of what a busy board costs.
        NarrowUpdateRegionToDamage(m_grid->GetGridWindow());
        m_deferred->PaintStarted();
        wxEvtHandler* gridWindowHandler = GetNextHandler();
        if (gridWindowHandler)
            gridWindowHandler->ProcessEventLocally(event);
        m_deferred->PaintFinished();
        const wxColour margin = m_grid->GetMarginColour();
        if (!margin.IsOk())
            return;
        wxRegion region = m_grid->GetMarginRegion();
        if (region.IsEmpty())
            return;
        wxPaintDC dc(m_grid->GetGridWindow());
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(margin));
        for (wxRegionIterator it(region); it; ++it)
            dc.DrawRectangle(it.GetRect());
        if (m_grid->GetNumberRows() == 0 && !m_grid->GetEmptyText().empty())
            DrawEmptyText(dc);
    }

    void DrawEmptyText(wxDC& dc)
    {
        // Near the top, where the first row would be, so that it is seen
        // however tall the window is.
        const wxSize area = m_grid->GetGridWindow()->GetClientSize();
        dc.SetFont(m_grid->GetDefaultCellFont());
        dc.SetTextForeground(m_grid->GetDefaultCellTextColour());
        const wxSize text = dc.GetTextExtent(m_grid->GetEmptyText());
        dc.DrawText(m_grid->GetEmptyText(), std::max(0, (area.x - text.x) / 2), m_grid->GetDefaultRowSize());
    }

    wxGridEx* m_grid;
    DeferredRefresh* m_deferred;
};

wxGridEx::wxGridEx(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                   long style, const wxString& name)
{
    m_splitter = new wxSplitterWindow(parent, wxID_ANY, pos, size,
                                      wxSP_NOBORDER | wxSP_LIVE_UPDATE | wxSP_3DSASH);
    Create(m_splitter, id, wxDefaultPosition, size, style, name);
    m_splitter->Initialize(this);

    m_deferredRefresh = std::make_unique<DeferredRefresh>(this);
    m_marginPainter = new MarginPainter(this, m_deferredRefresh.get());
    GetGridWindow()->PushEventHandler(m_marginPainter);
    WatchHeaderClicks();
    // The grid's own windows hand their wheel events to the grid.
    Bind(wxEVT_MOUSEWHEEL, &wxGridEx::OnMouseWheel, this);
    m_rowCountTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &wxGridEx::OnRowCountTimer, this, m_rowCountTimer.GetId());
}

void wxGridEx::OnMouseWheel(wxMouseEvent& event)
{
    // Grids scroll by the pixel, so that a row can be brought into view
    // exactly; left to the toolkit a wheel notch would then move three
    // pixels. A notch moves a list's "lines", which for a grid are rows.
    const bool horizontalAxis = event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL;
    // Shift turns the wheel sideways, as in the toolkit's own lists.
    const bool horizontal = horizontalAxis || event.ShiftDown();
    const int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    int lines = horizontalAxis ? event.GetColumnsPerAction() : event.GetLinesPerAction();
    if (lines <= 0)
        lines = 3;
    int visible = 0;
    if (horizontal)
        GetGridWindow()->GetClientSize(&visible, nullptr);
    else
        GetGridWindow()->GetClientSize(nullptr, &visible);
    const double perNotch = event.IsPageScroll() ? std::max(visible, 1) : double(lines) * GetDefaultRowSize();
    // A positive rotation scrolls up, or right on the horizontal axis.
    const double sign = horizontalAxis ? 1.0 : -1.0;
    int unitX = 1;
    int unitY = 1;
    GetScrollPixelsPerUnit(&unitX, &unitY);
    const int unit = std::max(horizontal ? unitX : unitY, 1);
    double& pending = m_wheelPixels[horizontal ? 0 : 1];
    pending += sign * event.GetWheelRotation() * perNotch / delta;
    const int units = static_cast<int>(pending / unit);
    if (units == 0)
        return;
    pending -= double(units) * unit;

    int x = 0;
    int y = 0;
    GetViewStart(&x, &y);
    if (horizontal)
        Scroll(x + units, -1);
    else
        Scroll(-1, y + units);
}

void wxGridEx::WatchHeaderClicks()
{
    // With column dragging on, the toolkit treats every header press as the
    // start of a move and never reports the click as a sort request. Watch
    // the press and release ourselves and ask for the sort when the mouse
    // did not travel and nothing else already did.
    wxWindow* labels = GetGridColLabelWindow();
    labels->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        m_headerPress = event.GetPosition();
        m_headerPressCol = HeaderColumnAt(event.GetX());
        m_headerColPos = m_headerPressCol == wxNOT_FOUND ? wxNOT_FOUND : GetColPos(m_headerPressCol);
        m_headerSortSent = false;
        event.Skip();
    });
    labels->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        event.Skip();
        const int col = m_headerPressCol;
        m_headerPressCol = wxNOT_FOUND;
        if (col == wxNOT_FOUND || m_headerSortSent || !CanDragColMove())
            return;
        const wxPoint travel = event.GetPosition() - m_headerPress;
        const int slop = wxSystemSettings::GetMetric(wxSYS_DRAG_X, this);
        if (std::abs(travel.x) > std::max(slop, 2) || HeaderColumnAt(event.GetX()) != col ||
            GetColPos(col) != m_headerColPos || IsNearColumnEdge(event.GetX()))
            return;
        RequestSortBy(col);
    });
    Bind(wxEVT_GRID_COL_SORT, [this](wxGridEvent& event) {
        m_headerSortSent = true;
        event.Skip();
    });
}

void wxGridEx::RequestSortBy(int col)
{
    // The same contract as a toolkit header click: a handled, unvetoed sort
    // event makes the column the sort column, flipping a repeated one.
    if (SendEvent(wxEVT_GRID_COL_SORT, -1, col) == 1)
    {
        SetSortingColumn(col, IsSortingBy(col) ? !IsSortOrderAscending() : true);
        Refresh();
    }
}

int wxGridEx::HeaderColumnAt(int x) const
{
    int unscrolled = 0;
    CalcUnscrolledPosition(x, 0, &unscrolled, nullptr);
    return XToCol(unscrolled);
}

bool wxGridEx::IsNearColumnEdge(int x) const
{
    int unscrolled = 0;
    CalcUnscrolledPosition(x, 0, &unscrolled, nullptr);
    return XToEdgeOfCol(unscrolled) != wxNOT_FOUND;
}

wxGridEx::~wxGridEx()
{
    // The grid window must not be destroyed with a foreign handler on its stack.
    if (m_marginPainter)
        GetGridWindow()->RemoveEventHandler(m_marginPainter);
    delete m_marginPainter;
}

void wxGridEx::RefreshAreaSoon(const wxRect& area)
{
    m_deferredRefresh->Add(area);
}

void wxGridEx::SetRowSelectedSoon(int row, bool selected)
{
    if (row < 0 || row >= GetNumberRows())
        return;
    // The selection repaints what it changed at once unless the grid is in
    // a batch; a batch's end would repaint everything, so it is held open
    // by hand for just this call.
    ++m_batchCount;
    if (selected)
        SelectRow(row, true);
    else
        DeselectRow(row);
    --m_batchCount;
    RefreshAreaSoon(wxRect(0, GetRowTop(row), std::max(GetVirtualSize().x, GetGridWindow()->GetClientSize().x),
                           GetRowHeight(row)));
}

wxSplitterWindow* wxGridEx::GetSplitter() const
{
    return m_splitter;
}

void wxGridEx::SetMarginColour(const wxColour& colour)
{
    m_marginColour = colour;
    GetGridWindow()->Refresh();
}

wxColour wxGridEx::GetMarginColour() const
{
    return m_marginColour;
}

void wxGridEx::SetScrollBarColour(const wxColour& colour)
{
    // Native scroll bars cannot be recoloured; the splitter around the grid,
    // which shows where the bars meet, can.
    m_scrollBarColour = colour;
    m_splitter->SetBackgroundColour(colour);
    m_splitter->Refresh();
}

wxColour wxGridEx::GetScrollBarColour() const
{
    return m_scrollBarColour;
}

void wxGridEx::SetTipColour(const wxColour& colour)
{
    m_tipColour = colour;
}

wxColour wxGridEx::GetTipColour() const
{
    return m_tipColour;
}

bool wxGridEx::SetBackgroundColour(const wxColour& colour)
{
    if (!wxGrid::SetBackgroundColour(colour))
        return false;
    ApplyColoursToParts();
    return true;
}

void wxGridEx::ApplyColoursToParts()
{
    const wxColour colour = GetBackgroundColour();
    GetGridWindow()->SetBackgroundColour(colour);
    if (!m_scrollBarColour.IsOk())
        m_splitter->SetBackgroundColour(colour);
    Refresh();
}

void wxGridEx::SetEmptyText(const wxString& text)
{
    if (text == m_emptyText)
        return;
    m_emptyText = text;
    GetGridWindow()->Refresh();
}

wxRegion wxGridEx::GetMarginRegion() const
{
    int cellsWidth = 0;
    for (int col = 0; col < GetNumberCols(); ++col)
        cellsWidth += GetColSize(col);
    // Rows can number tens of thousands; the last one's bottom is their height.
    const int rows = GetNumberRows();
    const int cellsHeight = rows > 0 ? CellToRect(rows - 1, 0).GetTop() + GetRowSize(rows - 1) : 0;

    int right = 0;
    int bottom = 0;
    CalcScrolledPosition(cellsWidth, cellsHeight, &right, &bottom);
    const wxSize client = GetGridWindow()->GetClientSize();

    wxRegion region;
    if (right < client.x)
        region.Union(wxRect(right, 0, client.x - right, client.y));
    if (bottom < client.y && right > 0)
        region.Union(wxRect(0, bottom, std::min(right, client.x), client.y - bottom));
    return region;
}

void wxGridEx::DrawFlatLabelBox(wxDC& dc, const wxRect& rect) const
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(GetLabelBackgroundColour()));
    dc.DrawRectangle(rect);
    dc.SetPen(wxPen(GetGridLineColour()));
    dc.DrawLine(rect.GetRight(), rect.GetTop(), rect.GetRight(), rect.GetBottom() + 1);
    dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
}

void wxGridEx::DrawSortArrow(wxDC& dc, const wxRect& rect) const
{
    const int half = 3;
    const int cx = rect.GetRight() - 8;
    const int cy = rect.y + rect.height / 2;
    wxPoint points[3];
    if (IsSortOrderAscending())
    {
        points[0] = wxPoint(cx, cy - half);
        points[1] = wxPoint(cx - half, cy + half - 1);
        points[2] = wxPoint(cx + half, cy + half - 1);
    }
    else
    {
        points[0] = wxPoint(cx, cy + half);
        points[1] = wxPoint(cx - half, cy - half + 1);
        points[2] = wxPoint(cx + half, cy - half + 1);
    }
    dc.SetPen(wxPen(GetLabelTextColour()));
    dc.SetBrush(wxBrush(GetLabelTextColour()));
    dc.DrawPolygon(3, points);
}

void wxGridEx::DrawColLabel(wxDC& dc, int col)
{
    if (GetColWidth(col) <= 0 || GetColLabelSize() <= 0)
        return;
    const wxRect rect(GetColLeft(col), 0, GetColWidth(col), GetColLabelSize());
    DrawFlatLabelBox(dc, rect);

    wxRect textRect = rect.Deflate(2, 2);
    if (IsSortingBy(col))
    {
        DrawSortArrow(dc, rect);
        textRect.width = std::max(0, textRect.width - 12);
    }
    int horizontal = 0;
    int vertical = 0;
    GetColLabelAlignment(&horizontal, &vertical);
    wxGridColumnHeaderRendererDefault().DrawLabel(*this, dc, GetColLabelValue(col), textRect,
                                                  horizontal, vertical, GetColLabelTextOrientation());
}

void wxGridEx::DrawRowLabel(wxDC& dc, int row)
{
    if (GetRowHeight(row) <= 0 || GetRowLabelSize() <= 0)
        return;
    const wxRect rect(0, GetRowTop(row), GetRowLabelSize(), GetRowHeight(row));
    DrawFlatLabelBox(dc, rect);
    int horizontal = 0;
    int vertical = 0;
    GetRowLabelAlignment(&horizontal, &vertical);
    wxGridRowHeaderRendererDefault().DrawLabel(*this, dc, GetRowLabelValue(row), rect.Deflate(2, 2),
                                               horizontal, vertical, wxHORIZONTAL);
}

void wxGridEx::DrawCornerLabel(wxDC& dc)
{
    const wxRect rect(0, 0, GetRowLabelSize(), GetColLabelSize());
    if (rect.IsEmpty())
        return;
    DrawFlatLabelBox(dc, rect);
    int horizontal = 0;
    int vertical = 0;
    GetCornerLabelAlignment(&horizontal, &vertical);
    wxGridCornerHeaderRendererDefault().DrawLabel(*this, dc, GetCornerLabelValue(), rect.Deflate(2, 2),
                                                  horizontal, vertical, GetCornerLabelTextOrientation());
}

void wxGridEx::ProcessRowCountMessage(wxGridTableMessage& message)
{
    // Inside a batch the grid only records the change; its sizes and
    // scroll bars follow when the timer ends, or at the end of any batch.
    ++m_batchCount;
    ProcessTableMessage(message);
    --m_batchCount;
    if (!m_rowCountTimer.IsRunning())
        m_rowCountTimer.StartOnce(kRowCountSettle);
}

void wxGridEx::SettleRowCount()
{
    if (!m_rowCountTimer.IsRunning())
        return;
    m_rowCountTimer.Stop();
    CalcDimensions();
}

void wxGridEx::OnRowCountTimer(wxTimerEvent& /*event*/)
{
    CalcDimensions();
}
