#pragma once
// The flat table that the board's per-quote lookups share.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "model/Prefetch.h"

struct Price;

/// A fixed number of slots that start as all-zero bytes without being
/// written: a table for a million rows takes zeroed pages that arrive as
/// each is first used, spread over the slices of a long fill instead of
/// tens of megabytes written inside its first step.
template <typename Slot>
class ZeroedSlots
{
    static_assert(std::is_trivially_copyable_v<Slot>, "slots are copied and freed as bytes");

public:
    ZeroedSlots() = default;
    explicit ZeroedSlots(size_t count)
        : m_slots(count ? static_cast<Slot*>(std::calloc(count, sizeof(Slot))) : nullptr), m_count(count)
    {
        if (count && !m_slots)
            throw std::bad_alloc();
    }
    ZeroedSlots(ZeroedSlots&& other) noexcept
        : m_slots(std::move(other.m_slots)), m_count(std::exchange(other.m_count, 0))
    {
    }
    ZeroedSlots& operator=(ZeroedSlots&& other) noexcept
    {
        m_slots = std::move(other.m_slots);
        m_count = std::exchange(other.m_count, 0);
        return *this;
    }

    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    Slot& operator[](size_t at) { return m_slots.get()[at]; }
    const Slot& operator[](size_t at) const { return m_slots.get()[at]; }
    Slot* begin() { return m_slots.get(); }
    Slot* end() { return m_slots.get() + m_count; }

private:
    struct Free
    {
        void operator()(Slot* slots) const { std::free(slots); }
    };
    std::unique_ptr<Slot, Free> m_slots;
    size_t m_count = 0;
};

/// Open-addressing map from a quote's address to a small value: one linear
/// probe run in one flat array keeps a lookup to about one cache miss on
/// large tabs; erasing pulls the run back, so no tombstones pile up.
template <typename Value>
class PriceSlots
{
public:
    /// The value of `price`, or null.
    Value* Find(const Price* price)
    {
        if (m_slots.empty() || !price)
            return nullptr;
        Slot& slot = m_slots[Probe(price)];
        return slot.key ? &slot.value : nullptr;
    }
    const Value* Find(const Price* price) const { return const_cast<PriceSlots*>(this)->Find(price); }

    /// Inserts `value` for `price` when absent; returns whether it did.
    bool Insert(const Price* price, const Value& value)
    {
        if (!price)
            return false;
        // Up to three quarters of the slots in use: probe runs stay a cache
        // line or two long, and a 20,000-row table stays small enough to be
        // cached.
        if ((m_size + 1) * 4 > m_slots.size() * 3)
            Grow();
        Slot& slot = m_slots[Probe(price)];
        if (slot.key)
            return false;
        slot.key = price;
        slot.value = value;
        ++m_size;
        return true;
    }

    void Erase(const Price* price)
    {
        if (m_slots.empty() || !price)
            return;
        const size_t mask = m_slots.size() - 1;
        size_t hole = Probe(price);
        if (!m_slots[hole].key)
            return;
        m_slots[hole] = Slot();
        --m_size;
        // Pull later members of the probe run back so that no lookup stops early.
        for (size_t next = (hole + 1) & mask; m_slots[next].key; next = (next + 1) & mask)
        {
            const size_t home = SlotOf(m_slots[next].key);
            const bool homeOutsideGap =
                hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
            if (homeOutsideGap)
            {
                m_slots[hole] = m_slots[next];
                m_slots[next] = Slot();
                hole = next;
            }
        }
    }

    /// Starts loading the slot where a lookup of `price` begins.
    void Prefetch(const Price* price) const
    {
        if (!m_slots.empty())
            PrefetchMemory(&m_slots[SlotOf(price)]);
    }

    void Clear()
    {
        m_slots = Slots();
        m_size = 0;
    }

    /// Empties the map with room for `entries` at once: filling a million
    /// from empty doubled the slots fifteen times, each time placing every
    /// entry again.
    void ClearWithRoomFor(size_t entries)
    {
        size_t slots = kInitialSlots;
        while (entries * 4 > slots * 3)
            slots *= 2;
        if (slots == m_slots.size())
            std::fill(m_slots.begin(), m_slots.end(), Slot());
        else
            m_slots = Slots(slots);
        m_size = 0;
    }

    /// Makes room for `entries` at once: a table that doubles while a
    /// million-row tab fills places every entry again in a single step.
    void Reserve(size_t entries)
    {
        size_t slots = std::max(m_slots.size(), kInitialSlots);
        while (entries * 4 > slots * 3)
            slots *= 2;
        if (slots != m_slots.size())
            Rehash(slots);
    }

    size_t Size() const { return m_size; }
    /// What the slots take, in bytes.
    size_t BytesUsed() const { return m_slots.size() * sizeof(Slot); }

private:
    static constexpr size_t kInitialSlots = 64;

    // Empty is all-zero bytes: a null key and a zero value.
    struct Slot
    {
        const Price* key = nullptr;
        Value value{};
    };
    using Slots = ZeroedSlots<Slot>;

    size_t SlotOf(const Price* price) const
    {
        // Quotes are heap records: the low bits carry no information.
        const auto bits = reinterpret_cast<uintptr_t>(price) >> 4;
        return static_cast<size_t>(bits * 0x9E3779B97F4A7C15ull) & (m_slots.size() - 1);
    }

    size_t Probe(const Price* price) const
    {
        size_t slot = SlotOf(price);
        while (m_slots[slot].key && m_slots[slot].key != price)
            slot = (slot + 1) & (m_slots.size() - 1);
        return slot;
    }

    void Grow() { Rehash(m_slots.empty() ? kInitialSlots : m_slots.size() * 2); }

    void Rehash(size_t slots)
    {
        Slots old = std::move(m_slots);
        m_slots = Slots(slots);
        // An emptied table need not be read: its pages may never have been used.
        if (m_size == 0)
            return;
        for (const Slot& slot : old)
            if (slot.key)
                m_slots[Probe(slot.key)] = slot;
    }

    Slots m_slots;
    size_t m_size = 0;
};
