#pragma once
// The order of the rows of a board's tabs.

#include <cstdint>
#include <functional>

#include <wx/timer.h>

#include "board/LongTabSort.h"
#include "board/SortWarmup.h"
#include "model/SortHold.h"

struct Price;
class Tickerdeck;
class wxGridEvent;
class wxGridEx;
class wxMouseEvent;

/// Sorts the board's tabs: the header's three-click cycle, a tab's rows put
/// in the order of its sort column, and the hold that keeps sorted rows
/// where the user aims (a button down, a menu or dialog of the board open,
/// a moment after a click, a tab whose sort the user paused).
class TabSorting
{
public:
    explicit TabSorting(Tickerdeck& board);
    TabSorting(const TabSorting&) = delete;
    TabSorting& operator=(const TabSorting&) = delete;

    /// The price of the grid's first selected row, or null.
    static Price* FirstSelectedPrice(const wxGridEx* grid);
    /// Puts the grid's rows in the order of its sort column, if it has one.
    void SortByItsColumn(wxGridEx* grid);
    /// Rows become the members the tab's filter shows, in the order of the
    /// grid's sort column (else stored order); the grid is told.
    void RearrangeRows(wxGridEx* grid);
    /// A header click: another column starts its cycle descending, the same
    /// one turns, the third click returns to the stored order.
    void OnColumnSort(wxGridEvent& event);
    /// A tab just shown: its first header click returns to the stored order
    /// when it is sorted already.
    void TabShown(const wxGridEx* grid);
    int GetSortClickCount() const { return m_sortClickCount; }

    /// Whether sorted tabs hold their order now is worked out again from
    /// the hold and the board's open dialogs, and a tab released catches up
    /// with its sort.
    void UpdateSortHold();
    /// Pauses or resumes the sort of `grid` ("Pause Sorting").
    void SetSortPaused(wxGridEx* grid, bool paused);
    /// A menu over rows opens (true) or closes: its rows stay in place
    /// meanwhile, and for the moment after a click once it closed.
    void HoldForMenu(bool open);
    /// Milliseconds of the clock the hold reads (tests set it).
    using SteadyClock = std::function<int64_t()>;
    void SetSteadyClock(SteadyClock clock) { m_steadyClock = std::move(clock); }
    /// A mouse button pressed or released on a grid's cells.
    void OnGridButton(wxMouseEvent& event);
    /// Long tabs sorted by a text, sorted off the window's thread.
    LongTabSort& LongSorts() { return m_longSort; }
    /// Long tabs' first sorts by a number, got ready as the tabs fill.
    SortWarmup& Warmup() { return m_warmup; }

private:
    /// Runs `reorder` keeping the selected instrument selected, and tells the grid.
    static void ReorderKeepingSelection(wxGridEx* grid, const std::function<void()>& reorder);
    /// A long tab's sort arrived: its rows take their new order unless the
    /// user is aiming at them.
    void TakeLongSort(wxGridEx* grid, const std::function<void()>& reorder);
    bool HeldByTheUser() const;
    void OnHoldTimer(wxTimerEvent& event);
    bool HasOpenDialog() const;
    int64_t HoldNow() const;

    Tickerdeck& m_board;
    int m_sortClickCount = 1;
    SortHold m_sortHold;
    wxTimer m_holdTimer;
    SteadyClock m_steadyClock;
    LongTabSort m_longSort;
    SortWarmup m_warmup;
};
