#pragma once
// Getting a long tab's first sort by a number ready before the click.

#include <cstddef>
#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "board/SlicedSteps.h"

class wxGridEx;

/// Writes the memory a long tab's first sort by a number takes (the keyed
/// rows, the buffer they are counted into, the tab's sorted keys) a few
/// megabytes at a time while the tab fills: on a million rows the first
/// sort spent half its time on fresh pages, and held the window past a fifth
/// of a second where later sorts took a tenth. Shorter tabs sort fast enough
/// without it and keep no more memory than their sorts take.
class SortWarmup
{
public:
    SortWarmup();
    SortWarmup(const SortWarmup&) = delete;
    SortWarmup& operator=(const SortWarmup&) = delete;

    /// Starts getting `grid`'s sorts of `rows` rows ready when they are
    /// enough to need it; a tab that was being readied gives way.
    void Start(wxGridEx* grid, std::size_t rows);
    bool IsWarming() const { return m_stage < kStages; }
    /// Tabs of at least this many rows are readied (tests lower it).
    void SetRowsWarmed(std::size_t rows) { m_rowsWarmed = rows; }
    /// Runs the next step now (tests).
    void Step();

private:
    static constexpr int kStages = 3;

    wxWeakRef<wxGridEx> m_grid;
    std::size_t m_rows = 0;
    int m_stage = kStages;
    std::size_t m_rowsWarmed = 250000;
    SlicedSteps m_steps;
};
