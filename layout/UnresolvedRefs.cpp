#include "layout/UnresolvedRefs.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace layout {

namespace {

struct RefOrder
{
    bool operator()(const InstrumentRef& a, const InstrumentRef& b) const
    {
        return std::tie(a.exchange, a.code) < std::tie(b.exchange, b.code);
    }
};

}  // namespace

UnresolvedRefs::UnresolvedRefs(const std::vector<InstrumentRef>& stored, const Resolves& resolves)
{
    std::vector<bool> unresolved;
    unresolved.reserve(stored.size());
    for (const InstrumentRef& ref : stored)
        unresolved.push_back(!resolves(ref));
    *this = UnresolvedRefs(stored, std::move(unresolved));
}

UnresolvedRefs::UnresolvedRefs(const std::vector<InstrumentRef>& stored, std::vector<bool> unresolved)
{
    if (std::find(unresolved.begin(), unresolved.end(), true) == unresolved.end())
        return;
    m_stored = stored;
    m_unresolved = std::move(unresolved);
}

std::vector<InstrumentRef> UnresolvedRefs::MergeInto(const std::vector<InstrumentRef>& rows) const
{
    if (m_stored.empty())
        return rows;
    const std::set<InstrumentRef, RefOrder> present(rows.begin(), rows.end());

    // Attach each unresolved reference to the row it is to follow.
    std::vector<InstrumentRef> first;
    std::map<InstrumentRef, std::vector<InstrumentRef>, RefOrder> following;
    const InstrumentRef* anchor = nullptr;
    for (size_t i = 0; i < m_stored.size(); ++i)
    {
        const InstrumentRef& ref = m_stored[i];
        if (!m_unresolved[i])
        {
            if (present.count(ref))
                anchor = &ref;
            continue;
        }
        if (present.count(ref))
            continue;
        (anchor ? following[*anchor] : first).push_back(ref);
    }

    std::vector<InstrumentRef> merged = std::move(first);
    merged.reserve(rows.size() + m_stored.size());
    for (const InstrumentRef& row : rows)
    {
        merged.push_back(row);
        const auto attached = following.find(row);
        if (attached == following.end())
            continue;
        merged.insert(merged.end(), attached->second.begin(), attached->second.end());
        following.erase(attached);  // a row shown twice carries them once
    }
    return merged;
}

}  // namespace layout
