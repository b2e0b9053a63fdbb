// The trend column's sampling: a point of every row of the tabs that show
// it, at a fixed interval, on a timer of its own and never per quote.

#include "board/TrendSampler.h"

#include <algorithm>
#include <cstdlib>

#include <wx/timer.h>
#include <wx/utils.h>

#include "board/BoardRows.h"
#include "board/TabSorting.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "model/ColumnSpec.h"

namespace {

// How often the timer asks whether a point is due, at most: a point late by
// more than this would be late on the line. A quarter of the interval when
// that is shorter, so that a late timer does not skip a point.
constexpr std::chrono::milliseconds kTrendCheck{1000};

/// The product samples every ten seconds; TICKERDECK_TREND_INTERVAL_MS
/// shortens that for trying the column out.
std::chrono::milliseconds TrendIntervalOfEnvironment()
{
    wxString text;
    long milliseconds = 0;
    if (wxGetEnv("TICKERDECK_TREND_INTERVAL_MS", &text) && text.ToLong(&milliseconds) && milliseconds >= 100)
        return std::chrono::milliseconds(milliseconds);
    return TrendSamples::kInterval;
}

}  // namespace

TrendSampler::TrendSampler(Tickerdeck& board)
    : m_board(board), m_samples(TrendIntervalOfEnvironment()), m_timer(std::make_unique<wxTimer>())
{
    m_timer->Bind(wxEVT_TIMER, [this](wxTimerEvent&) { SampleTrends(TrendSamples::Clock::now()); });
    m_timer->Start(static_cast<int>(std::min(kTrendCheck, m_samples.Interval() / 4).count()));
}

TrendSampler::~TrendSampler() = default;

void TrendSampler::StopTrendTimer()
{
    m_timer->Stop();
}

bool TrendSampler::ShowsTrend(const wxGridEx* grid)
{
    return grid && grid->GetNumberCols() > column::Trend && grid->GetColSize(column::Trend) > 0;
}

void TrendSampler::SampleTrends(TrendSamples::Clock::time_point now)
{
    wxGridEx* current = m_board.Tabs().CurrentGrid();
    // A history date shows one day's closing quotes: no path to draw.
    if (!m_board.Rows().GetDateText().empty())
    {
        if (m_samples.Size() > 0)
        {
            m_samples.Clear();
            if (ShowsTrend(current))
                RefreshTrendCells(current);
        }
        return;
    }
    if (!m_samples.Due(now))
        return;
    std::vector<const Price*> watched;
    for (const wxGridEx* grid : m_board.Tabs().Grids())
        if (ShowsTrend(grid))
        {
            const std::vector<Price*>& members = Tickerdeck::TableOf(grid)->Members().List();
            watched.insert(watched.end(), members.begin(), members.end());
        }
    if (watched.empty() && m_samples.Size() == 0)
        return;
    m_samples.Take(watched, now);
    if (!ShowsTrend(current))
        return;
    if (current->GetSortingColumn() == column::Trend)
        m_board.Sorting().SortByItsColumn(current);
    else
        RefreshTrendCells(current);
}

void TrendSampler::RefreshTrendCells(wxGridEx* grid)
{
    const QuoteGridView::Area area = Tickerdeck::TableOf(grid)->View().VisibleArea();
    if (area.lastRow < area.firstRow)
        return;
    wxRect rect = grid->CellToRect(area.firstRow, column::Trend);
    rect.Union(grid->CellToRect(area.lastRow, column::Trend));
    int x = 0;
    int y = 0;
    grid->CalcScrolledPosition(rect.x, rect.y, &x, &y);
    grid->GetGridWindow()->RefreshRect(wxRect(x, y, rect.width, rect.height), false);
}
