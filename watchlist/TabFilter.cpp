#include "watchlist/TabFilter.h"

#include <utility>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"

namespace {

constexpr int kFilteredImage = 0;  // the list icon of the board's image list
constexpr int kNoImage = -1;

void ShowPageImage(Tickerdeck& board, wxWindow* page, int image)
{
    wxFlatNotebook* notebook = board.GetNotebook();
    const int index = notebook->GetPageIndex(page);
    if (index != wxNOT_FOUND)
        notebook->SetPageImage(static_cast<size_t>(index), image);
}

}  // namespace

void SetTabFilter(Tickerdeck& board, wxGridEx* grid, std::unique_ptr<FilterSet> filter)
{
    if (!grid)
        return;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    wxWindow* page = grid->GetSplitter();
    Tickerdeck::TabFilterMap& filters = board.TabFilters();
    const auto existing = filters.find(page);
    if (filter && !filter->IsEmpty())
    {
        table->SetFilter(filter.get());
        board.RearrangeRows(grid);
        // The old set goes only now: the table pointed at it until here.
        filters[page] = std::move(filter);
        ShowPageImage(board, page, kFilteredImage);
        return;
    }
    if (existing != filters.end())
    {
        table->SetFilter(nullptr);
        board.RearrangeRows(grid);
        filters.erase(existing);
        ShowPageImage(board, page, kNoImage);
        return;
    }
    board.RearrangeRows(grid);
}
