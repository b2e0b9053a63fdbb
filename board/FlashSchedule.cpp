#include "board/FlashSchedule.h"

void FlashSchedule::Schedule(wxTimer* flash, Clock::time_point due)
{
    Cancel(flash);
    m_entries.emplace(flash, m_queue.emplace(due, flash));
}

void FlashSchedule::Cancel(wxTimer* flash)
{
    const auto entry = m_entries.find(flash);
    if (entry == m_entries.end())
        return;
    m_queue.erase(entry->second);
    m_entries.erase(entry);
}

std::vector<wxTimer*> FlashSchedule::TakeDue(Clock::time_point now)
{
    std::vector<wxTimer*> due;
    while (!m_queue.empty() && m_queue.begin()->first <= now)
    {
        wxTimer* flash = m_queue.begin()->second;
        m_queue.erase(m_queue.begin());
        m_entries.erase(flash);
        due.push_back(flash);
    }
    return due;
}

std::optional<FlashSchedule::Clock::time_point> FlashSchedule::Next() const
{
    if (m_queue.empty())
        return std::nullopt;
    return m_queue.begin()->first;
}

std::optional<FlashSchedule::Clock::time_point> FlashSchedule::EndOf(wxTimer* flash) const
{
    const auto entry = m_entries.find(flash);
    if (entry == m_entries.end())
        return std::nullopt;
    return entry->second->first;
}
