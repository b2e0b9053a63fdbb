#include "filter/TabFilter.h"

#include <utility>

#include "board/ColumnFitter.h"
#include "board/RowTargets.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"

namespace {

/// Rows become those of the tab's filter in the order of its sort column.
void ShowFilteredRows(Tickerdeck& board, wxGridEx* grid)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    // Rows already in sort order that only lose some need no new sort: on
    // a long tab the sort is most of the cost of applying a filter.
    if (grid->GetSortingColumn() == wxNOT_FOUND || !table)
    {
        board.Sorting().RearrangeRows(grid);
        return;
    }
    const KeptSelection selected(grid);
    if (!table->Filter().NarrowShownRows())
    {
        board.Sorting().RearrangeRows(grid);
        return;
    }
    grid->BeginBatch();
    SyncRowCount(grid);
    if (!selected.Restore(grid))
        grid->ClearSelection();
    grid->ForceRefresh();
    grid->EndBatch();
}

/// Auto Fit fits what the tab shows: columns fitted while a filter showed
/// nothing would otherwise keep cutting names once rows come back.
void RefitShownRows(Tickerdeck& board, wxGridEx* grid)
{
    if (board.Settings().autoFitColumns)
        board.Fitter().FitColumns(grid);
}

}  // namespace

void SetTabFilter(Tickerdeck& board, wxGridEx* grid, std::unique_ptr<FilterSet> filter)
{
    if (!grid)
        return;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    wxWindow* page = grid->GetSplitter();
    TabLooks::TabFilterMap& filters = board.Looks().TabFilters();
    const auto existing = filters.find(page);
    if (filter && !filter->IsEmpty())
    {
        table->Filter().Set(filter.get());
        ShowFilteredRows(board, grid);
        // The old set goes only now: the table pointed at it until here.
        filters[page] = std::move(filter);
        board.Looks().MarkTabFiltered(grid, true);
        RefitShownRows(board, grid);
        return;
    }
    if (existing != filters.end())
    {
        table->Filter().Set(nullptr);
        board.Sorting().RearrangeRows(grid);
        filters.erase(existing);
        board.Looks().MarkTabFiltered(grid, false);
        RefitShownRows(board, grid);
        return;
    }
    board.Sorting().RearrangeRows(grid);
}
