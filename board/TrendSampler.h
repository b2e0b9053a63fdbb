#pragma once
// The trend column's points of a board's rows.

#include <chrono>
#include <memory>

#include "model/TrendSamples.h"

class Tickerdeck;
class wxGridEx;
class wxTimer;

/// Takes a point of every row of the tabs that show the trend column at a
/// fixed interval, on a timer of its own and never per quote.
class TrendSampler
{
public:
    explicit TrendSampler(Tickerdeck& board);
    ~TrendSampler();
    TrendSampler(const TrendSampler&) = delete;
    TrendSampler& operator=(const TrendSampler&) = delete;

    /// The recent last prices of the rows of tabs showing the trend column.
    const TrendSamples& Samples() const { return m_samples; }
    /// Takes the trend points due at `now` (the timer calls it): every row
    /// of the tabs that show the trend column, none on a history date,
    /// which forgets them all; then repaints the current tab's trend cells
    /// on screen, or sorts it again when it is sorted by its trend.
    void SampleTrends(TrendSamples::Clock::time_point now);
    /// Drops every point: they were of another day's quotes.
    void Forget() { m_samples.Clear(); }
    /// Stops the timer that samples trends: a test calls SampleTrends itself.
    void StopTrendTimer();
    /// True when `grid` shows the trend column.
    static bool ShowsTrend(const wxGridEx* grid);

private:
    void RefreshTrendCells(wxGridEx* grid);

    Tickerdeck& m_board;
    TrendSamples m_samples;
    std::unique_ptr<wxTimer> m_timer;
};
