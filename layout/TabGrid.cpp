// Building one tab's grid and fitting its columns to the window width.

#include <cmath>

#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "board/WatchlistGridCellRenderer.h"
#include "controls/wxGridEx.h"
#include "plugin/Theme.h"

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

    ApplyGridColours(grid);
    grid->SetSelectionMode(wxGrid::wxGridSelectRows);
    grid->SetCellHighlightPenWidth(0);
    grid->SetColLabelSize(kColumnLabelHeight);
    grid->SetDefaultRowSize(kRowHeight);

    BindGridEvents(grid);
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
    cells->Bind(wxEVT_RIGHT_UP, &Tickerdeck::OnGridRightUp, this);
    // Flash timers are owned by the grid; their events name the timer, not
    // the grid, so the grid is captured here.
    grid->Bind(wxEVT_TIMER, [grid](wxTimerEvent& event) {
        if (TickerdeckTable* table = TableOf(grid))
            table->OnFlashTimer(event);
    });
    grid->Bind(wxEVT_SIZE, &Tickerdeck::OnGridSize, this);
    // The grid paints every pixel itself; erasing first only flickers.
    grid->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    if (wxWindow* labels = grid->GetGridColLabelWindow())
        labels->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
}

void Tickerdeck::FitColumns(wxGridEx* grid)
{
    grid->AutoSizeColumns(false);

    long total = 0;
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        total += grid->GetColSize(col);

    const int available = grid->GetGridWindow()->GetClientSize().GetWidth();
    if (total > 0 && total < available)
    {
        const double stretch = static_cast<double>(available) / static_cast<double>(total);
        for (int col = 0; col < grid->GetNumberCols(); ++col)
        {
            const int width = grid->GetColSize(col);
            if (width != 0)
                grid->SetColSize(col, static_cast<int>(std::floor(width * stretch)));
        }
    }
    grid->ForceRefresh();
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
