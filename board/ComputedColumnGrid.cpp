#include "board/ComputedColumnGrid.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>

#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "model/ColourRules.h"
#include "model/ColumnSpec.h"
#include "model/FilterSet.h"
#include "model/Logger.h"

namespace computed_columns {

namespace {

constexpr int kNewColumnWidth = 80;

void TellGrid(wxGridEx* grid, wxGridTableRequest what, int first, int second)
{
    wxGridTableMessage message(grid->GetTable(), what, first, second);
    grid->ProcessTableMessage(message);
}

/// The tab's filter without conditions on `removed`, those on the computed
/// columns after it moved one to the left.
void DropFilterColumn(Tickerdeck& board, wxGridEx* grid, int removed)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const FilterSet* filter = table->Filter().Get();
    if (!filter)
        return;
    FilterSet::Columns columns;
    for (const auto& [col, conditions] : filter->GetColumns())
        if (col != removed)
            columns[col > removed ? col - 1 : col] = conditions;
    auto narrowed = std::make_unique<FilterSet>(std::move(columns));
    TabLooks::TabFilterMap& filters = board.Looks().TabFilters();
    if (narrowed->IsEmpty())
    {
        table->Filter().Set(nullptr);
        filters.erase(grid->GetSplitter());
        board.Looks().MarkTabFiltered(grid, false);
        return;
    }
    table->Filter().Set(narrowed.get());
    filters[grid->GetSplitter()] = std::move(narrowed);
}

}  // namespace

bool Set(Tickerdeck& board, wxGridEx* grid, size_t index, const ComputedColumnDef& def, FormulaRefusal* why)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    ComputedColumns& computed = table->Format().computed;
    const bool added = index >= computed.Size();
    if (added && computed.Size() >= static_cast<size_t>(kMostComputedColumns))
        return false;
    if (!computed.Set(index, def, why))
        return false;
    if (added)
    {
        TellGrid(grid, wxGRIDTABLE_NOTIFY_COLS_APPENDED, 1, -1);
        grid->SetColSize(grid->GetNumberCols() - 1, kNewColumnWidth);
    }
    // New values may move rows and let others pass the filter.
    board.Sorting().RearrangeRows(grid);
    if (board.Settings().autoFitColumns)
        board.Fitter().FitColumns(grid);
    grid->ForceRefresh();
    return true;
}

void Remove(Tickerdeck& board, wxGridEx* grid, size_t index)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    if (index >= table->Format().computed.Size())
        return;
    const int col = column::Count + static_cast<int>(index);
    const int sorting = grid->GetSortingColumn();
    if (sorting == col)
        grid->UnsetSortingColumn();
    else if (sorting > col)
        grid->SetSortingColumn(sorting - 1, grid->IsSortOrderAscending());
    DropFilterColumn(board, grid, col);
    board.Looks().SetColourRules(grid, RulesWithoutColumn(table->Styler().GetColourRules(), col));
    table->Format().computed.Remove(index);
    TellGrid(grid, wxGRIDTABLE_NOTIFY_COLS_DELETED, col, 1);
    board.Sorting().RearrangeRows(grid);
    grid->ForceRefresh();
}

std::vector<std::string> Restore(wxGridEx* grid, const std::vector<ComputedColumnDef>& defs)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    int added = 0;
    std::vector<std::string> unreadable;
    for (const ComputedColumnDef& def : defs)
    {
        FormulaRefusal why;
        ++added;
        if (table->Format().computed.Set(table->Format().computed.Size(), def, &why))
            continue;
        table->Format().computed.Keep(def);
        unreadable.push_back(def.name);
        LogError("the computed column \"" + def.name + "\" is kept blank: its formula \"" + def.formula +
                 "\" cannot be read (" + why.reason.utf8_string() + ")");
    }
    if (added > 0)
    {
        TellGrid(grid, wxGRIDTABLE_NOTIFY_COLS_APPENDED, added, -1);
        for (int col = grid->GetNumberCols() - added; col < grid->GetNumberCols(); ++col)
            grid->SetColSize(col, kNewColumnWidth);
    }
    return unreadable;
}

std::vector<std::string> Extend(wxGridEx* grid, const std::vector<ComputedColumnDef>& defs)
{
    ComputedColumns& computed = Tickerdeck::TableOf(grid)->Format().computed;
    const size_t had = std::min(computed.Size(), defs.size());
    for (size_t index = 0; index < had; ++index)
        if (computed.Readable(index) && !(computed.Def(index) == defs[index]))
        {
            FormulaRefusal why;
            computed.Set(index, defs[index], &why);  // read before: only the decimals change
        }
    return Restore(grid, std::vector<ComputedColumnDef>(defs.begin() + static_cast<std::ptrdiff_t>(had), defs.end()));
}

}  // namespace computed_columns
