#pragma once
// How soon a window that keeps changing may paint again.

#include <chrono>

/// Keeps painting to a fixed share of the time while changes stream in: after
/// a paint that took P, the next one waits until `kIdleShare` times P has
/// passed, never longer than `kLongestWait`. A window that paints rarely or
/// quickly is never held back. That rest is for a program with events queued
/// behind the change. One whose queue has drained has caught up: it rests
/// `kDrainedShare` times P, at least a frame (`kFrame`) and at most
/// `kLongestDrainedWait`, so that a few changing cells show within a frame,
/// a screen full of them leaves most of the time to the events, and a slow
/// screen still shows each change soon.
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
    /// Rest after a paint when nothing is queued: fifty frames a second at
    /// most, and painting at most a seventh of the time.
    static constexpr std::chrono::milliseconds kFrame{20};
    static constexpr int kDrainedShare = 6;
    /// A board that keeps up shows a change within this, however long its
    /// paints take: a slow paint then costs a larger share of a time the
    /// board has to spare.
    static constexpr std::chrono::milliseconds kLongestDrainedWait{50};

    void PaintFinished(Clock::time_point started, Clock::time_point finished);
    /// How long to wait from `now` before the next paint; zero when it may
    /// paint at once. `backlogged`: events wait in the queue behind the change.
    Clock::duration WaitFrom(Clock::time_point now, bool backlogged = true) const;

private:
    Clock::time_point m_nextPaint{};
    Clock::time_point m_nextFrame{};
};
