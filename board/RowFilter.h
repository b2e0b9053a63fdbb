#pragma once
// The filter of a tab's rows.

class FilterSet;
class TickerdeckTable;
struct Price;

/// Which members of a tab show: the filter in place, its verdict, and the
/// shown rows dropped, the grid told, when it refuses them.
class RowFilter
{
public:
    explicit RowFilter(TickerdeckTable& table) : m_table(table) {}

    void Set(FilterSet* filter);
    FilterSet* Get() const { return m_filter; }
    /// The filter's verdict; true when the tab has no filter.
    bool Accepts(const Price* price) const;

    /// Drops the rows the filter no longer accepts, the others keeping their
    /// order; false, changing nothing, when the filter accepts a member that
    /// is not shown (it would need its place found).
    bool NarrowShownRows();
    /// Drops the rows on screen that the filter no longer accepts, telling
    /// the grid; meant for the moment right before a paint. The host changes
    /// a quote before its event arrives and a paint shows the new values,
    /// so what is painted must be judged on them, not on the last event.
    void DropRowsOnScreenItRefuses();
    /// Erases a shown row and tells the grid.
    void DropShownRow(int row);

private:
    TickerdeckTable& m_table;
    FilterSet* m_filter = nullptr;
};
