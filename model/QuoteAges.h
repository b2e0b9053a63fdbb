#pragma once
// How long ago each quote of a board last changed, kept so cheaply that the
// quote path pays one probe and one store for it.

#include <cstddef>
#include <cstdint>

#include "model/PriceSlots.h"

/// The second each tracked quote last changed, on a clock that the board's
/// stale check sets once a second: a quote update only writes the current
/// second into its slot, it never reads a clock. Open addressing in one flat
/// array, as the row index, so the store is about one cache miss at worst.
class QuoteAges
{
public:
    /// The second that quote updates are stamped with from now on.
    void SetNow(uint32_t second) { m_now = second; }
    uint32_t Now() const { return m_now; }

    /// Starts tracking `price` as changed now; one already tracked keeps its stamp.
    void Track(const Price* price);
    /// Stops tracking `price`.
    void Forget(const Price* price);
    /// A quote update of `price`: its stamp becomes now (when tracked), and
    /// it counts as one more quote of the board.
    void Stamp(const Price* price)
    {
        ++m_quoteCount;
        if (uint32_t* second = m_slots.Find(price))
            *second = m_now;
    }
    /// Starts loading the slot where a lookup of `price` begins.
    void Prefetch(const Price* price) const;
    /// Quote updates stamped so far, tracked or not.
    uint64_t QuoteCount() const { return m_quoteCount; }

    /// Quotes unchanged for longer than this many seconds are stale; 0 marks none.
    void SetStaleAfter(uint32_t seconds) { m_staleAfter = seconds; }
    uint32_t StaleAfter() const { return m_staleAfter; }
    /// True for a tracked quote that has not changed for longer than the
    /// stale time; never while that is 0.
    bool IsStale(const Price* price) const;

    size_t Size() const { return m_slots.Size(); }

private:
    PriceSlots<uint32_t> m_slots;
    uint32_t m_now = 0;
    uint64_t m_quoteCount = 0;
    uint32_t m_staleAfter = 0;
};

/// True for the columns that show the live price and figures following it,
/// which dim on a stale quote; the day's static figures and texts do not.
bool DimsWhenStale(int col);
