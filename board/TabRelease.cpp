#include "board/TabRelease.h"

#include <algorithm>

#include "board/BoardRows.h"

namespace {

// Between slices the loop paints and takes input; the clock is read this
// often within a slice.
constexpr int kPauseMs = 15;
constexpr std::size_t kRowsPerClockRead = 512;

}  // namespace

TabReleases::TabReleases(BoardRows& rows) : m_rows(rows), m_timer(this)
{
    Bind(wxEVT_TIMER, &TabReleases::OnTimer, this);
}

TabReleases::~TabReleases()
{
    m_timer.Stop();
}

void TabReleases::SetSliceBounds(std::size_t rows, std::chrono::milliseconds time)
{
    m_sliceRows = std::max<std::size_t>(rows, 1);
    m_sliceTime = time;
}

void TabReleases::Release(wxGridEx* grid, std::vector<Price*> quotes)
{
    if (quotes.size() <= m_rowsAtOnce)
    {
        for (Price* quote : quotes)
            m_rows.ReleaseRow(grid, quote, 1);
        return;
    }
    m_lists.push_back(List{grid, std::move(quotes), 0});
    if (!m_timer.IsRunning())
        m_timer.StartOnce(kPauseMs);
}

bool TabReleases::Step()
{
    if (m_lists.empty())
        return false;
    List& list = m_lists.front();
    const auto start = std::chrono::steady_clock::now();
    const std::size_t last = std::min(list.quotes.size(), list.next + m_sliceRows);
    while (list.next < last)
    {
        const std::size_t end = std::min(last, list.next + kRowsPerClockRead);
        for (; list.next < end; ++list.next)
            m_rows.ReleaseRow(list.grid, list.quotes[list.next], 1);
        if (std::chrono::steady_clock::now() - start >= m_sliceTime)
            break;
    }
    if (list.next == list.quotes.size())
        m_lists.erase(m_lists.begin());
    if (!m_lists.empty())
        m_timer.StartOnce(kPauseMs);
    return true;
}

void TabReleases::Drop()
{
    m_timer.Stop();
    m_lists.clear();
}

void TabReleases::OnTimer(wxTimerEvent&)
{
    Step();
}
