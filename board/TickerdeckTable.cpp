#include "board/TickerdeckTable.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "model/ColumnSpec.h"
#include "contract/Records.h"
#include "model/FilterSet.h"

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
    m_members.Add(price);
    AppendRow(price);
}

int TickerdeckTable::AdmitMember(Price* price)
{
    if (!price)
        return -1;
    m_members.Add(price);
    if (!m_filter.Accepts(price))
        return -1;
    AppendRow(price);
    return static_cast<int>(m_rows.size()) - 1;
}

std::vector<Price*> TickerdeckTable::ClearRowsAndMembers()
{
    m_rows.clear();
    std::vector<Price*> members = m_members.Clear();
    m_index.Clear();
    m_order.Keys().Invalidate();
    m_styler.Ties().Clear();
    m_view.DropFlashes();
    m_index.ReindexFrom(0);
    return members;
}

void TickerdeckTable::RebuildRowsFromMembers(bool indexRows)
{
    m_rows.clear();
    m_order.Keys().Invalidate();
    // Other quotes may come to stand on the flashing cells.
    m_view.DropFlashes();
    for (Price* price : m_members.List())
        if (m_filter.Accepts(price))
            m_rows.push_back(price);
    if (indexRows)
        m_index.IndexAll();
    m_styler.Ties().Resize(m_rows.size());
}

void TickerdeckTable::RemoveRow(Price* price)
{
    if (!price)
        return;
    // A member the filter hides has no row but leaves the tab all the same.
    const int row = m_index.RowOf(price);
    if (row >= 0)
    {
        m_view.RefreshRows(row, row);
        EraseRowAt(row);
    }
    m_members.Erase(price);
    // A bookmark outliving its row would be saved for good.
    if (!m_members.Contains(price))
        m_members.Bookmarks().erase(price->instrument);
}

void TickerdeckTable::RemoveMembers(const std::vector<Price*>& quotes)
{
    // One pass over the rows whatever the count: erasing row by row made
    // removing a large selection quadratic.
    std::unordered_set<const Price*> gone(quotes.begin(), quotes.end());
    const auto leaving = [&gone](const Price* price) { return gone.count(price) > 0; };
    m_members.EraseAll(gone);
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), leaving), m_rows.end());
    m_order.Keys().Invalidate();
    m_view.DropFlashes();
    m_index.IndexAll();
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
    m_index.ReindexFrom(std::min(first, second));
    m_styler.Ties().Swap(first, second);
    // The stored order follows, so that a save keeps what the user arranged.
    m_members.SwapPlaces(a, b);
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
    m_index.ReindexFrom(first);
    m_styler.Ties().Move(from, to);
    m_view.RefreshRows(first, last);
    // Stored order follows, so that a save keeps what the user arranged;
    // members a filter hides keep their places.
    m_members.MoveNextTo(moved, displaced, step > 0);
}

void TickerdeckTable::AppendRow(Price* price)
{
    m_rows.push_back(price);
    m_order.Keys().Append(*price);
    // A duplicate keeps pointing at its first row.
    m_index.PlaceFirst(price, static_cast<int>(m_rows.size()) - 1);
    m_styler.Ties().Resize(m_rows.size());
}

void TickerdeckTable::InsertRowAt(int row, Price* price)
{
    m_rows.insert(m_rows.begin() + row, price);
    m_order.Keys().Insert(row, *price);
    m_index.Place(price, row);
    m_index.NoteShifted(row + 1);
    m_styler.Ties().Insert(row);
    m_view.RowInserted(row);
}

void TickerdeckTable::EraseRowAt(int row)
{
    Price* price = m_rows[row];
    m_rows.erase(m_rows.begin() + row);
    m_order.Keys().Erase(row);
    m_index.Forget(price);
    m_index.NoteShifted(row);
    if (m_members.HasDuplicates())
    {
        // The quote may still show at the row of a duplicate.
        const auto it = std::find(m_rows.begin(), m_rows.end(), price);
        if (it != m_rows.end())
            m_index.Place(price, static_cast<int>(it - m_rows.begin()));
    }
    m_styler.Ties().Erase(row);
    // The flashes below move up with their rows, whether the grid is told
    // about this row or, once for several, about the tail.
    m_view.RowErased(row);
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
        m_order.PrefetchNeighbours(row, m_order.CurrentSort().col);
    const QuoteGridView::Area area = m_view.VisibleArea();
    if (moves)
    {
        const int newRow = m_order.MoveIntoSortPosition(row);
        // The selection's handlers may change the grid's sort.
        if (m_view.CarrySelection(row, newRow))
            m_order.ReadSortAgain();
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
    const int row = m_index.RowOf(price);
    const FilterSet* filter = m_filter.Get();
    if (!filter)
        return row;
    // A shown row is a member and passed on its instrument already; only a
    // row the filter lets back in needs the member count and the instrument,
    // each a cache miss of its own on a long tab.
    if (row >= 0 ? !filter->AcceptsShown(*price) : !filter->Accepts(*price))
    {
        // Every row of the quote goes: a quote listed twice shows twice.
        for (int shown = row; shown >= 0; shown = m_members.HasDuplicates() ? m_index.RowOf(price) : -1)
            m_filter.DropShownRow(shown);
        return -1;
    }
    if (row >= 0 || !m_members.Contains(price))
        return row;
    const int place = m_order.ReturningRowPlace(*price);
    const int copies = m_members.HasDuplicates() ? m_members.Copies(price) : 1;
    for (int copy = 0; copy < copies; ++copy)
        InsertRowAt(place, price);
    wxGridTableMessage inserted(this, wxGRIDTABLE_NOTIFY_ROWS_INSERTED, place, copies);
    m_view.TellRowCountChanged(inserted, place);
    returned = true;
    return place;
}

QuoteRunHold::QuoteRunHold(TickerdeckTable* table) : m_table(table)
{
    if (!m_table)
        return;
    m_table->Order().HoldSortForRun(true);
    m_table->View().HoldForRun(true);
}

QuoteRunHold::~QuoteRunHold()
{
    if (!m_table)
        return;
    m_table->Order().HoldSortForRun(false);
    m_table->View().HoldForRun(false);
}

// ---------------------------------------------------------------------------
// Cell attributes
