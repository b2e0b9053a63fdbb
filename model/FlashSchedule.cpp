#include "model/FlashSchedule.h"

#include <algorithm>

void FlashSchedule::Schedule(Id flash, Clock::time_point due)
{
    const auto [entry, added] = m_entries.try_emplace(flash, due);
    if (!added)
    {
        if (entry->second == due)
            return;
        entry->second = due;
    }
    if (m_queue.empty() || m_queue.back().due <= due)
        m_queue.push_back({due, flash});
    else
    {
        const auto later = std::upper_bound(m_queue.begin(), m_queue.end(), due,
                                            [](Clock::time_point at, const Entry& entry) { return at < entry.due; });
        m_queue.insert(later, {due, flash});
    }
    DropLeftBehind();
}

void FlashSchedule::Cancel(Id flash)
{
    if (m_entries.erase(flash) > 0)
        DropLeftBehind();
}

bool FlashSchedule::IsCurrent(const Entry& entry) const
{
    const auto current = m_entries.find(entry.flash);
    return current != m_entries.end() && current->second == entry.due;
}

void FlashSchedule::DropLeftBehind()
{
    // Keeps the front a running flash, so that it is the next deadline.
    while (!m_queue.empty() && !IsCurrent(m_queue.front()))
        m_queue.pop_front();
    if (m_entries.empty())
        m_queue.clear();
}

std::vector<FlashSchedule::Id> FlashSchedule::TakeDue(Clock::time_point now)
{
    std::vector<Id> due;
    while (!m_queue.empty() && m_queue.front().due <= now)
    {
        const Entry entry = m_queue.front();
        m_queue.pop_front();
        if (IsCurrent(entry))
        {
            m_entries.erase(entry.flash);
            due.push_back(entry.flash);
        }
    }
    DropLeftBehind();
    return due;
}

std::optional<FlashSchedule::Clock::time_point> FlashSchedule::Next() const
{
    if (m_queue.empty())
        return std::nullopt;
    return m_queue.front().due;
}

std::optional<FlashSchedule::Clock::time_point> FlashSchedule::EndOf(Id flash) const
{
    const auto entry = m_entries.find(flash);
    if (entry == m_entries.end())
        return std::nullopt;
    return entry->second;
}

void FlashSchedule::Clear()
{
    m_queue.clear();
    m_entries.clear();
}
