#include "board/TabFill.h"

#include <algorithm>

#include <wx/intl.h>

#include "kit/BoardNotice.h"
#include "board/TabSorting.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "model/NumberText.h"

namespace {

const char kNoticeKey[] = "tab-fill";
constexpr std::size_t kSliceRows = 50000;
constexpr std::size_t kRowsPerClockRead = 256;

wxString Count(std::size_t count)
{
    return GroupedNumberText(static_cast<double>(count), 0, true);
}

}  // namespace

TabFills::TabFills(Tickerdeck& board)
    : m_board(board), m_steps([this] { Step(); }, kSliceRows, kRowsPerClockRead)
{
}

void TabFills::Start(wxGridEx* grid, std::vector<Instrument*> instruments, const wxString& label)
{
    Stop(grid);
    if (TickerdeckTable* table = Tickerdeck::TableOf(grid))
    {
        const std::size_t rows = table->Members().List().size() + instruments.size();
        table->Members().Reserve(rows);
        m_board.Sorting().Warmup().Start(grid, rows);
    }
    m_fills.push_back(Fill{grid, std::move(instruments), 0, label});
    Step();
}

bool TabFills::IsFilling(const wxGridEx* grid) const
{
    return std::any_of(m_fills.begin(), m_fills.end(), [grid](const Fill& fill) { return fill.grid == grid; });
}

bool TabFills::Step()
{
    if (m_fills.empty())
        return false;
    Fill& fill = m_fills.front();
    fill.next = m_steps.Slice(fill.next, fill.instruments.size(), [this, &fill](std::size_t begin, std::size_t end) {
        m_board.Rows().SubscribeSlice(fill.grid, fill.instruments.data() + begin, end - begin);
    });
    fill.grid->BeginBatch();
    SyncRowCount(fill.grid);
    fill.grid->EndBatch();
    if (fill.next == fill.instruments.size())
    {
        Fill done = std::move(fill);
        m_fills.erase(m_fills.begin());
        Finish(done);
    }
    ShowProgress();
    if (!m_fills.empty())
        m_steps.Again();
    return true;
}

std::vector<Instrument*> TabFills::Stop(wxGridEx* grid)
{
    std::vector<Instrument*> left;
    const auto found =
        std::find_if(m_fills.begin(), m_fills.end(), [grid](const Fill& fill) { return fill.grid == grid; });
    if (found == m_fills.end())
        return left;
    left.assign(found->instruments.begin() + static_cast<std::ptrdiff_t>(found->next), found->instruments.end());
    m_fills.erase(found);
    ShowProgress();
    if (m_fills.empty())
        m_steps.Stop();
    return left;
}

void TabFills::Finish(Fill& fill)
{
    // Rows joined the end of the tab as they came; a sorted tab is put in
    // order once, not moved under the pointer at every slice.
    if (fill.grid->GetSortingColumn() != wxNOT_FOUND)
        m_board.Sorting().RearrangeRows(fill.grid);
}

void TabFills::ShowProgress()
{
    BoardNotice* notice = m_board.Toolbar().Notice();
    if (!notice)
        return;
    if (m_fills.empty())
    {
        notice->Set(kNoticeKey, wxString());
        return;
    }
    const Fill& fill = m_fills.front();
    notice->Set(kNoticeKey, wxString::Format(_("Opening %s: %s of %s rows (Esc stops)"), fill.label,
                                             Count(fill.next), Count(fill.instruments.size())));
}
