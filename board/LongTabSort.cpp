#include "board/LongTabSort.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include <wx/intl.h>

#include "board/BoardTabs.h"
#include "board/BoardToolbar.h"
#include "board/RowOrder.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "kit/BackgroundWork.h"
#include "kit/BoardNotice.h"
#include "model/KeyedSort.h"
#include "model/NumberText.h"
#include "model/RowComparator.h"

namespace {

const char* const kNoticeKey = "sort";
// Rows that keep changing under a sort (a filtered tab whose rows come and
// go) would never let a result arrive; then the window waits once.
constexpr int kTries = 3;

struct SortedRows
{
    std::vector<Price*> rows;
};

}  // namespace

LongTabSort::LongTabSort(Tickerdeck& board, Reorder reorder)
    : m_board(board), m_reorder(std::move(reorder)), m_workers(&BackgroundWork::Module())
{
}

bool LongTabSort::Takes(const wxGridEx* grid) const
{
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    return table && table->Rows().size() > m_rowsSortedAtOnce && HasInstrumentTextKey(grid->GetSortingColumn());
}

bool LongTabSort::Start(wxGridEx* grid)
{
    return StartTry(grid, 1);
}

bool LongTabSort::StartTry(wxGridEx* grid, int tries)
{
    UnderWay sort;
    sort.id = ++m_lastId;
    sort.col = grid->GetSortingColumn();
    sort.ascending = grid->IsSortOrderAscending();
    sort.tries = tries;
    sort.rows = std::make_shared<const std::vector<Price*>>(Tickerdeck::TableOf(grid)->Rows());
    // The worker reads the instruments' texts only, which nobody changes.
    const auto work = [rows = sort.rows, col = sort.col, ascending = sort.ascending](const std::atomic<bool>&)
        -> BackgroundWork::Result {
        auto sorted = std::make_shared<SortedRows>();
        sorted->rows = *rows;
        SortByText(sorted->rows, col, ascending);
        return sorted;
    };
    // The board lives as long as its window, and its sorting as long as the board.
    const auto deliver = [this, grid, id = sort.id](wxWindow&, const BackgroundWork::Result& result) {
        Arrive(grid, id, std::static_pointer_cast<const SortedRows>(result)->rows);
    };
    m_underWay[grid] = sort;
    try
    {
        m_workers->Start(m_board, work, deliver);
    }
    catch (const std::system_error&)
    {
        m_underWay.erase(grid);
        ShowNotice();
        return false;
    }
    ShowNotice();
    return true;
}

void LongTabSort::Drop(const wxGridEx* grid)
{
    if (m_underWay.erase(grid))
        ShowNotice();
}

void LongTabSort::Arrive(wxGridEx* grid, uint64_t id, const std::vector<Price*>& sorted)
{
    const auto found = m_underWay.find(grid);
    if (found == m_underWay.end() || found->second.id != id)
        return;  // dropped, or another sort of the grid started since
    const UnderWay sort = found->second;
    m_underWay.erase(found);
    ShowNotice();
    if (!IsBoardGrid(grid) || grid->GetSortingColumn() != sort.col || grid->IsSortOrderAscending() != sort.ascending)
        return;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    if (table->Rows() == *sort.rows)
        m_reorder(grid, [table, &sorted] { table->Order().AdoptOrder(sorted); });
    else if (sort.tries >= kTries || !StartTry(grid, sort.tries + 1))
        m_reorder(grid, [table, &sort] { table->Order().SortRows(sort.col, sort.ascending); });
}

bool LongTabSort::IsBoardGrid(const wxGridEx* grid) const
{
    const std::vector<wxGridEx*>& grids = m_board.Tabs().Grids();
    return std::find(grids.begin(), grids.end(), grid) != grids.end();
}

void LongTabSort::ShowNotice()
{
    std::size_t rows = 0;
    for (const auto& [grid, sort] : m_underWay)
        rows += sort.rows->size();
    m_board.Toolbar().Notice()->Set(
        kNoticeKey, rows ? wxString::Format(_("Sorting %s rows..."), GroupedNumberText(static_cast<double>(rows), 0, true))
                         : wxString());
}
