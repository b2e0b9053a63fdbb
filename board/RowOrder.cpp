#include "board/RowOrder.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "board/TickerdeckTable.h"
#include "contract/Records.h"
#include "controls/wxGridEx.h"
#include "model/ColumnSpec.h"
#include "model/KeyedSort.h"
#include "model/Prefetch.h"
#include "model/RowComparator.h"
#include "model/TrendSamples.h"

bool RowOrder::CompareRows(int col, const Price* a, const Price* b) const
{
    if (!a || !b)
        return false;
    return Precedes(col, *a, *b);
}

bool RowOrder::Precedes(int col, const Price& a, const Price& b) const
{
    if (IsComputedColumn(col))
        return ComputedSortKey(col, a, m_table.Format().computed) < ComputedSortKey(col, b, m_table.Format().computed);
    if (col != column::Trend)
        return ::CompareRows(col, a, b);
    const std::optional<double> first = TrendChange(&a);
    const std::optional<double> second = TrendChange(&b);
    return second && (!first || *first < *second);
}

double RowOrder::SortKeyOf(int col, const Price& price) const
{
    return IsComputedColumn(col) ? ComputedSortKey(col, price, m_table.Format().computed) : NumericSortKey(col, price);
}

void RowOrder::SortRows(int col, bool ascending)
{
    if (col == column::Trend)
        SortRowsByKeys(ascending, [this](const Price* price) {
            return TrendChange(price).value_or(-std::numeric_limits<double>::infinity());
        });
    else if (HasNumericSortKey(col))
    {
        // Comparing quotes scattered in the host's memory cost a million-row
        // tab more than a second; their keys side by side sort in a tenth.
        // The keys read for the sort become the cache the next quote's move
        // reads: reading them again, scattered, held the window once more.
        std::vector<double> keys = m_sortKeys.TakeBuffer();
        SortByKeysReadOnce(m_table.m_rows, ascending, [this, col](const Price* price) { return SortKeyOf(col, *price); },
                           SortKeyAddress, col, &keys);
        RowsReordered();
        m_sortKeys.Adopt(col, std::move(keys));
        return;
    }
    else if (HasTextSortKey(col))
        SortByText(m_table.m_rows, col, ascending);
    else if (ascending)
    {
        std::stable_sort(m_table.m_rows.begin(), m_table.m_rows.end(),
                         [this, col](const Price* a, const Price* b) { return Precedes(col, *a, *b); });
    }
    else
    {
        std::reverse(m_table.m_rows.begin(), m_table.m_rows.end());
        std::stable_sort(m_table.m_rows.begin(), m_table.m_rows.end(),
                         [this, col](const Price* a, const Price* b) { return Precedes(col, *b, *a); });
    }
    RowsReordered();
}

void RowOrder::RowsReordered()
{
    m_table.m_index.IndexAll();
    m_sortKeys.Invalidate();
}

void RowOrder::SortRowsByKeys(bool ascending, const std::function<double(const Price*)>& keyOf, int keyCol)
{
    SortByKeysReadOnce(m_table.m_rows, ascending, keyOf, keyCol < 0 ? nullptr : SortKeyAddress, keyCol);
}

void RowOrder::AdoptOrder(std::vector<Price*> rows)
{
    m_table.m_rows = std::move(rows);
    RowsReordered();
}

bool RowOrder::ColumnChanged(int col, int mask)
{
    // A formula may read any field of the quote.
    if (IsComputedColumn(col))
        return mask != 0;
    if (!IsColumn(col))
        return false;
    const int bit = ColumnAt(col).changeBit;
    return bit >= 0 && (static_cast<uint32_t>(mask) & (uint32_t{1} << bit)) != 0;
}

int RowOrder::PlaceInSortOrder(int row)
{
    const wxGrid* grid = m_table.GetView();
    if (!grid || grid->GetSortingColumn() == wxNOT_FOUND || !m_table.RowPrice(row))
        return row;
    const int placed = MoveIntoSortPosition(row);
    // The rows passed over moved by one; their selection goes with them.
    m_table.m_view.CarrySelection(row, placed);
    return placed;
}

int RowOrder::ReturningRowPlace(const Price& price) const
{
    const GridSort sort = CurrentSort();
    const int count = static_cast<int>(m_table.m_rows.size());
    const int col = sort.col;
    if (col == wxNOT_FOUND)
        return count;
    const bool ascending = sort.ascending;
    // The same place a move from the bottom would have found: below the
    // rows it ties with.
    if (m_sortKeys.IsFor(col))
    {
        const double* keys = m_sortKeys.Data();
        const double key = SortKeyOf(col, price);
        const double* place = ascending ? std::upper_bound(keys, keys + count, key)
                                        : std::upper_bound(keys, keys + count, key, std::greater<double>());
        return static_cast<int>(place - keys);
    }
    const auto place = std::partition_point(m_table.m_rows.begin(), m_table.m_rows.end(), [&](const Price* shown) {
        return !ComesBefore(&price, shown, col, ascending);
    });
    return static_cast<int>(place - m_table.m_rows.begin());
}

void RowOrder::PrefetchQueuedUpdate(const Price& price, int mask, LoadAhead what) const
{
    const GridSort sort = CurrentSort();
    if ((static_cast<uint32_t>(mask) & sort.touchedBy) == 0)
        return;
    if (what == LoadAhead::RowAndKey)
    {
        PrefetchForMove(price, sort);
        return;
    }
    // Only the index slot this far ahead: asking for the quote's own line
    // as well measured slower; the feed has just written it.
    m_table.m_index.Prefetch(&price);
}

void RowOrder::PrefetchForMove(const Price& price, const GridSort& sort) const
{
    // The quote's new value, its index entry, then its row and sort key:
    // loads that would otherwise wait for one another across the checks in
    // between, each a cache miss on a large tab.
    const int col = sort.col;
    PrefetchMemory(sort.keyField ? &(price.*sort.keyField) : SortKeyAddress(col, price));
    const int lastSeen = m_table.m_index.LastSeen(&price);
    if (lastSeen < 0 || lastSeen >= static_cast<int>(m_table.m_rows.size()))
        return;
    PrefetchMemory(&m_table.m_rows[lastSeen]);
    if (m_sortKeys.IsFor(col))
        PrefetchMemory(m_sortKeys.Data() + lastSeen);
}

void RowOrder::PrefetchScatteredNeighbours(int row, int col) const
{
    // Without keys the neighbours compared next are quotes scattered over
    // the host's memory, each a cache miss; a quote typically passes a
    // handful of them, so start loading them all at once.
    constexpr int kReach = 8;
    const int count = static_cast<int>(m_table.m_rows.size());
    const int first = std::max(0, row - kReach);
    const int last = std::min(count - 1, row + kReach);
    for (int neighbour = first; neighbour <= last; ++neighbour)
        if (neighbour != row)
            PrefetchMemory(SortKeyAddress(col, *m_table.m_rows[neighbour]));
}

RowOrder::GridSort RowOrder::ReadGridSort() const
{
    GridSort sort;
    const wxGrid* grid = m_table.GetView();
    if (!grid || grid->GetSortingColumn() == wxNOT_FOUND)
        return sort;
    sort.col = grid->GetSortingColumn();
    sort.ascending = grid->IsSortOrderAscending();
    sort.numericKey = HasNumericSortKey(sort.col);
    sort.keyField = NumericSortField(sort.col);
    // The same bits ColumnChanged tests: a formula may read any field.
    if (IsComputedColumn(sort.col))
        sort.touchedBy = ~uint32_t{0};
    else if (IsColumn(sort.col) && ColumnAt(sort.col).changeBit >= 0)
        sort.touchedBy = uint32_t{1} << ColumnAt(sort.col).changeBit;
    return sort;
}

RowOrder::GridSort RowOrder::ReadCurrentSort() const
{
    if (!m_sortHeldForRun)
        return ReadGridSort();
    m_runSort = ReadGridSort();
    m_runSortRead = true;
    return m_runSort;
}

void RowOrder::HoldSortForRun(bool held)
{
    m_sortHeldForRun = held;
    m_runSortRead = false;
}

bool RowOrder::ComesBefore(const Price* a, const Price* b, int col, bool ascending) const
{
    return ascending ? Precedes(col, *a, *b) : Precedes(col, *b, *a);
}

int RowOrder::MoveIntoSortPosition(int row)
{
    const GridSort sort = CurrentSort();
    const int col = sort.col;
    const bool ascending = sort.ascending;
    if (!sort.numericKey)
    {
        return BubbleIntoPlace(row, [this, col, ascending](int first, int second) {
            return ComesBefore(m_table.m_rows[first], m_table.m_rows[second], col, ascending);
        });
    }
    if (m_sortKeys.IsFor(col))
        m_sortKeys.Refresh(row, *m_table.m_rows[row]);
    else
        m_sortKeys.Rebuild(col, m_table.m_rows);
    const double* keys = m_sortKeys.Data();
    if (ascending)
        return BubbleIntoPlace(row, [&keys](int first, int second) { return keys[first] < keys[second]; });
    return BubbleIntoPlace(row, [&keys](int first, int second) { return keys[second] < keys[first]; });
}

template <typename Before>
int RowOrder::BubbleIntoPlace(int row, Before before)
{
    // `before(a, b)`: the row at index a belongs above the one at index b.
    const int count = static_cast<int>(m_table.m_rows.size());

    // Neighbours shift past the moved quote one by one; its own index is
    // written once where it stops.
    Price* moved = m_table.m_rows[row];
    int at = row;
    while (at + 1 < count && before(at + 1, at))
    {
        m_table.ShiftRow(at + 1, at);
        ++at;
    }
    if (at == row)
    {
        while (at > 0 && before(at, at - 1))
        {
            m_table.ShiftRow(at - 1, at);
            --at;
        }
    }
    m_table.m_index.Place(moved, at);
    return at;
}

std::optional<double> RowOrder::TrendChange(const Price* price) const
{
    if (!m_trends || !price)
        return std::nullopt;
    return m_trends->Change(price, price->instrument ? price->instrument->decimals : -1);
}
