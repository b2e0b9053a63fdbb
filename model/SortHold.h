#pragma once
// When a sorted tab keeps its rows in place instead of following the quotes.

#include <cstdint>

/// Decides whether a sorted grid holds its order: while a mouse button is
/// down on it, while something of the board acts on rows the user aimed at
/// (a menu, a question, a dialog) and for a moment after a click. Times are
/// milliseconds of any steady clock.
class SortHold
{
public:
    /// How long the rows stay after a click, so the next click finds them.
    static constexpr int64_t kAfterClickMs = 1000;

    void Press() { m_pressed = true; }
    void Release(int64_t now);
    /// Something that aims at rows opens (true) or closes (false); they nest.
    void SetOpen(bool open);

    /// True while the rows must keep their order at `now`.
    bool Holds(int64_t now) const;

private:
    bool m_pressed = false;
    int m_open = 0;
    bool m_clicked = false;
    int64_t m_releasedAt = 0;
};
