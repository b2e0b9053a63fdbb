// Tab activation and the three-step column sort cycle of a grid.

#include <algorithm>

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

int Tickerdeck::FindPage(const wxString& label) const
{
    for (size_t page = 0; page < m_notebook->GetPageCount(); ++page)
        if (m_notebook->GetPageText(page) == label)
            return static_cast<int>(page);
    return wxNOT_FOUND;
}

wxGridEx* Tickerdeck::FindStoredTab(const std::string& name) const
{
    for (size_t page = 0; page < m_notebook->GetPageCount(); ++page)
    {
        wxGridEx* grid = GridOfPage(m_notebook->GetPage(page));
        const TickerdeckTable* table = grid ? TableOf(grid) : nullptr;
        if (table && table->GetTabType() == layout::kStoredWatchlistTab && table->GetWatchlistName() == name)
            return grid;
    }
    return nullptr;
}

int Tickerdeck::PageOfGrid(const wxGridEx* grid) const
{
    for (size_t page = 0; page < m_notebook->GetPageCount(); ++page)
        if (grid && m_notebook->GetPage(page) == grid->GetSplitter())
            return static_cast<int>(page);
    return wxNOT_FOUND;
}

void Tickerdeck::DropRows(wxGridEx* grid, const std::vector<Price*>& quotes)
{
    TickerdeckTable* table = TableOf(grid);
    std::vector<Price*> leaving;
    for (Price* quote : quotes)
        if (quote && table->IsMember(quote))
            leaving.push_back(quote);
    if (leaving.empty())
        return;
    table->RemoveMembers(leaving);
    for (Price* quote : leaving)
        ReleaseTabRow(grid, quote);
    wxGridUpdateLocker batch(grid);
    SyncRowCount(grid);
    grid->ClearSelection();
    grid->ForceRefresh();
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

void Tickerdeck::OnTabActivated(wxFlatNotebookEvent& /*event*/)
{
    FollowNotebookSelection();
}

void Tickerdeck::FollowNotebookSelection()
{
    const int selection = m_notebook->GetSelection();
    wxGridEx* grid = selection == wxNOT_FOUND ? nullptr : GridOfPage(m_notebook->GetPage(static_cast<size_t>(selection)));
    m_currentGrid = grid;
    if (!grid)
        return;
    // Only the current tab follows the quotes: the others' rows may have
    // changed their filter verdicts and their order meanwhile.
    if (grid->GetSortingColumn() != wxNOT_FOUND)
        m_sortClickCount = 0;  // the first header click here returns to the stored order
    if (TableOf(grid)->GetFilter())
        RearrangeRows(grid);
    else
        SortByItsColumn(grid);
    HandKeyboardTo(grid);
}

void Tickerdeck::HandKeyboardTo(wxGridEx* grid)
{
    // The page that had the focus is hidden now, and the toolkit passes the
    // focus on to whatever it finds; the keys belong to the grid on show,
    // and they act on its selected row, so there is one.
    const int rows = grid->GetNumberRows();
    if (rows > 0 && grid->GetSelectedRows().empty())
        grid->SelectRow(std::clamp(grid->GetGridCursorRow(), 0, rows - 1));
    grid->GetGridWindow()->SetFocus();
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
    const int column = event.GetCol();
    if (column == -1)
    {
        ++m_sortClickCount;
        return;
    }
    // The board sets the arrow itself and vetoes the grid's own change, so
    // that arrow and rows cannot disagree whatever the grid would flip.
    event.Veto();
    if (grid->GetSortingColumn() != column)
    {
        // Another column starts its own cycle, at its first step.
        grid->SetSortingColumn(column, false);
        m_sortClickCount = 2;
    }
    else if (m_sortClickCount % 3 == 0)
    {
        grid->UnsetSortingColumn();
        m_sortClickCount = 1;
    }
    else
    {
        grid->SetSortingColumn(column, !grid->IsSortOrderAscending());
        ++m_sortClickCount;
    }
    if (grid->GetSortingColumn() == wxNOT_FOUND)
        RearrangeRows(grid);  // back to the stored order, as filtered
    else
        SortByItsColumn(grid);
}
