// Building one tab's grid, fitting its columns to the window width, and a
// tab's release of its rows.

#include <algorithm>
#include <cstdint>
#include <vector>

#include <wx/dcclient.h>
#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/BoardNotice.h"
#include "board/TickerdeckTable.h"
#include "board/WatchlistGridCellRenderer.h"
#include "contract/Theme.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "model/ColumnFit.h"
#include "model/ColumnSpec.h"

namespace {

// Long enough to read, short enough not to linger over the toolbar.
constexpr int kAutoFitNoticeMs = 8000;

constexpr int kColumnLabelHeight = 24;
constexpr int kRowHeight = 22;

void ConfigureGridBehaviour(wxGridEx* grid)
{
    grid->EnableDragColMove(true);
    grid->EnableDragColSize(true);
    grid->EnableEditing(false);
    grid->DisableCellEditControl();
    grid->EnableDragRowSize(false);
    grid->EnableDragGridSize(false);
    grid->SetScrollRate(1, 1);
    grid->EnableGridLines(true);
    grid->HideRowLabels();
    grid->UseNativeColHeader(false);
    grid->SetUseNativeColLabels(true);
}

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
    sample.rows = layout::RowsToMeasure(grid->GetNumberRows(), sample.firstVisible, sample.lastVisible);
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
    const std::vector<int> longest = layout::RowsWithLongestTexts(std::move(lengths), layout::kFitCandidatesPerColumn);
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
// column id); the others (and hidden columns, width 0) stay 0.
std::vector<int> ContentWidths(wxGrid* grid, uint32_t columns = ~uint32_t{0})
{
    const RowSample sample = SampleRows(grid);
    wxClientDC dc(grid->GetGridWindow());
    std::vector<int> widths(static_cast<size_t>(grid->GetNumberCols()), 0);
    for (int col = 0; col < grid->GetNumberCols() && col < 32; ++col)
        if ((columns >> col & 1u) != 0 && grid->GetColSize(col) > 0)
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

wxGridEx* Tickerdeck::CreateTabGrid()
{
    auto* grid = new wxGridEx(this, wxID_ANY, wxPoint(0, 0), wxSize(400, 300),
                              wxHSCROLL | wxVSCROLL, wxPanelNameStr);
    auto* table = new TickerdeckTable();
    table->CanHaveAttributes();  // makes the table create its attribute provider
    grid->SetTable(table, true, wxGrid::wxGridSelectRows);
    grid->SetDefaultRenderer(new WatchlistGridCellRenderer());
    ConfigureGridBehaviour(grid);
    table->SetVolumeInThousands(m_settings.volumeInThousands);
    table->SetQuoteAges(&m_quoteAges);

    ApplyGridColours(grid);
    grid->SetSelectionMode(wxGrid::wxGridSelectRows);
    grid->SetCellHighlightPenWidth(0);
    grid->SetColLabelSize(kColumnLabelHeight);
    grid->SetDefaultRowSize(kRowHeight);

    BindGridEvents(grid);
    table->SetCutOffHandler([this, grid](uint32_t columns) { WidenCutOffColumns(grid, columns); });
    // The grid owns the table: the table lives as long as the grid calls it.
    grid->SetBeforePaint([table] { table->DropRowsOnScreenTheFilterRefuses(); });
    // No sort column yet. The direction flag survives the unset, and the sort
    // cycle sorts against it, so an ascending flag makes the first header
    // click sort descending: the biggest movers and prices come first.
    grid->SetSortingColumn(0, true);
    grid->UnsetSortingColumn();

    m_grids.push_back(grid);
    return grid;
}

void Tickerdeck::BindGridEvents(wxGridEx* grid)
{
    wxWindow* cells = grid->GetGridWindow();
    cells->Bind(wxEVT_MOTION, &Tickerdeck::OnGridMotion, this);
    cells->Bind(wxEVT_KEY_DOWN, &Tickerdeck::OnGridKeyDown, this);
    cells->Bind(wxEVT_CHAR, &Tickerdeck::OnGridChar, this);
    cells->Bind(wxEVT_RIGHT_UP, &Tickerdeck::OnGridRightUp, this);
    for (const auto& button : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MIDDLE_DOWN,
                               wxEVT_MIDDLE_UP})
        cells->Bind(button, &Tickerdeck::OnGridButton, this);
    grid->Bind(wxEVT_SIZE, &Tickerdeck::OnGridSize, this);
    grid->Bind(wxEVT_GRID_COL_SIZE, &Tickerdeck::OnColumnDragged, this);
    // The grid paints every pixel itself; erasing first only flickers.
    grid->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    if (wxWindow* labels = grid->GetGridColLabelWindow())
        labels->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
}

void Tickerdeck::FitColumns(wxGridEx* grid)
{
    FitColumnsTo(grid, ContentWidths(grid));
}

void Tickerdeck::FitColumnsTo(wxGridEx* grid, std::vector<int> widths)
{
    SetColumnWidths(grid, widths);
    // The grid has recomputed its geometry on ending the batch, so its cell
    // window has the width it shows now, also inside a size event.
    const int available = grid->GetGridWindow()->GetClientSize().GetWidth();
    SetColumnWidths(grid, layout::StretchToWidth(std::move(widths), available));
    grid->ForceRefresh();
}

void Tickerdeck::WidenCutOffColumns(wxGridEx* grid, uint32_t columns)
{
    // Where the columns are not fitted the mark stays, and the tool tip
    // gives the figure.
    if (!m_settings.autoFitColumns)
        return;
    const std::vector<int> widths = ContentWidths(grid, columns);
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        if (widths[static_cast<size_t>(col)] > grid->GetColSize(col))
        {
            FitColumnsTo(grid, ContentWidths(grid));
            return;
        }
}

void Tickerdeck::ShowCutOffFigure(wxMouseEvent& event)
{
    auto* cells = wxDynamicCast(event.GetEventObject(), wxWindow);
    const auto shown = std::find_if(m_grids.begin(), m_grids.end(),
                                    [cells](const wxGridEx* grid) { return grid->GetGridWindow() == cells; });
    if (shown == m_grids.end())
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

void Tickerdeck::FitAllColumns()
{
    for (wxGridEx* grid : m_grids)
        FitColumns(grid);
}

void Tickerdeck::OnGridSize(wxSizeEvent& event)
{
    event.Skip();  // the grid still lays out its own windows
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    if (grid && m_settings.autoFitColumns && grid->GetNumberCols() > 0)
        FitColumns(grid);
}

void Tickerdeck::OnColumnDragged(wxGridSizeEvent& event)
{
    event.Skip();
    if (!m_settings.autoFitColumns)
        return;
    // The next fit would take the width the user just gave back: the
    // drag itself says the user wants widths of their own.
    m_settings.autoFitColumns = false;
    if (m_notice)
        m_notice->SetFor("autofit",
                         _("Auto Fit Column Width is now off for this board, so the column keeps its width "
                           "(Columns menu turns it on again)"),
                         kAutoFitNoticeMs);
}

void Tickerdeck::ReleaseTabRow(wxGridEx* grid, Price* price)
{
    ReleaseRow(grid, price);
}

void Tickerdeck::RemoveTab(wxGridEx* grid)
{
    const auto listed = std::find(m_grids.begin(), m_grids.end(), grid);
    if (listed == m_grids.end())
        return;
    wxWindow* page = grid->GetSplitter();
    ClearRows(grid);
    // The table only borrows its filter; the map owns it.
    TableOf(grid)->SetFilter(nullptr);
    m_tabFilters.erase(page);
    m_grids.erase(listed);
    if (m_currentGrid == grid)
        m_currentGrid = nullptr;
    for (size_t index = 0; index < m_notebook->GetPageCount(); ++index)
        if (m_notebook->GetPage(index) == page)
        {
            m_notebook->DeletePage(index);
            break;
        }
}
