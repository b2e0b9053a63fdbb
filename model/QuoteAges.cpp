#include "model/QuoteAges.h"

#include "model/ColumnSpec.h"

void QuoteAges::Track(const Price* price)
{
    m_slots.Insert(price, m_now);
}

void QuoteAges::Forget(const Price* price)
{
    m_slots.Erase(price);
}

void QuoteAges::Prefetch(const Price* price) const
{
    m_slots.Prefetch(price);
}

bool QuoteAges::IsStale(const Price* price) const
{
    if (m_staleAfter == 0)
        return false;
    const uint32_t* second = m_slots.Find(price);
    // A clock set back leaves stamps ahead of now: those count as fresh.
    return second && m_now > *second && m_now - *second > m_staleAfter;
}

bool DimsWhenStale(int col)
{
    return IsColumn(col) && ColumnAt(col).dimsWhenStale;
}
