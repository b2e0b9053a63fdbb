#pragma once
// The quotes a tab lists, filtered or not, and its bookmarks.

#include <algorithm>
#include <cstddef>
#include <set>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/PriceIndex.h"

struct Instrument;
struct Price;

/// The members of one tab in stored order (a quote may be listed more than
/// once), how often each is listed, and the instruments bookmarked on it.
/// It keeps no rows: which members show, and where, is the table's.
class TabMembers
{
public:
    /// Stored order, filtered or not.
    const std::vector<Price*>& List() const { return m_list; }
    bool Contains(const Price* price) const { return m_count.Find(price) > 0; }
    /// How often `price` is listed.
    int Copies(const Price* price) const { return std::max(m_count.Find(price), 0); }
    /// Whether some member is listed more than once; rarely, so the row
    /// lookups check this before they count.
    bool HasDuplicates() const { return m_duplicates > 0; }

    void Add(Price* price);
    /// Makes room for `members` listings at once (a long fill says how many
    /// are coming); the row index takes as much room for its first row.
    void Reserve(size_t members)
    {
        m_list.reserve(members);
        m_count.Reserve(members);
    }
    /// Drops one listing of `price`, if any.
    void Erase(Price* price);
    /// Drops every listing of `gone`, and their bookmarks.
    void EraseAll(const std::unordered_set<const Price*>& gone);
    /// Drops every listing and hands the list over; the bookmarks stay.
    std::vector<Price*> Clear();
    /// Makes `members`, a rearrangement of the members, their stored order.
    void SetOrder(std::vector<Price*> members) { m_list = std::move(members); }
    /// Exchanges the stored places of two members, when both are listed.
    void SwapPlaces(const Price* first, const Price* second);
    /// Takes `moved` out and lists it again next to `displaced`: after it
    /// when `after`, else before it.
    void MoveNextTo(Price* moved, const Price* displaced, bool after);

    std::set<Instrument*>& Bookmarks() { return m_bookmarks; }
    const std::set<Instrument*>& Bookmarks() const { return m_bookmarks; }

private:
    std::vector<Price*> m_list;
    // How often each member is listed (duplicates are allowed); flat, not a
    // node per member: a whole exchange is a million of them.
    PriceIndex m_count;
    int m_duplicates = 0;  // members listed more than once
    std::set<Instrument*> m_bookmarks;
};
