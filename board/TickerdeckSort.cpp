// Tab activation and the three-step column sort cycle of a grid.

#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"

Price* Tickerdeck::FirstSelectedPrice(const wxGridEx* grid)
{
    const wxArrayInt selected = grid->GetSelectedRows();
    if (selected.empty())
        return nullptr;
    return TableOf(grid)->RowPrice(selected[0]);
}

void Tickerdeck::SelectPrice(wxGridEx* grid, const Price* price)
{
    if (!price)
        return;
    const int row = TableOf(grid)->RowOf(price);
    if (row >= 0)
        grid->SelectRow(row);
}

wxGridEx* Tickerdeck::GridOfPage(wxWindow* page) const
{
    if (!page)
        return nullptr;
    const wxWindowList& children = page->GetChildren();
    wxWindow* first = children.empty() ? nullptr : children.front();
    if (auto* grid = wxDynamicCast(first, wxGridEx))
        return grid;
    if (first && !first->GetChildren().empty())
        if (auto* grid = wxDynamicCast(first->GetChildren().front(), wxGridEx))
            return grid;
    // Pages are normally a grid's splitter; fall back to asking the grids.
    for (wxGridEx* grid : m_grids)
        if (grid->GetSplitter() == page)
            return grid;
    return nullptr;
}

void Tickerdeck::OnTabActivated(wxFlatNotebookEvent& event)
{
    const int selection = event.GetSelection();
    if (selection < 0 || static_cast<size_t>(selection) >= m_notebook->GetPageCount())
        return;
    wxGridEx* grid = GridOfPage(m_notebook->GetPage(selection));
    if (!grid)
        return;
    m_currentGrid = grid;
    TickerdeckTable* table = TableOf(grid);

    if (table->GetFilter())
    {
        table->RebuildRowsFromMembers();
        SyncRowCount(grid);
        grid->ForceRefresh();
    }

    if (grid->GetSortingColumn() == wxNOT_FOUND)
        return;
    // The first header click on this tab then returns to the stored order.
    m_sortClickCount = 0;
    SortByItsColumn(grid);
}

void Tickerdeck::SortByItsColumn(wxGridEx* grid)
{
    const int sortColumn = grid->GetSortingColumn();
    if (sortColumn == wxNOT_FOUND)
        return;
    Price* selected = FirstSelectedPrice(grid);
    TableOf(grid)->SortRows(sortColumn, grid->IsSortOrderAscending());
    SelectPrice(grid, selected);
    grid->ForceRefresh();
}

void Tickerdeck::OnColumnSort(wxGridEvent& event)
{
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    TickerdeckTable* table = TableOf(grid);
    if (!table)
    {
        event.Skip();
        return;
    }
    Price* selected = FirstSelectedPrice(grid);

    if (m_sortClickCount % 3 == 0)
    {
        grid->UnsetSortingColumn();
        table->RebuildRowsFromMembers();
        SyncRowCount(grid);
        SelectPrice(grid, selected);
        grid->ForceRefresh();
        m_sortClickCount = 1;
        event.Veto();
        return;
    }

    const int column = event.GetCol();
    if (column == -1)
    {
        ++m_sortClickCount;
        return;
    }

    if (grid->GetSortingColumn() == wxNOT_FOUND)
        grid->SetSortingColumn(column, grid->IsSortOrderAscending());
    // The grid flips its direction flag once this event returns unvetoed.
    table->SortRows(column, !grid->IsSortOrderAscending());
    SelectPrice(grid, selected);
    grid->ForceRefresh();
    ++m_sortClickCount;
}
