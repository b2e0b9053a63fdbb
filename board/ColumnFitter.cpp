// Fitting the columns of a board's tabs to their contents and the window
// width, and the figures cut off in cells that are too narrow.

#include "board/ColumnFitter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <wx/dcclient.h>
#include <wx/grid.h>
#include <wx/intl.h>
#include <wx/settings.h>

#include "board/Tickerdeck.h"
#include "kit/BoardNotice.h"
#include "board/WatchlistGridCellRenderer.h"
#include "controls/wxGridEx.h"
#include "model/ColumnFit.h"
#include "model/ColumnSpec.h"

namespace {

// Long enough to read, short enough not to linger over the toolbar.
constexpr int kAutoFitNoticeMs = 8000;

/// Reaches the grid's own cell attribute lookup (with its cache and
/// defaults) and a column's minimal width, which it keeps protected.
struct GridInternals : wxGrid
{
    static wxGridCellAttrPtr CellAttr(const wxGrid& grid, int row, int col)
    {
        const auto lookup = static_cast<wxGridCellAttr* (wxGrid::*)(int, int) const>(&GridInternals::GetCellAttr);
        return wxGridCellAttrPtr((grid.*lookup)(row, col));
    }

    static int MinimalWidth(const wxGrid& grid, int col)
    {
        const auto lookup = &GridInternals::GetColMinimalWidth;
        return (grid.*lookup)(col);
    }
};

int FirstVisibleRow(const wxGrid* grid)
{
    int x = 0;
    int y = 0;
    grid->CalcUnscrolledPosition(0, 0, &x, &y);
    return grid->YToRow(y, true);
}

int LastVisibleRow(const wxGrid* grid)
{
    int x = 0;
    int y = 0;
    grid->CalcUnscrolledPosition(0, grid->GetGridWindow()->GetClientSize().GetHeight() - 1, &x, &y);
    return grid->YToRow(y, true);
}

/// Which rows decide the width of one column.
struct RowSample
{
    std::vector<int> rows;  // ascending
    int firstVisible = 0;
    int lastVisible = -1;
    bool complete = false;  // every row is in `rows`

    bool IsOnScreen(int row) const { return row >= firstVisible && row <= lastVisible; }
};

RowSample SampleRows(const wxGrid* grid)
{
    RowSample sample;
    sample.firstVisible = FirstVisibleRow(grid);
    sample.lastVisible = LastVisibleRow(grid);
    sample.rows = column_fit::RowsToMeasure(grid->GetNumberRows(), sample.firstVisible, sample.lastVisible);
    sample.complete = static_cast<int>(sample.rows.size()) == grid->GetNumberRows();
    return sample;
}

// Every row of a small tab and every row on screen is measured; of the
// other sampled rows only those with the longest texts, since measuring is
// what costs.
std::vector<int> RowsToMeasureIn(wxGrid* grid, int col, const RowSample& sample)
{
    if (sample.complete)
        return sample.rows;
    std::vector<int> rows;
    std::vector<std::pair<size_t, int>> lengths;
    for (int row : sample.rows)
    {
        if (sample.IsOnScreen(row))
            rows.push_back(row);
        else
            lengths.emplace_back(grid->GetCellValue(row, col).length(), row);
    }
    const std::vector<int> longest = column_fit::RowsWithLongestTexts(std::move(lengths), column_fit::kFitCandidatesPerColumn);
    rows.insert(rows.end(), longest.begin(), longest.end());
    return rows;
}

// The width the grid's own column auto-sizing gives, measured over the
// sample only: the widest cell as its renderer sizes it, or the label if
// wider, plus the grid's 10 pixels of air; the default width for an empty
// column; never below the column's minimal width.
int ContentWidth(wxGrid* grid, wxDC& dc, int col, const RowSample& sample)
{
    int widest = 0;
    for (int row : RowsToMeasureIn(grid, col, sample))
    {
        const wxGridCellAttrPtr attr = GridInternals::CellAttr(*grid, row, col);
        const wxGridCellRendererPtr renderer = attr->GetRendererPtr(grid, row, col);
        if (renderer)
            widest = std::max(widest, renderer->GetBestWidth(*grid, *attr, dc, row, col, grid->GetRowSize(row)));
    }
    dc.SetFont(grid->GetLabelFont());
    wxCoord labelWidth = 0;
    wxCoord labelHeight = 0;
    dc.GetMultiLineTextExtent(grid->GetColLabelValue(col), &labelWidth, &labelHeight);
    widest = std::max(widest, grid->GetColLabelTextOrientation() == wxVERTICAL ? labelHeight : labelWidth);

    const int width = widest > 0 ? widest + 10 : grid->GetDefaultColSize();
    return std::max(width, GridInternals::MinimalWidth(*grid, col));
}

// The content width of every shown column among `columns` (a bit per
// fixed column id, all bits set for every column, computed ones included);
// the others (and hidden columns, width 0) stay 0.
std::vector<int> ContentWidths(wxGrid* grid, uint32_t columns = ~uint32_t{0})
{
    const RowSample sample = SampleRows(grid);
    wxClientDC dc(grid->GetGridWindow());
    std::vector<int> widths(static_cast<size_t>(grid->GetNumberCols()), 0);
    const bool every = columns == ~uint32_t{0};
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        if ((every || (col < 32 && (columns >> col & 1u) != 0)) && grid->GetColSize(col) > 0)
            widths[static_cast<size_t>(col)] = ContentWidth(grid, dc, col, sample);
    return widths;
}

void SetColumnWidths(wxGrid* grid, const std::vector<int>& widths)
{
    // One relayout for all columns instead of one per column.
    wxGridUpdateLocker batch(grid);
    for (int col = 0; col < grid->GetNumberCols(); ++col)
    {
        const int width = widths[static_cast<size_t>(col)];
        if (width > 0 && width != grid->GetColSize(col))
            grid->SetColSize(col, width);
    }
}

}  // namespace

void ColumnFitter::FitColumns(wxGridEx* grid)
{
    FitColumnsTo(grid, ContentWidths(grid));
}

void ColumnFitter::FitColumnsTo(wxGridEx* grid, std::vector<int> widths)
{
    SetColumnWidths(grid, widths);
    // The grid has recomputed its geometry on ending the batch, so its cell
    // window has the width it shows now, also inside a size event.
    const int available = grid->GetGridWindow()->GetClientSize().GetWidth();
    SetColumnWidths(grid, column_fit::StretchToWidth(std::move(widths), available));
    grid->ForceRefresh();
}

void ColumnFitter::WidenCutOffColumns(wxGridEx* grid, uint32_t columns)
{
    // Where the columns are not fitted the mark stays, and the tool tip
    // gives the figure.
    if (!m_board.Settings().autoFitColumns)
        return;
    const std::vector<int> widths = ContentWidths(grid, columns);
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        if (widths[static_cast<size_t>(col)] > grid->GetColSize(col))
        {
            FitColumnsTo(grid, ContentWidths(grid));
            return;
        }
}

void ColumnFitter::ShowCutOffFigure(wxMouseEvent& event)
{
    auto* cells = wxDynamicCast(event.GetEventObject(), wxWindow);
    const std::vector<wxGridEx*>& grids = m_board.Tabs().Grids();
    const auto shown = std::find_if(grids.begin(), grids.end(),
                                    [cells](const wxGridEx* grid) { return grid->GetGridWindow() == cells; });
    if (shown == grids.end())
        return;
    wxGridEx* grid = *shown;
    int x = 0;
    int y = 0;
    grid->CalcUnscrolledPosition(event.GetX(), event.GetY(), &x, &y);
    const int row = grid->YToRow(y);
    const int col = grid->XToCol(x);
    wxString whole;
    if (row != wxNOT_FOUND && col != wxNOT_FOUND && ShowsFigures(col))
    {
        const wxString text = grid->GetTable()->GetValue(row, col);
        wxClientDC dc(cells);
        dc.SetFont(grid->GetDefaultCellFont());
        if (!WatchlistGridCellRenderer::FitsCell(dc.GetTextExtent(text).x, grid->GetColSize(col)))
            whole = text;
    }
    if (whole.empty())
    {
        if (cells->GetToolTip())
            cells->UnsetToolTip();
    }
    else if (cells->GetToolTipText() != whole)
        cells->SetToolTip(whole);
}

void ColumnFitter::FitAllColumns()
{
    for (wxGridEx* grid : m_board.Tabs().Grids())
        FitColumns(grid);
}

void ColumnFitter::OnGridSize(wxSizeEvent& event)
{
    event.Skip();  // the grid still lays out its own windows
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    if (grid && m_board.Settings().autoFitColumns && grid->GetNumberCols() > 0)
        FitColumns(grid);
}

void ColumnFitter::OnColumnLabelsPressed(wxMouseEvent& event)
{
    event.Skip();
    auto* labels = wxDynamicCast(event.GetEventObject(), wxWindow);
    auto* grid = labels ? wxDynamicCast(labels->GetParent(), wxGridEx) : nullptr;
    if (!grid)
        return;
    m_pressedGrid = grid;
    m_pressX = m_releaseX = event.GetX();
    m_widthsAtPress.resize(static_cast<size_t>(grid->GetNumberCols()));
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        m_widthsAtPress[static_cast<size_t>(col)] = grid->GetColSize(col);
}

void ColumnFitter::OnColumnLabelsReleased(wxMouseEvent& event)
{
    event.Skip();
    m_releaseX = event.GetX();
}

void ColumnFitter::OnColumnDragged(wxGridSizeEvent& event)
{
    event.Skip();
    if (!m_board.Settings().autoFitColumns)
        return;
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    const int col = event.GetRowOrCol();
    const int dragThreshold = std::max(1, wxSystemSettings::GetMetric(wxSYS_DRAG_X, grid));
    const bool clicked = grid && grid == m_pressedGrid && col >= 0 &&
                         static_cast<size_t>(col) < m_widthsAtPress.size() &&
                         std::abs(m_releaseX - m_pressX) < dragThreshold;
    m_pressedGrid = nullptr;
    if (clicked)
    {
        grid->SetColSize(col, m_widthsAtPress[static_cast<size_t>(col)]);
        return;
    }
    // The next fit would take the width the user just gave back: the
    // drag itself says the user wants widths of their own.
    m_board.Settings().autoFitColumns = false;
    if (BoardNotice* notice = m_board.Toolbar().Notice())
        notice->SetFor("autofit",
                       _("Auto Fit Column Width is now off for this board, so the column keeps its width "
                         "(Columns menu turns it on again)"),
                       kAutoFitNoticeMs);
}
