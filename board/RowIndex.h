#pragma once
// Where each shown quote of a tab was last seen.

#include <vector>

#include "board/TabMembers.h"
#include "model/PriceIndex.h"

struct Price;

/// The row of every shown quote, looked up once or more per quote event.
/// Rows that shift past a moving quote, or below a row that leaves or comes
/// back, are not rewritten; a lookup finds them near their old row and
/// corrects the entry. Rows that leave and come back on a filtered tab would
/// shift the index far from the truth, so after a number of them the rows
/// below are indexed again at once.
class RowIndex
{
public:
    RowIndex(const std::vector<Price*>& rows, const TabMembers& members) : m_rows(rows), m_members(members) {}

    /// Display index of the quote or -1; a quote listed twice shows at its first row.
    int RowOf(const Price* price) const
    {
        const int lastSeen = m_index.Find(price);
        if (lastSeen < 0)
            return -1;
        if (!m_members.HasDuplicates() && lastSeen < static_cast<int>(m_rows.size()) && m_rows[lastSeen] == price)
            return lastSeen;
        return Locate(price, lastSeen);
    }
    /// Where the quote was last seen, or -1; maybe off by the rows shifted since.
    int LastSeen(const Price* price) const { return m_index.Find(price); }
    /// Starts loading the slot where a lookup of `price` begins.
    void Prefetch(const Price* price) const { m_index.Prefetch(price); }

    /// The quote now stands at `row`.
    void Place(const Price* price, int row) { m_index.Set(price, row); }
    /// The quote, appended at `row`, stands there unless an entry of it is
    /// there already: a duplicate keeps pointing at its first row.
    void PlaceFirst(const Price* price, int row)
    {
        if (row == 0)
            m_index.Reserve(m_members.List().capacity());
        m_index.Insert(price, row);
    }
    void Forget(const Price* price) { m_index.Erase(price); }
    void Clear() { m_index.Clear(); }
    /// Writes the entries of the rows from `first` down.
    void ReindexFrom(int first);
    /// Indexes every row afresh, after the rows were rebuilt or reordered whole.
    void IndexAll();
    /// Rows from `first` down moved by one and keep their old entries for a while.
    void NoteShifted(int first);

private:
    int Locate(const Price* price, int lastSeen) const;

    const std::vector<Price*>& m_rows;
    const TabMembers& m_members;
    mutable PriceIndex m_index;
    int m_shiftedFrom = -1;     // first row whose entry may be off, -1 none
    int m_unindexedShifts = 0;  // leaves and returns since the last reindex
};
