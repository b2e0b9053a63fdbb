#include "model/PriceIndex.h"

#include "model/Prefetch.h"

namespace {

constexpr size_t kInitialSlots = 64;

}  // namespace

size_t PriceIndex::SlotOf(const Price* price) const
{
    // Quotes are heap records: the low bits carry no information.
    const auto bits = reinterpret_cast<uintptr_t>(price) >> 4;
    return static_cast<size_t>(bits * 0x9E3779B97F4A7C15ull) & (m_slots.size() - 1);
}

size_t PriceIndex::Probe(const Price* price) const
{
    size_t slot = SlotOf(price);
    while (m_slots[slot].key && m_slots[slot].key != price)
        slot = (slot + 1) & (m_slots.size() - 1);
    return slot;
}

void PriceIndex::Prefetch(const Price* price) const
{
    if (!m_slots.empty())
        PrefetchMemory(&m_slots[SlotOf(price)]);
}

int PriceIndex::Find(const Price* price) const
{
    if (m_slots.empty() || !price)
        return -1;
    const Slot& slot = m_slots[Probe(price)];
    return slot.key ? slot.row : -1;
}

bool PriceIndex::Insert(const Price* price, int row)
{
    if (!price)
        return false;
    // Up to three quarters of the slots in use: probe runs stay a cache line
    // or two long, and a 20,000-row index stays small enough to be cached.
    if ((m_size + 1) * 4 > m_slots.size() * 3)
        Grow();
    Slot& slot = m_slots[Probe(price)];
    if (slot.key)
        return false;
    slot.key = price;
    slot.row = row;
    ++m_size;
    return true;
}

void PriceIndex::Set(const Price* price, int row)
{
    // Rows shifting under a moving quote are all present: one probe each.
    if (!m_slots.empty() && price)
    {
        Slot& slot = m_slots[Probe(price)];
        if (slot.key)
        {
            slot.row = row;
            return;
        }
    }
    Insert(price, row);
}

void PriceIndex::Erase(const Price* price)
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

void PriceIndex::Clear()
{
    m_slots.clear();
    m_size = 0;
}

void PriceIndex::Grow()
{
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(old.empty() ? kInitialSlots : old.size() * 2, Slot());
    m_size = 0;
    for (const Slot& slot : old)
        if (slot.key)
            Insert(slot.key, slot.row);
}
