#include "board/TabRelease.h"

#include <algorithm>

#include "board/BoardRows.h"

namespace {

constexpr std::size_t kSliceRows = 100000;
constexpr std::size_t kRowsPerClockRead = 512;

}  // namespace

TabReleases::TabReleases(BoardRows& rows)
    : m_rows(rows), m_steps([this] { Step(); }, kSliceRows, kRowsPerClockRead)
{
}

void TabReleases::Release(wxGridEx* grid, std::vector<Price*> quotes)
{
    if (quotes.size() <= m_steps.RowsAtOnce())
    {
        for (Price* quote : quotes)
            m_rows.ReleaseRow(grid, quote, 1);
        return;
    }
    m_lists.push_back(List{grid, std::move(quotes), 0});
    m_steps.Soon();
}

bool TabReleases::Step()
{
    if (m_lists.empty())
        return false;
    List& list = m_lists.front();
    list.next = m_steps.Slice(list.next, list.quotes.size(), [this, &list](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i)
            m_rows.ReleaseRow(list.grid, list.quotes[i], 1);
    });
    if (list.next == list.quotes.size())
        m_lists.erase(m_lists.begin());
    if (!m_lists.empty())
        m_steps.Again();
    return true;
}

void TabReleases::Drop()
{
    m_steps.Stop();
    m_lists.clear();
}
