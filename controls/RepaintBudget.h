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
    /// display server's drawing of a full grid of text costs two to three
    /// times the handler again, and a program that waits for the server pays
    /// it too. A board flooded with quotes so that every cell on screen
    /// changes repaints about twice a second; a board of a few changing cells
    /// still repaints within milliseconds.
    static constexpr int kIdleShare = 48;
    static constexpr std::chrono::milliseconds kLongestWait{500};

    void PaintFinished(Clock::time_point started, Clock::time_point finished);
    /// How long to wait from `now` before the next paint; zero when it may paint at once.
    Clock::duration WaitFrom(Clock::time_point now) const;

private:
    Clock::time_point m_nextPaint{};
};
