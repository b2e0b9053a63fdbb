#pragma once
// Opening a tab of a whole exchange a slice at a time.

#include <cstddef>
#include <vector>

#include <wx/string.h>

#include "board/SlicedSteps.h"

struct Instrument;
class Tickerdeck;
class wxGridEx;

/// Subscribes the rows of long lists a slice at a time from timer events,
/// so the window answers between slices: a million rows took the window
/// away for most of a minute. Each slice appends its rows to the end of its
/// tab, which shows them at once, and the board's notice tells how far the
/// tab is; a stopped fill leaves the rows it reached. A sorted tab is put in
/// order once it is complete.
class TabFills
{
public:
    explicit TabFills(Tickerdeck& board);
    TabFills(const TabFills&) = delete;
    TabFills& operator=(const TabFills&) = delete;

    /// Fills `grid` with `instruments` from now on, a slice now and the
    /// rest from timer events; `label` names the tab in the notice.
    void Start(wxGridEx* grid, std::vector<Instrument*> instruments, const wxString& label);
    /// Runs one slice of the oldest fill; false when none was left.
    bool Step();
    /// Stops the fill of `grid` where it is, its rows as they are, and
    /// returns the instruments it did not reach.
    std::vector<Instrument*> Stop(wxGridEx* grid);
    bool IsFilling(const wxGridEx* grid) const;
    bool IsFillingAny() const { return !m_fills.empty(); }
    /// Its slice bounds, and how long a list is filled at once.
    SlicedSteps& Steps() { return m_steps; }

private:
    struct Fill
    {
        wxGridEx* grid;
        std::vector<Instrument*> instruments;
        std::size_t next = 0;
        wxString label;
    };

    void ShowProgress();
    void Finish(Fill& fill);

    Tickerdeck& m_board;
    std::vector<Fill> m_fills;
    SlicedSteps m_steps;
};
