#pragma once
// The numbers a tab's rows are sorted by, kept in row order.

#include <cstddef>
#include <utility>
#include <vector>

#include "model/BufferWarming.h"

struct Price;
class ComputedColumns;

/// Sort keys of the rows for one numeric column. A quote event compares its
/// row with a handful of neighbours; reading their keys from one array
/// instead of from quotes scattered over the host's memory is most of what
/// keeps a large sorted tab fast. Each key is its quote's value as of that
/// quote's latest event, so the rows stay exactly ordered by the values the
/// events announced.
class SortKeyCache
{
public:
    /// Where keys of computed columns come from; null until the table says.
    void SetComputed(const ComputedColumns* computed) { m_computed = computed; }
    bool IsFor(int col) const { return m_column == col && m_column >= 0; }
    bool IsValid() const { return m_column >= 0; }
    /// Reads every row's key for `col`.
    void Rebuild(int col, const std::vector<Price*>& rows);
    /// Takes `keys`, one per row in row order, as the keys of `col`: a sort
    /// that read them hands them over.
    void Adopt(int col, std::vector<double> keys)
    {
        m_keys = std::move(keys);
        SetColumn(col);
    }
    /// Forgets the keys; the next move reads them again.
    void Invalidate();
    /// Forgets the keys and hands over their buffer, emptied, for the next
    /// sort to fill: a fresh buffer for a million rows is megabytes of page
    /// faults and zeros inside the click that sorts.
    std::vector<double> TakeBuffer()
    {
        Invalidate();
        return std::move(m_keys);
    }
    /// Writes up to `step` more keys' room towards `rows` while the cache
    /// holds nothing (see `WarmSome`); true when there is nothing left to write.
    bool WarmBuffer(std::size_t rows, std::size_t step) { return IsValid() || WarmSome(m_keys, rows, step); }

    // Row bookkeeping, each a no-op while the cache holds nothing.
    void Append(const Price& price);
    void Insert(int row, const Price& price);
    void Erase(int row);
    /// Inline: a quote bubbling into place swaps once per row it passes.
    void Swap(int first, int second)
    {
        if (IsValid())
            std::swap(m_keys[first], m_keys[second]);
    }
    /// Takes the row's key afresh from its quote.
    void Refresh(int row, const Price& price);

    double operator[](int row) const { return m_keys[row]; }
    const double* Data() const { return m_keys.data(); }

private:
    std::vector<double> m_keys;
    int m_column = -1;
    double Price::*m_field = nullptr;  // m_column's field of the quote, when it is one
    const ComputedColumns* m_computed = nullptr;

    void SetColumn(int col);
    double KeyOf(int col, const Price& price) const;
};
