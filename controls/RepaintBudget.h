#pragma once
// How soon a window that keeps changing may paint again.

#include <chrono>

/// Keeps painting to a fixed share of the time while changes stream in: after
/// a paint that took P, the next one waits until `kIdleShare` times P has
/// passed, never longer than `kLongestWait`. A window that paints rarely or
/// quickly is never held back.
class RepaintBudget
{
public:
    using Clock = std::chrono::steady_clock;

    /// Rest after a paint, in multiples of the time its handler took. The
    /// toolkit's own work around a paint (layout, composition, the display
    /// server) about equals the handler's, so under a heavy stream of changes
    /// painting takes about a ninth of the time, and a board of a few
    /// changing cells still repaints within milliseconds.
    static constexpr int kIdleShare = 16;
    static constexpr std::chrono::milliseconds kLongestWait{250};

    void PaintFinished(Clock::time_point started, Clock::time_point finished);
    /// How long to wait from `now` before the next paint; zero when it may paint at once.
    Clock::duration WaitFrom(Clock::time_point now) const;

private:
    Clock::time_point m_nextPaint{};
};
