#include "model/SortHold.h"

void SortHold::Release(int64_t now)
{
    m_pressed = false;
    m_clicked = true;
    m_releasedAt = now;
}

void SortHold::SetOpen(bool open)
{
    m_open += open ? 1 : -1;
    if (m_open < 0)
        m_open = 0;
}

bool SortHold::Holds(int64_t now) const
{
    if (m_pressed || m_open > 0)
        return true;
    // A clock that went back counts as within the moment, never as forever.
    return m_clicked && now >= m_releasedAt && now - m_releasedAt < kAfterClickMs;
}
