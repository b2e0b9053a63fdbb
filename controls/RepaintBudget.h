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

    /// Time spent not painting per unit of time spent painting: a ninth of
    /// the time at most goes to painting under a heavy stream of changes, and
    /// a board of a few changing cells still repaints within milliseconds.
    static constexpr int kIdleShare = 8;
    static constexpr std::chrono::milliseconds kLongestWait{250};

    void PaintFinished(Clock::time_point started, Clock::time_point finished);
    /// How long to wait from `now` before the next paint; zero when it may paint at once.
    Clock::duration WaitFrom(Clock::time_point now) const;

private:
    Clock::time_point m_nextPaint{};
};
