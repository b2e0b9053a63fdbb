#pragma once
// Letting go of the rows of a large tab a slice at a time.

#include <cstddef>
#include <vector>

#include "board/SlicedSteps.h"

struct Price;
class BoardRows;
class wxGridEx;

/// Releases the quotes of rows a tab no longer shows (re-pointed or closed)
/// a slice at a time from timer events: letting go of a whole exchange at
/// once held the window for seconds. The rows have left the table already,
/// so quotes still coming for them find no row; each released row drops
/// exactly one claim of its grid, so rows the same grid shows again keep
/// theirs, whatever grid now stands at that address.
class TabReleases
{
public:
    explicit TabReleases(BoardRows& rows);
    TabReleases(const TabReleases&) = delete;
    TabReleases& operator=(const TabReleases&) = delete;

    /// Lets go of `quotes` of `grid`, one claim per entry: a long list a
    /// slice now and the rest from timer events.
    void Release(wxGridEx* grid, std::vector<Price*> quotes);
    /// Releases one slice of the oldest list; false when none was left.
    bool Step();
    bool IsReleasing() const { return !m_lists.empty(); }
    /// Forgets what is left, for a board whose subscriptions all went at once.
    void Drop();
    /// Its slice bounds, and how many rows are let go of at once.
    SlicedSteps& Steps() { return m_steps; }

private:
    struct List
    {
        wxGridEx* grid;
        std::vector<Price*> quotes;
        std::size_t next = 0;
    };

    BoardRows& m_rows;
    std::vector<List> m_lists;
    SlicedSteps m_steps;
};
