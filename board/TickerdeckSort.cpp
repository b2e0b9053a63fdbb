// Finding tabs, and following the tab the notebook shows.

#include <algorithm>

#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"

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
    m_sorting->TabShown(grid);
    if (TableOf(grid)->GetFilter())
        m_sorting->RearrangeRows(grid);
    else
        m_sorting->SortByItsColumn(grid);
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


void Tickerdeck::OnColumnSort(wxGridEvent& event)
{
    m_sorting->OnColumnSort(event);
}
