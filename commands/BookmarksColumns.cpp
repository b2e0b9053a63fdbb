#include "commands/BookmarksColumns.h"

#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "controls/wxGridEx.h"

std::vector<int> BookmarksColumns::Commands() const
{
    return {cmd::ToggleBookmark, cmd::ClearBookmarks};
}

void BookmarksColumns::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::ToggleBookmark)
        ToggleBookmark(board);
    else
        ClearBookmarks(board);
}

void BookmarksColumns::ToggleBookmark(Tickerdeck& board)
{
    const RowTargets targets = board.Tabs().CommandTargets();
    wxGridEx* grid = targets.grid;
    Price* quote = targets.First();
    if (!quote)
        return;
    std::set<Instrument*>& bookmarks = Tickerdeck::TableOf(grid)->Members().Bookmarks();
    if (!bookmarks.erase(quote->instrument))
        bookmarks.insert(quote->instrument);
    grid->ForceRefresh();
}

void BookmarksColumns::ClearBookmarks(Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return;
    Tickerdeck::TableOf(grid)->Members().Bookmarks().clear();
    grid->ForceRefresh();
}

void BookmarksColumns::ToggleColumn(Tickerdeck& board, int col)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid || col < 0 || col >= grid->GetNumberCols())
        return;
    // The grid remembers a hidden column's width and gives it back.
    if (grid->GetColSize(col) != 0)
    {
        grid->HideCol(col);
    }
    else
    {
        grid->ShowCol(col);
        if (board.Settings().autoFitColumns)
            board.Fitter().FitColumns(grid);
    }
    grid->ForceRefresh();
}
