#include "board/TickerdeckTable.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "model/ColumnSpec.h"
#include "controls/wxGridEx.h"
#include "contract/Records.h"
#include "model/FilterSet.h"

namespace {

// Leaves and returns a row index may lag behind: a lookup searches about
// this far around a row's last place before it scans the whole tab.
constexpr int kUnindexedShiftLimit = 64;

}  // namespace

TickerdeckTable::TickerdeckTable()
{
    m_order.Keys().SetComputed(&m_format.computed);
}

TickerdeckTable::~TickerdeckTable() = default;

// ---------------------------------------------------------------------------
// wxGridTableBase

int TickerdeckTable::GetNumberRows()
{
    return static_cast<int>(m_rows.size());
}

int TickerdeckTable::GetNumberCols()
{
    return kColumnCount + static_cast<int>(m_format.computed.Size());
}

bool TickerdeckTable::IsEmptyCell(int, int)
{
    return false;
}

wxString TickerdeckTable::GetValue(int row, int col)
{
    const Price* price = RowPrice(row);
    if (!price)
        return wxString();
    return m_format.CellText(row, col, *price);
}

void TickerdeckTable::SetValue(int, int, const wxString&)
{
    // Quotes come from the host only.
}

wxString TickerdeckTable::GetColLabelValue(int col)
{
    if (IsComputedColumn(col))
    {
        if (col >= GetNumberCols())
            return wxString();
        const size_t index = static_cast<size_t>(col - kColumnCount);
        const wxString name = wxString::FromUTF8(Format().computed.Def(index).name);
        // Marked, so that an empty column does not pass for one without values.
        return Format().computed.Readable(index) ? name : wxString::Format(_("%s (formula unreadable)"), name);
    }
    // Volumes in thousands say so, or 1.500 would read as one and a half shares.
    const bool volume = IsColumn(col) && ColumnAt(col).decimals == Decimals::Volume;
    if (volume && m_format.volumeInThousands)
        return wxString::Format(_("%s (k)"), ColumnLabel(col));
    return ColumnLabel(col);
}

wxGridCellAttr* TickerdeckTable::GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind)
{
    if (!RowPrice(row) || col < 0 || col >= GetNumberCols())
        return nullptr;

    wxGridCellAttrProvider* provider = GetAttrProvider();
    wxGridCellAttrPtr attr(provider ? provider->GetAttr(row, col, wxGridCellAttr::Cell) : nullptr);
    bool stored = attr.get() != nullptr;
    if (!attr && kind == wxGridCellAttr::Cell && CanHaveAttributes())
    {
        // Someone wants to keep state in this very cell: give it its own.
        attr.reset(new wxGridCellAttr);
        attr->SetBackgroundColour(m_styler.GridBackground());
        SetAttr(wxGridCellAttrPtr(attr).release(), row, col);
        stored = true;
    }
    if (!attr)
        attr.reset(m_styler.ReusableAttr());
    m_styler.StyleAttr(*attr, row, col, stored);
    return attr.release();
}

// ---------------------------------------------------------------------------
// Rows and members

bool TickerdeckTable::IsMember(const Price* price) const
{
    return m_memberCount.Find(price) > 0;
}

int TickerdeckTable::RowOf(const Price* price) const
{
    const int lastSeen = m_rowIndex.Find(price);
    if (lastSeen < 0)
        return -1;
    if (m_duplicateMembers == 0 && lastSeen < static_cast<int>(m_rows.size()) && m_rows[lastSeen] == price)
        return lastSeen;
    return LocateRow(price, lastSeen);
}

int TickerdeckTable::LocateRow(const Price* price, int lastSeen) const
{
    const int count = static_cast<int>(m_rows.size());
    const auto remember = [this, price](int row) {
        m_rowIndex.Set(price, row);
        return row;
    };
    // A quote listed twice shows at its first row.
    if (m_duplicateMembers > 0)
    {
        if (m_memberCount.Find(price) > 1)
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

Price* TickerdeckTable::RowPrice(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return nullptr;
    return m_rows[row];
}

void TickerdeckTable::AppendMember(Price* price)
{
    if (!price)
        return;
    AddMember(price);
    AppendRow(price);
}

int TickerdeckTable::AdmitMember(Price* price)
{
    if (!price)
        return -1;
    AddMember(price);
    if (!Accepts(price))
        return -1;
    AppendRow(price);
    return static_cast<int>(m_rows.size()) - 1;
}

void TickerdeckTable::ClearRowsAndMembers()
{
    m_rows.clear();
    m_members.clear();
    m_rowIndex.Clear();
    m_order.Keys().Invalidate();
    m_memberCount.Clear();
    m_duplicateMembers = 0;
    m_styler.Ties().Clear();
    m_view.DropFlashes();
    ReindexRowsFrom(0);
}

void TickerdeckTable::RebuildRowsFromMembers(bool indexRows)
{
    m_rows.clear();
    m_order.Keys().Invalidate();
    // Other quotes may come to stand on the flashing cells.
    m_view.DropFlashes();
    for (Price* price : m_members)
        if (Accepts(price))
            m_rows.push_back(price);
    if (indexRows)
        IndexAllRows();
    m_styler.Ties().Resize(m_rows.size());
}

bool TickerdeckTable::NarrowShownRows()
{
    if (m_rows.size() != m_members.size())
        for (Price* price : m_members)
            if (RowOf(price) < 0 && Accepts(price))
                return false;
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [this](const Price* price) { return !Accepts(price); }),
                 m_rows.end());
    m_order.Keys().Invalidate();
    m_view.DropFlashes();
    IndexAllRows();
    m_styler.Ties().Reset(m_rows.size());
    return true;
}

void TickerdeckTable::RemoveRow(Price* price)
{
    if (!price)
        return;
    // A member the filter hides has no row but leaves the tab all the same.
    const int row = RowOf(price);
    if (row >= 0)
    {
        m_view.RefreshRows(row, row);
        EraseRowAt(row);
    }
    EraseMember(price);
    // A bookmark outliving its row would be saved for good.
    if (!IsMember(price))
        m_bookmarks.erase(price->instrument);
}

void TickerdeckTable::RemoveMembers(const std::vector<Price*>& quotes)
{
    // One pass over the rows whatever the count: erasing row by row made
    // removing a large selection quadratic.
    std::unordered_set<const Price*> gone(quotes.begin(), quotes.end());
    const auto leaving = [&gone](const Price* price) { return gone.count(price) > 0; };
    m_members.erase(std::remove_if(m_members.begin(), m_members.end(), leaving), m_members.end());
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), leaving), m_rows.end());
    for (const Price* price : gone)
    {
        const int count = m_memberCount.Find(price);
        if (count < 0)
            continue;
        if (count > 1)
            --m_duplicateMembers;
        m_memberCount.Erase(price);
        m_bookmarks.erase(price->instrument);
    }
    m_order.Keys().Invalidate();
    m_view.DropFlashes();
    IndexAllRows();
    m_styler.Ties().Reset(m_rows.size());
}

void TickerdeckTable::SwapRows(int first, int second)
{
    const int count = static_cast<int>(m_rows.size());
    if (first == second || first < 0 || second < 0 || first >= count || second >= count)
        return;
    Price* a = m_rows[first];
    Price* b = m_rows[second];
    ShiftRow(first, second);
    ReindexRowsFrom(std::min(first, second));
    m_styler.Ties().Swap(first, second);
    // The stored order follows, so that a save keeps what the user arranged.
    const auto memberA = std::find(m_members.begin(), m_members.end(), a);
    const auto memberB = std::find(m_members.begin(), m_members.end(), b);
    if (memberA != m_members.end() && memberB != m_members.end())
        std::iter_swap(memberA, memberB);
    m_view.RefreshRows(std::min(first, second), std::max(first, second));
}

void TickerdeckTable::MoveRow(int from, int to)
{
    const int count = static_cast<int>(m_rows.size());
    if (from == to || from < 0 || to < 0 || from >= count || to >= count)
        return;
    Price* moved = m_rows[from];
    Price* displaced = m_rows[to];
    const int step = from < to ? 1 : -1;
    for (int row = from; row != to; row += step)
        ShiftRow(row, row + step);
    const int first = std::min(from, to);
    const int last = std::max(from, to);
    ReindexRowsFrom(first);
    m_styler.Ties().Move(from, to);
    m_view.RefreshRows(first, last);
    // Stored order follows, so that a save keeps what the user arranged;
    // members a filter hides keep their places.
    const auto member = std::find(m_members.begin(), m_members.end(), moved);
    if (member == m_members.end())
        return;
    m_members.erase(member);
    const auto place = std::find(m_members.begin(), m_members.end(), displaced);
    m_members.insert(step > 0 && place != m_members.end() ? place + 1 : place, moved);
}

void TickerdeckTable::AppendRow(Price* price)
{
    m_rows.push_back(price);
    m_order.Keys().Append(*price);
    // A duplicate keeps pointing at its first row.
    m_rowIndex.Insert(price, static_cast<int>(m_rows.size()) - 1);
    m_styler.Ties().Resize(m_rows.size());
}

void TickerdeckTable::InsertRowAt(int row, Price* price)
{
    m_rows.insert(m_rows.begin() + row, price);
    m_order.Keys().Insert(row, *price);
    m_rowIndex.Set(price, row);
    NoteRowsShifted(row + 1);
    m_styler.Ties().Insert(row);
    m_view.RowInserted(row);
}

void TickerdeckTable::EraseRowAt(int row)
{
    Price* price = m_rows[row];
    m_rows.erase(m_rows.begin() + row);
    m_order.Keys().Erase(row);
    m_rowIndex.Erase(price);
    NoteRowsShifted(row);
    if (m_duplicateMembers > 0)
    {
        // The quote may still show at the row of a duplicate.
        const auto it = std::find(m_rows.begin(), m_rows.end(), price);
        if (it != m_rows.end())
            m_rowIndex.Set(price, static_cast<int>(it - m_rows.begin()));
    }
    m_styler.Ties().Erase(row);
    // The flashes below move up with their rows, whether the grid is told
    // about this row or, once for several, about the tail.
    m_view.RowErased(row);
}

void TickerdeckTable::ReindexRowsFrom(int first)
{
    // Walk backwards so that of duplicates the first row wins.
    for (int row = static_cast<int>(m_rows.size()) - 1; row >= first; --row)
        m_rowIndex.Set(m_rows[row], row);
    if (m_shiftedFrom >= first)
    {
        m_shiftedFrom = -1;
        m_unindexedShifts = 0;
    }
}

void TickerdeckTable::IndexAllRows()
{
    m_rowIndex.IndexAfresh(m_rows);
    m_shiftedFrom = -1;
    m_unindexedShifts = 0;
}

void TickerdeckTable::NoteRowsShifted(int first)
{
    m_shiftedFrom = m_shiftedFrom < 0 ? first : std::min(m_shiftedFrom, first);
    if (++m_unindexedShifts > kUnindexedShiftLimit)
        ReindexRowsFrom(m_shiftedFrom);
}

void TickerdeckTable::AddMember(Price* price)
{
    m_members.push_back(price);
    const int count = std::max(m_memberCount.Find(price), 0) + 1;
    m_memberCount.Set(price, count);
    if (count == 2)
        ++m_duplicateMembers;
}

void TickerdeckTable::EraseMember(Price* price)
{
    const auto it = std::find(m_members.begin(), m_members.end(), price);
    if (it == m_members.end())
        return;
    m_members.erase(it);
    const int left = m_memberCount.Find(price) - 1;
    if (left == 1)
        --m_duplicateMembers;
    if (left > 0)
        m_memberCount.Set(price, left);
    else
        m_memberCount.Erase(price);
}

bool TickerdeckTable::Accepts(const Price* price) const
{
    return !m_filter || (price && m_filter->Accepts(*price));
}

// ---------------------------------------------------------------------------
// Sorting

void TickerdeckTable::SetFilter(FilterSet* filter)
{
    m_filter = filter;
    if (m_filter)
        m_filter->SetComputed(&m_format.computed);
}

// ---------------------------------------------------------------------------
// Quote events

void TickerdeckTable::UpdateRow(const wxCommandEvent& event)
{
    Price* price = static_cast<Price*>(event.GetClientData());
    int changedMask = event.GetInt();
    bool returned = false;
    int row = price ? AdmitForUpdate(price, returned) : -1;
    if (row < 0)
        return;
    // A row the filter lets back in came straight into its place.
    bool moves = !returned && m_order.SortTouchedBy(changedMask);
    if (moves && m_order.IsSortHeld())
    {
        // The row the user aims at stays under the pointer; the keys kept
        // in row order are worked out again when the sort catches up.
        m_order.FallBehind();
        moves = false;
    }
    // A quote of a burst had its row loaded ahead by the board; a lone one
    // has no hurry.
    if (moves)
        m_order.PrefetchNeighbours(row, GetView()->GetSortingColumn());
    const QuoteGridView::Area area = m_view.VisibleArea();
    if (moves)
    {
        const int newRow = m_order.MoveIntoSortPosition(row);
        m_view.CarrySelection(row, newRow);
        if (area.IntersectsRows(std::min(row, newRow), std::max(row, newRow)))
            m_view.RefreshRows(std::min(row, newRow), std::max(row, newRow));
        row = newRow;
    }
    // The moved range shows other quotes now, and a returning row is new on
    // screen, so every cell with a change bit counts.
    if (moves || returned)
        changedMask = ~0;
    if (area.ContainsRow(row))
        m_view.RefreshChangedCells(row, changedMask, event.GetExtraLong() != 0, area);
}

int TickerdeckTable::AdmitForUpdate(Price* price, bool& returned)
{
    const int row = RowOf(price);
    if (!m_filter)
        return row;
    // A shown row is a member and passed on its instrument already; only a
    // row the filter lets back in needs the member count and the instrument,
    // each a cache miss of its own on a long tab.
    if (row >= 0 ? !m_filter->AcceptsShown(*price) : !m_filter->Accepts(*price))
    {
        // Every row of the quote goes: a quote listed twice shows twice.
        for (int shown = row; shown >= 0; shown = m_duplicateMembers > 0 ? RowOf(price) : -1)
            DropShownRow(shown);
        return -1;
    }
    if (row >= 0 || !IsMember(price))
        return row;
    const int place = m_order.ReturningRowPlace(*price);
    const int copies = m_duplicateMembers > 0 ? m_memberCount.Find(price) : 1;
    for (int copy = 0; copy < copies; ++copy)
        InsertRowAt(place, price);
    wxGridTableMessage inserted(this, wxGRIDTABLE_NOTIFY_ROWS_INSERTED, place, copies);
    TellGridRowsMoved(inserted, place);
    returned = true;
    return place;
}

void TickerdeckTable::DropShownRow(int row)
{
    EraseRowAt(row);
    wxGridTableMessage deleted(this, wxGRIDTABLE_NOTIFY_ROWS_DELETED, row, 1);
    TellGridRowsMoved(deleted, row);
}

void TickerdeckTable::DropRowsOnScreenTheFilterRefuses()
{
    // Only while the grid counts the rows the table holds: not in the midst
    // of a rebuild that tells the grid at its end.
    const wxGrid* grid = GetView();
    if (!m_filter || !grid || grid->GetBatchCount() > 0 || grid->GetNumberRows() != GetNumberRows())
        return;
    // Rows below a dropped one move up into view and are judged in turn.
    int row = m_view.VisibleArea().firstRow;
    while (row < static_cast<int>(m_rows.size()) && m_view.VisibleArea().ContainsRow(row))
    {
        if (m_filter->AcceptsShown(*m_rows[row]))
            ++row;
        else
            DropShownRow(row);
    }
}

void TickerdeckTable::TellGridRowsMoved(wxGridTableMessage& message, int firstMoved)
{
    wxGrid* grid = GetView();
    if (!grid)
        return;
    auto* boardGrid = wxDynamicCast(grid, wxGridEx);
    if (!boardGrid)
    {
        grid->BeginBatch();
        grid->ProcessTableMessage(message);
        grid->EndBatch();
        return;
    }
    // On a filtered tab rows leave and come back with the quotes; the grid
    // would repaint the whole window for each, though on a long tab the row
    // is rarely on screen.
    boardGrid->ProcessRowCountMessage(message);
    m_view.RefreshFromRow(firstMoved);
}

// ---------------------------------------------------------------------------
// Cell attributes
