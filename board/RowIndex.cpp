#include "board/RowIndex.h"

#include <algorithm>

namespace {

// Leaves and returns a row index may lag behind: a lookup searches about
// this far around a row's last place before it scans the whole tab.
constexpr int kUnindexedShiftLimit = 64;

}  // namespace

int RowIndex::Locate(const Price* price, int lastSeen) const
{
    const int count = static_cast<int>(m_rows.size());
    const auto remember = [this, price](int row) {
        m_index.Set(price, row);
        return row;
    };
    // A quote listed twice shows at its first row.
    if (m_members.HasDuplicates())
    {
        if (m_members.Copies(price) > 1)
        {
            const auto first = std::find(m_rows.begin(), m_rows.end(), price);
            return first == m_rows.end() ? -1 : remember(static_cast<int>(first - m_rows.begin()));
        }
    }
    // Each neighbour that moved past a row shifted it by one; they are few
    // between two updates of the row itself.
    constexpr int kNearby = 256;
    for (int distance = 0; distance <= kNearby; ++distance)
    {
        for (int row : {lastSeen - distance, lastSeen + distance})
            if (row >= 0 && row < count && m_rows[row] == price)
                return remember(row);
    }
    const auto anywhere = std::find(m_rows.begin(), m_rows.end(), price);
    return anywhere == m_rows.end() ? -1 : remember(static_cast<int>(anywhere - m_rows.begin()));
}

void RowIndex::ReindexFrom(int first)
{
    // Walk backwards so that of duplicates the first row wins.
    for (int row = static_cast<int>(m_rows.size()) - 1; row >= first; --row)
        m_index.Set(m_rows[row], row);
    if (m_shiftedFrom >= first)
    {
        m_shiftedFrom = -1;
        m_unindexedShifts = 0;
    }
}

void RowIndex::IndexAll()
{
    m_index.IndexAfresh(m_rows);
    m_shiftedFrom = -1;
    m_unindexedShifts = 0;
}

void RowIndex::NoteShifted(int first)
{
    m_shiftedFrom = m_shiftedFrom < 0 ? first : std::min(m_shiftedFrom, first);
    if (++m_unindexedShifts > kUnindexedShiftLimit)
        ReindexFrom(m_shiftedFrom);
}
