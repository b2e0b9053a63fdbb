// The trend column's sampling: a point of every row of the tabs that show
// it, at a fixed interval, on a timer of its own and never per quote.

#include <algorithm>
#include <cstdlib>

#include <wx/timer.h>
#include <wx/utils.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "model/ColumnSpec.h"

namespace {

// How often the timer asks whether a point is due, at most: a point late by
// more than this would be late on the line. A quarter of the interval when
// that is shorter, so that a late timer does not skip a point.
constexpr std::chrono::milliseconds kTrendCheck{1000};

}  // namespace

std::chrono::milliseconds Tickerdeck::TrendIntervalOfEnvironment()
{
    wxString text;
    long milliseconds = 0;
    if (wxGetEnv("TICKERDECK_TREND_INTERVAL_MS", &text) && text.ToLong(&milliseconds) && milliseconds >= 100)
        return std::chrono::milliseconds(milliseconds);
    return TrendSamples::kInterval;
}

void Tickerdeck::StartTrendTimer()
{
    m_trendSamples = TrendSamples(TrendIntervalOfEnvironment());
    m_trendTimer = std::make_unique<wxTimer>();
    m_trendTimer->Bind(wxEVT_TIMER, [this](wxTimerEvent&) { SampleTrends(TrendSamples::Clock::now()); });
    m_trendTimer->Start(static_cast<int>(std::min(kTrendCheck, m_trendSamples.Interval() / 4).count()));
}

void Tickerdeck::StopTrendTimer()
{
    if (m_trendTimer)
        m_trendTimer->Stop();
}

bool Tickerdeck::ShowsTrend(const wxGridEx* grid)
{
    return grid && grid->GetNumberCols() > column::Trend && grid->GetColSize(column::Trend) > 0;
}

void Tickerdeck::SampleTrends(TrendSamples::Clock::time_point now)
{
    // A history date shows one day's closing quotes: no path to draw.
    if (!GetDateText().empty())
    {
        if (m_trendSamples.Size() > 0)
        {
            m_trendSamples.Clear();
            if (ShowsTrend(m_currentGrid))
                RefreshTrendCells(m_currentGrid);
        }
        return;
    }
    if (!m_trendSamples.Due(now))
        return;
    std::vector<const Price*> watched;
    for (const wxGridEx* grid : m_grids)
        if (ShowsTrend(grid))
        {
            const std::vector<Price*>& members = TableOf(grid)->Members();
            watched.insert(watched.end(), members.begin(), members.end());
        }
    if (watched.empty() && m_trendSamples.Size() == 0)
        return;
    m_trendSamples.Take(watched, now);
    if (!ShowsTrend(m_currentGrid))
        return;
    if (m_currentGrid->GetSortingColumn() == column::Trend)
        SortByItsColumn(m_currentGrid);
    else
        RefreshTrendCells(m_currentGrid);
}

void Tickerdeck::RefreshTrendCells(wxGridEx* grid)
{
    const QuoteGridView::Area area = TableOf(grid)->VisibleArea();
    if (area.lastRow < area.firstRow)
        return;
    wxRect rect = grid->CellToRect(area.firstRow, column::Trend);
    rect.Union(grid->CellToRect(area.lastRow, column::Trend));
    int x = 0;
    int y = 0;
    grid->CalcScrolledPosition(rect.x, rect.y, &x, &y);
    grid->GetGridWindow()->RefreshRect(wxRect(x, y, rect.width, rect.height), false);
}
