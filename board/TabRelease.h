#pragma once
// Letting go of the rows of a large tab a slice at a time.

#include <chrono>
#include <cstddef>
#include <vector>

#include <wx/event.h>
#include <wx/timer.h>

struct Price;
class BoardRows;
class wxGridEx;

/// Releases the quotes of rows a tab no longer shows (re-pointed or closed)
/// a slice at a time from timer events: letting go of a whole exchange at
/// once held the window for seconds. The rows have left the table already,
/// so quotes still coming for them find no row; each released row drops
/// exactly one claim of its grid, so rows the same grid shows again keep
/// theirs, whatever grid now stands at that address.
class TabReleases : public wxEvtHandler
{
public:
    /// Up to this many rows are let go of at once.
    static constexpr std::size_t kRowsAtOnce = 20000;

    explicit TabReleases(BoardRows& rows);
    ~TabReleases() override;
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
    /// Rows a slice releases at most, and how long it may take.
    void SetSliceBounds(std::size_t rows, std::chrono::milliseconds time);
    void SetRowsAtOnce(std::size_t rows) { m_rowsAtOnce = rows; }

private:
    struct List
    {
        wxGridEx* grid;
        std::vector<Price*> quotes;
        std::size_t next = 0;
    };

    void OnTimer(wxTimerEvent& event);

    BoardRows& m_rows;
    std::vector<List> m_lists;
    wxTimer m_timer;
    std::size_t m_sliceRows = 100000;
    std::size_t m_rowsAtOnce = kRowsAtOnce;
    std::chrono::milliseconds m_sliceTime{40};
};
