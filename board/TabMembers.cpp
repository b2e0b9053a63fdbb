#include "board/TabMembers.h"

#include <utility>

#include "contract/Records.h"

void TabMembers::Add(Price* price)
{
    m_list.push_back(price);
    const int count = std::max(m_count.Find(price), 0) + 1;
    m_count.Set(price, count);
    if (count == 2)
        ++m_duplicates;
}

void TabMembers::Erase(Price* price)
{
    const auto it = std::find(m_list.begin(), m_list.end(), price);
    if (it == m_list.end())
        return;
    m_list.erase(it);
    const int left = m_count.Find(price) - 1;
    if (left == 1)
        --m_duplicates;
    if (left > 0)
        m_count.Set(price, left);
    else
        m_count.Erase(price);
}

void TabMembers::EraseAll(const std::unordered_set<const Price*>& gone)
{
    const auto leaving = [&gone](const Price* price) { return gone.count(price) > 0; };
    m_list.erase(std::remove_if(m_list.begin(), m_list.end(), leaving), m_list.end());
    for (const Price* price : gone)
    {
        const int count = m_count.Find(price);
        if (count < 0)
            continue;
        if (count > 1)
            --m_duplicates;
        m_count.Erase(price);
        m_bookmarks.erase(price->instrument);
    }
}

std::vector<Price*> TabMembers::Clear()
{
    m_count.Clear();
    m_duplicates = 0;
    return std::exchange(m_list, {});
}

void TabMembers::SwapPlaces(const Price* first, const Price* second)
{
    const auto memberA = std::find(m_list.begin(), m_list.end(), first);
    const auto memberB = std::find(m_list.begin(), m_list.end(), second);
    if (memberA != m_list.end() && memberB != m_list.end())
        std::iter_swap(memberA, memberB);
}

void TabMembers::MoveNextTo(Price* moved, const Price* displaced, bool after)
{
    const auto member = std::find(m_list.begin(), m_list.end(), moved);
    if (member == m_list.end())
        return;
    m_list.erase(member);
    const auto place = std::find(m_list.begin(), m_list.end(), displaced);
    m_list.insert(after && place != m_list.end() ? place + 1 : place, moved);
}
