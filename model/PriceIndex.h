#pragma once
// Row index of every shown quote, looked up once or more per quote event.

#include <cstddef>
#include <vector>

#include "model/PriceSlots.h"

/// Map from a quote to its row (see PriceSlots).
class PriceIndex
{
public:
    /// The row of `price`, or -1.
    int Find(const Price* price) const
    {
        const int* row = m_slots.Find(price);
        return row ? *row : -1;
    }
    /// Inserts or overwrites.
    void Set(const Price* price, int row)
    {
        // Rows shifting under a moving quote are all present: one probe each.
        if (int* slot = m_slots.Find(price))
            *slot = row;
        else
            m_slots.Insert(price, row);
    }
    /// Inserts only when absent; returns whether it did.
    bool Insert(const Price* price, int row) { return m_slots.Insert(price, row); }
    void Erase(const Price* price) { m_slots.Erase(price); }
    bool Contains(const Price* price) const { return m_slots.Find(price) != nullptr; }
    /// Starts loading the slot where a lookup of `price` begins.
    void Prefetch(const Price* price) const { m_slots.Prefetch(price); }
    void Clear() { m_slots.Clear(); }
    /// Maps each of `rows` to its place, the first of duplicates winning,
    /// and forgets every other quote.
    void IndexAfresh(const std::vector<Price*>& rows)
    {
        m_slots.ClearWithRoomFor(rows.size());
        // Each insert is a cache miss of its own; loading a few ahead overlaps them.
        constexpr size_t kAhead = 8;
        for (size_t row = 0; row < rows.size(); ++row)
        {
            if (row + kAhead < rows.size())
                m_slots.Prefetch(rows[row + kAhead]);
            m_slots.Insert(rows[row], static_cast<int>(row));
        }
    }
    void Reserve(size_t entries) { m_slots.Reserve(entries); }
    size_t Size() const { return m_slots.Size(); }

private:
    PriceSlots<int> m_slots;
};
