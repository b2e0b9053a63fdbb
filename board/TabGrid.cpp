// Building one tab's grid and closing a tab.

#include <algorithm>
#include <cstdint>
#include <vector>

#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/BoardColours.h"
#include "board/TickerdeckTable.h"
#include "board/WatchlistGridCellRenderer.h"
#include "contract/Theme.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "model/ColumnSpec.h"

namespace {

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
    table->SetQuoteAges(&m_quotes->Ages());
    table->SetTrendSamples(&m_trends->Samples());

    ApplyGridColours(grid, GetTheme());
    grid->SetSelectionMode(wxGrid::wxGridSelectRows);
    grid->SetCellHighlightPenWidth(0);
    grid->SetColLabelSize(kColumnLabelHeight);
    grid->SetDefaultRowSize(kRowHeight);
    // Drawn columns cost samples and paint time: shown only when asked for,
    // and by a layout that saved them shown.
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        if (IsDrawnColumn(col))
        {
            grid->SetColSize(col, WatchlistGridCellRenderer::kTrendWidth);
            grid->HideCol(col);
        }

    BindGridEvents(grid);
    table->SetCutOffHandler([this, grid](uint32_t columns) { m_fitter->WidenCutOffColumns(grid, columns); });
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
    cells->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        m_fitter->ShowCutOffFigure(event);
        m_features->ForwardGridMouse(BoardEventKind::GridMotion, event);
    });
    cells->Bind(wxEVT_KEY_DOWN, &FeatureRouter::OnGridKeyDown, m_features.get());
    cells->Bind(wxEVT_CHAR, &FeatureRouter::OnGridChar, m_features.get());
    cells->Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& event) {
        m_features->ForwardGridMouse(BoardEventKind::GridRightUp, event);
    });
    for (const auto& button : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MIDDLE_DOWN,
                               wxEVT_MIDDLE_UP})
        cells->Bind(button, &TabSorting::OnGridButton, m_sorting.get());
    grid->Bind(wxEVT_SIZE, &ColumnFitter::OnGridSize, m_fitter.get());
    grid->Bind(wxEVT_GRID_COL_SIZE, &ColumnFitter::OnColumnDragged, m_fitter.get());
    // The grid paints every pixel itself; erasing first only flickers.
    grid->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    if (wxWindow* labels = grid->GetGridColLabelWindow())
        labels->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
}

void Tickerdeck::RemoveTab(wxGridEx* grid)
{
    const auto listed = std::find(m_grids.begin(), m_grids.end(), grid);
    if (listed == m_grids.end())
        return;
    wxWindow* page = grid->GetSplitter();
    m_rows->ClearRows(grid);
    // The table only borrows its filter; the map owns it.
    TableOf(grid)->SetFilter(nullptr);
    m_looks->TabFilters().erase(page);
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
