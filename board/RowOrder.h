#pragma once
// The order of one tab's rows by its sort column.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "model/SortKeyCache.h"

struct Price;
class TickerdeckTable;
class TrendSamples;

/// Keeps its table's rows in the order of the grid's sort column: sorting
/// them all, moving a quote's row to its place as the quote changes, the
/// place of a row coming back, and the hold that leaves rows where they are
/// while the user aims at one. Reached by `TickerdeckTable::Order()`.
class RowOrder
{
public:
    explicit RowOrder(TickerdeckTable& table) : m_table(table) {}
    RowOrder(const RowOrder&) = delete;
    RowOrder& operator=(const RowOrder&) = delete;

    /// True when `a` comes before `b` in ascending order of column `col`.
    bool CompareRows(int col, const Price* a, const Price* b) const;
    /// Stable sort; descending sorts the reversed rows so that equal rows swap order.
    void SortRows(int col, bool ascending);
    /// Makes `rows`, the same rows in another order, the order shown; the
    /// caller tells the grid.
    void AdoptOrder(std::vector<Price*> rows);
    /// The row index and the sort keys follow rows rebuilt or put in a new order whole.
    void RowsReordered();
    static bool ColumnChanged(int col, int mask);
    /// Moves a row the grid already counts to where the grid's sort column
    /// puts it; returns its new index.
    int PlaceInSortOrder(int row);

    /// While held, quotes leave every row where it is; whether one would
    /// have moved is remembered, so the sort catches up once released.
    void HoldSort(bool held) { m_sortHeld = held; }
    bool IsSortHeld() const { return m_sortHeld; }
    /// True when a quote changed the sort column's value while held.
    bool IsSortBehind() const { return m_sortBehind; }
    void ClearSortBehind() { m_sortBehind = false; }
    /// "Pause Sorting": holds the order of this tab until resumed.
    void SetSortPaused(bool paused) { m_sortPaused = paused; }
    bool IsSortPaused() const { return m_sortPaused; }
    /// What to start loading for a quote whose event is queued ahead: its
    /// index slot when it is far ahead, its row and sort key when it is near.
    enum class LoadAhead { IndexSlot, RowAndKey };
    void PrefetchQueuedUpdate(const Price& price, int mask, LoadAhead what) const;

    /// The grid's sort as the quote path reads it: the column (wxNOT_FOUND
    /// when unsorted), its direction and the change bits that move a row.
    struct GridSort
    {
        int col = -1;
        bool ascending = true;
        bool numericKey = false;
        uint32_t touchedBy = 0;  // a quote's change mask moves its row when it shares a bit
        double Price::*keyField = nullptr;  // the quote's field sorted by, when it is one
    };
    GridSort CurrentSort() const
    {
        // Each quote of a run asks several times; held, it is a copy.
        if (m_sortHeldForRun && m_runSortRead)
            return m_runSort;
        return ReadCurrentSort();
    }
    /// Quotes handled back to back, with no other handler in between, read
    /// the grid's sort once rather than each: held from the first read until
    /// the run ends or `ReadSortAgain`.
    void HoldSortForRun(bool held);
    /// Something outside the table may have run (a selection handler): the
    /// next read asks the grid again.
    void ReadSortAgain() { m_runSortRead = false; }

    /// Where the trend column reads its points; null draws and sorts none.
    void SetTrendSamples(const TrendSamples* samples) { m_trends = samples; }
    const TrendSamples* GetTrendSamples() const { return m_trends; }
    /// The trend column's figure for `price`: its change over the window.
    std::optional<double> TrendChange(const Price* price) const;

    // For the table
    /// The sort column's keys in row order, when it has numeric ones.
    SortKeyCache& Keys() { return m_sortKeys; }
    /// A quote moved while the sort is held: its row stays, the sort is behind.
    void FallBehind()
    {
        m_sortBehind = true;
        m_sortKeys.Invalidate();
    }
    /// Where a row coming back into a filtered tab belongs: after every row
    /// it does not come before in the grid's sort, or last when unsorted.
    int ReturningRowPlace(const Price& price) const;
    bool SortTouchedBy(int mask) const { return (static_cast<uint32_t>(mask) & CurrentSort().touchedBy) != 0; }
    void PrefetchNeighbours(int row, int col) const
    {
        // With keys the neighbours compared are side by side already.
        if (!m_sortKeys.IsFor(col))
            PrefetchScatteredNeighbours(row, col);
    }
    int MoveIntoSortPosition(int row);

private:
    GridSort ReadGridSort() const;
    GridSort ReadCurrentSort() const;
    void PrefetchForMove(const Price& price, const GridSort& sort) const;
    void PrefetchScatteredNeighbours(int row, int col) const;
    template <typename Before>
    int BubbleIntoPlace(int row, Before before);
    bool ComesBefore(const Price* a, const Price* b, int col, bool ascending) const;
    /// Ascending order of column `col`: the quote's own fields, computed
    /// columns, or for the trend column the change over its window, rows
    /// without one first.
    bool Precedes(int col, const Price& a, const Price& b) const;
    double SortKeyOf(int col, const Price& price) const;
    /// Sorts the rows by one number each, read once per row; ties keep their order.
    void SortRowsByKeys(bool ascending, const std::function<double(const Price*)>& keyOf, int keyCol = -1);

    TickerdeckTable& m_table;
    bool m_sortHeld = false;
    bool m_sortBehind = false;
    bool m_sortPaused = false;
    bool m_sortHeldForRun = false;
    mutable bool m_runSortRead = false;
    mutable GridSort m_runSort;
    SortKeyCache m_sortKeys;                               // numeric sort column, row order
    const TrendSamples* m_trends = nullptr;
};
