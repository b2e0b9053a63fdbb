#include "model/QuoteAges.h"

#include "model/ColumnSpec.h"
#include "model/Prefetch.h"

namespace {

constexpr size_t kInitialSlots = 64;

}  // namespace

size_t QuoteAges::SlotOf(const Price* price) const
{
    // Quotes are heap records: the low bits carry no information.
    const auto bits = reinterpret_cast<uintptr_t>(price) >> 4;
    return static_cast<size_t>(bits * 0x9E3779B97F4A7C15ull) & (m_slots.size() - 1);
}

size_t QuoteAges::Probe(const Price* price) const
{
    size_t slot = SlotOf(price);
    while (m_slots[slot].key && m_slots[slot].key != price)
        slot = (slot + 1) & (m_slots.size() - 1);
    return slot;
}

void QuoteAges::Prefetch(const Price* price) const
{
    if (!m_slots.empty())
        PrefetchMemory(&m_slots[SlotOf(price)]);
}

void QuoteAges::Track(const Price* price)
{
    if (!price)
        return;
    if ((m_size + 1) * 4 > m_slots.size() * 3)
        Grow();
    Slot& slot = m_slots[Probe(price)];
    if (slot.key)
        return;
    slot.key = price;
    slot.second = m_now;
    ++m_size;
}

void QuoteAges::Forget(const Price* price)
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
        const bool homeOutsideGap = hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
        if (homeOutsideGap)
        {
            m_slots[hole] = m_slots[next];
            m_slots[next] = Slot();
            hole = next;
        }
    }
}

bool QuoteAges::IsStale(const Price* price) const
{
    if (m_staleAfter == 0 || m_slots.empty() || !price)
        return false;
    const Slot& slot = m_slots[Probe(price)];
    // A clock set back leaves stamps ahead of now: those count as fresh.
    return slot.key && m_now > slot.second && m_now - slot.second > m_staleAfter;
}

void QuoteAges::Grow()
{
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(old.empty() ? kInitialSlots : old.size() * 2, Slot());
    for (const Slot& slot : old)
        if (slot.key)
            m_slots[Probe(slot.key)] = slot;
}

bool DimsWhenStale(int col)
{
    switch (col)
    {
    case column::Last:
    case column::Change:
    case column::ChangePercent:
    case column::Buy:
    case column::Sell:
    case column::Open:
    case column::High:
    case column::Low:
    case column::Vwap:
        return true;
    default:
        return false;
    }
}
