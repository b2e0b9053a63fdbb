#include "board/TickerdeckTable.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "model/ColumnSpec.h"
#include "model/Prefetch.h"
#include "model/RowComparator.h"
#include "controls/wxGridEx.h"
#include "contract/Records.h"
#include "model/FilterSet.h"

namespace {

constexpr std::chrono::milliseconds kFlashDuration{1000};
constexpr int kOwnValueColumns = column::Vwap - column::Open + 1;
// A painting grid holds at most a couple of cell attributes at once (the one
// it draws and its one-entry cache); a few spares cover nested lookups.
constexpr size_t kAttrPoolLimit = 8;

int FlashTimerId(int row, int col)
{
    return col + TickerdeckTable::kColumnCount * row;
}

int FlashRow(const wxTimer& timer)
{
    return timer.GetId() / TickerdeckTable::kColumnCount;
}

int FlashCol(const wxTimer& timer)
{
    return timer.GetId() % TickerdeckTable::kColumnCount;
}

}  // namespace

/// The part of the grid that is on screen, in unscrolled grid coordinates.
struct TickerdeckTable::VisibleArea
{
    int firstRow = 0;
    int lastRow = -1;
    int left = 0;
    int right = -1;

    bool ContainsRow(int row) const { return row >= firstRow && row <= lastRow; }
    bool IntersectsRows(int first, int last) const { return first <= lastRow && last >= firstRow; }
};

TickerdeckTable::TickerdeckTable() = default;

TickerdeckTable::~TickerdeckTable()
{
    // The owning grid may be half torn down by now: release the flashes
    // without asking it anything.
    for (auto& flash : m_flashTimers)
    {
        wxTimer* timer = flash.first;
        timer->Stop();
        auto* attr = static_cast<wxGridCellAttr*>(timer->GetClientData());
        attr->SetClientData(nullptr);
        attr->DecRef();
        delete timer;
    }
    m_flashTimers.clear();
    m_flashOfCell.clear();
    for (wxGridCellAttr* attr : m_attrPool)
        attr->DecRef();
}

// ---------------------------------------------------------------------------
// wxGridTableBase

int TickerdeckTable::GetNumberRows()
{
    return static_cast<int>(m_rows.size());
}

int TickerdeckTable::GetNumberCols()
{
    return kColumnCount;
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
    return ColumnLabel(col);
}

wxGridCellAttr* TickerdeckTable::GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind)
{
    if (!RowPrice(row) || !IsColumn(col))
        return nullptr;

    wxGridCellAttrProvider* provider = GetAttrProvider();
    wxGridCellAttr* attr = provider ? provider->GetAttr(row, col, wxGridCellAttr::Cell) : nullptr;
    bool stored = attr != nullptr;
    if (!attr && kind == wxGridCellAttr::Cell && CanHaveAttributes())
    {
        // Someone wants to keep state in this very cell: give it its own.
        attr = new wxGridCellAttr;
        attr->SetBackgroundColour(GridBackground());
        attr->IncRef();
        SetAttr(attr, row, col);
        stored = true;
    }
    if (!attr)
        attr = ReusableAttr();
    StyleAttr(*attr, row, col, stored);
    return attr;
}

void TickerdeckTable::RestyleForPaint(wxGridCellAttr& attr, int row, int col)
{
    if (!RowPrice(row) || !IsColumn(col))
        return;
    wxGridCellAttrProvider* provider = GetAttrProvider();
    wxGridCellAttr* stored = provider ? provider->GetAttr(row, col, wxGridCellAttr::Cell) : nullptr;
    const bool isStored = stored == &attr;
    if (stored)
        stored->DecRef();
    // Attributes of other origin, such as the grid's default, are not ours to style.
    const bool isPooled = std::find(m_attrPool.begin(), m_attrPool.end(), &attr) != m_attrPool.end();
    if (!isStored && !isPooled)
        return;
    StyleAttr(attr, row, col, isStored);
}

// ---------------------------------------------------------------------------
// Rows and members

bool TickerdeckTable::IsMember(const Price* price) const
{
    const auto it = m_memberCount.find(price);
    return it != m_memberCount.end() && it->second > 0;
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
        const auto listed = m_memberCount.find(price);
        if (listed != m_memberCount.end() && listed->second > 1)
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

int TickerdeckTable::PlaceInSortOrder(int row)
{
    const wxGrid* grid = GetView();
    if (!grid || grid->GetSortingColumn() == wxNOT_FOUND || !RowPrice(row))
        return row;
    return MoveIntoSortPosition(row);
}

void TickerdeckTable::ClearRowsAndMembers()
{
    m_rows.clear();
    m_members.clear();
    m_rowIndex.Clear();
    m_sortKeys.Invalidate();
    m_memberCount.clear();
    m_duplicateMembers = 0;
    m_tieColours.clear();
}

void TickerdeckTable::RebuildRowsFromMembers()
{
    m_rows.clear();
    m_rowIndex.Clear();
    m_sortKeys.Invalidate();
    for (Price* price : m_members)
        if (Accepts(price))
            m_rows.push_back(price);
    ReindexRowsFrom(0);
    m_tieColours.resize(m_rows.size() * kOwnValueColumns, CellColour::Unset);
}

void TickerdeckTable::RemoveRow(Price* price)
{
    const int row = RowOf(price);
    if (row < 0)
        return;
    DropFlashesOfRow(row);
    RefreshRowRange(row, row);
    EraseRowAt(row);
    EraseMember(price);
}

void TickerdeckTable::AppendRow(Price* price)
{
    m_rows.push_back(price);
    m_sortKeys.Append(*price);
    // A duplicate keeps pointing at its first row.
    m_rowIndex.Insert(price, static_cast<int>(m_rows.size()) - 1);
    m_tieColours.resize(m_rows.size() * kOwnValueColumns, CellColour::Unset);
}

void TickerdeckTable::EraseRowAt(int row)
{
    Price* price = m_rows[row];
    m_rows.erase(m_rows.begin() + row);
    m_sortKeys.Erase(row);
    m_rowIndex.Erase(price);
    ReindexRowsFrom(row);
    if (!m_rowIndex.Contains(price))
    {
        // Only a duplicate above the erased row can still show this quote.
        const auto it = std::find(m_rows.begin(), m_rows.begin() + row, price);
        if (it != m_rows.begin() + row)
            m_rowIndex.Set(price, static_cast<int>(it - m_rows.begin()));
    }
    const auto tie = m_tieColours.begin() + static_cast<long>(row) * kOwnValueColumns;
    m_tieColours.erase(tie, tie + kOwnValueColumns);

    // The grid is told about the row at this index, which shifts the stored
    // cell attributes below it up by one; their flash ids follow.
    m_flashOfCell.clear();
    for (auto& flash : m_flashTimers)
    {
        wxTimer* timer = flash.first;
        if (FlashRow(*timer) > row)
            timer->SetOwner(timer->GetOwner(), timer->GetId() - kColumnCount);
        m_flashOfCell.emplace(timer->GetId(), timer);
    }
}

void TickerdeckTable::ShiftRow(int from, int to)
{
    // The rows stay a permutation at every step (selection events fire in
    // between). The index is left alone: the neighbour is found one row
    // from where it was last seen.
    std::swap(m_rows[from], m_rows[to]);
    m_sortKeys.Swap(from, to);
}

void TickerdeckTable::ReindexRowsFrom(int first)
{
    // Walk backwards so that of duplicates the first row wins.
    for (int row = static_cast<int>(m_rows.size()) - 1; row >= first; --row)
        m_rowIndex.Set(m_rows[row], row);
}

void TickerdeckTable::AddMember(Price* price)
{
    m_members.push_back(price);
    if (++m_memberCount[price] == 2)
        ++m_duplicateMembers;
}

void TickerdeckTable::EraseMember(Price* price)
{
    const auto it = std::find(m_members.begin(), m_members.end(), price);
    if (it == m_members.end())
        return;
    m_members.erase(it);
    const int left = --m_memberCount[price];
    if (left == 1)
        --m_duplicateMembers;
    if (left <= 0)
        m_memberCount.erase(price);
}

bool TickerdeckTable::Accepts(const Price* price) const
{
    return !m_filter || (price && m_filter->Accepts(*price));
}

// ---------------------------------------------------------------------------
// Sorting

bool TickerdeckTable::CompareRows(int col, const Price* a, const Price* b) const
{
    if (!a || !b)
        return false;
    return ::CompareRows(col, *a, *b);
}

void TickerdeckTable::SortRows(int col, bool ascending)
{
    if (ascending)
    {
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [col](const Price* a, const Price* b) { return ::CompareRows(col, *a, *b); });
    }
    else
    {
        std::reverse(m_rows.begin(), m_rows.end());
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [col](const Price* a, const Price* b) { return ::CompareRows(col, *b, *a); });
    }
    m_rowIndex.Clear();
    ReindexRowsFrom(0);
    m_sortKeys.Invalidate();
}

bool TickerdeckTable::ColumnChanged(int col, int mask)
{
    if (!IsColumn(col))
        return false;
    const int bit = ColumnAt(col).changeBit;
    return bit >= 0 && (static_cast<uint32_t>(mask) & (uint32_t{1} << bit)) != 0;
}

// ---------------------------------------------------------------------------
// Quote events

void TickerdeckTable::UpdateRow(const wxCommandEvent& event)
{
    Price* price = static_cast<Price*>(event.GetClientData());
    int changedMask = event.GetInt();
    bool appended = false;
    int row = price ? AdmitForUpdate(price, appended) : -1;
    if (row < 0)
        return;
    // A row the filter admits again comes in at the end, whatever changed,
    // and must find its place before later moves can rely on the order.
    const wxGrid* grid = GetView();
    const bool moves = SortTouchedBy(changedMask) || (appended && grid && grid->GetSortingColumn() != wxNOT_FOUND);
    // A quote of a burst had its row loaded ahead by the board; a lone one
    // has no hurry.
    if (moves)
        PrefetchNeighbours(row, GetView()->GetSortingColumn());
    const VisibleArea area = ComputeVisibleArea();
    if (moves)
    {
        const int newRow = MoveIntoSortPosition(row);
        if (area.IntersectsRows(std::min(row, newRow), std::max(row, newRow)))
            RefreshRowRange(std::min(row, newRow), std::max(row, newRow));
        row = newRow;
        // The moved range shows other quotes now, so every cell with a change bit counts.
        changedMask = ~0;
    }
    if (area.ContainsRow(row))
        FlashAndRefreshChangedCells(row, changedMask, event.GetExtraLong() != 0, area);
}

int TickerdeckTable::AdmitForUpdate(Price* price, bool& appended)
{
    if (!m_filter)
        return RowOf(price);
    if (!IsMember(price))
        return -1;

    const int row = RowOf(price);
    if (!m_filter->Accepts(*price))
    {
        if (row >= 0)
        {
            DropFlashesOfRow(row);
            EraseRowAt(row);
            NotifyGrid(wxGRIDTABLE_NOTIFY_ROWS_DELETED, row, 1);
        }
        return -1;
    }
    if (row >= 0)
        return row;
    AppendRow(price);
    NotifyGrid(wxGRIDTABLE_NOTIFY_ROWS_APPENDED, 1, 0);
    appended = true;
    return static_cast<int>(m_rows.size()) - 1;
}

void TickerdeckTable::PrefetchQueuedUpdate(const Price& price, int mask, LoadAhead what) const
{
    if (!SortTouchedBy(mask))
        return;
    const int col = GetView()->GetSortingColumn();
    if (what == LoadAhead::RowAndKey)
    {
        PrefetchForMove(price, col);
        return;
    }
    // Only the index slot this far ahead: asking for the quote's own line
    // as well measured slower; the feed has just written it.
    m_rowIndex.Prefetch(&price);
}

void TickerdeckTable::PrefetchForMove(const Price& price, int col) const
{
    // The quote's new value, its index entry, then its row and sort key:
    // loads that would otherwise wait for one another across the checks in
    // between, each a cache miss on a large tab.
    PrefetchMemory(SortKeyAddress(col, price));
    const int lastSeen = m_rowIndex.Find(&price);
    if (lastSeen < 0 || lastSeen >= static_cast<int>(m_rows.size()))
        return;
    PrefetchMemory(&m_rows[lastSeen]);
    if (m_sortKeys.IsFor(col))
        PrefetchMemory(m_sortKeys.Data() + lastSeen);
}

void TickerdeckTable::PrefetchNeighbours(int row, int col) const
{
    // Without keys the neighbours compared next are quotes scattered over
    // the host's memory, each a cache miss; a quote typically passes a
    // handful of them, so start loading them all at once.
    if (m_sortKeys.IsFor(col))
        return;
    constexpr int kReach = 8;
    const int count = static_cast<int>(m_rows.size());
    const int first = std::max(0, row - kReach);
    const int last = std::min(count - 1, row + kReach);
    for (int neighbour = first; neighbour <= last; ++neighbour)
        if (neighbour != row)
            PrefetchMemory(SortKeyAddress(col, *m_rows[neighbour]));
}

bool TickerdeckTable::SortTouchedBy(int mask) const
{
    const wxGrid* grid = GetView();
    return grid && ColumnChanged(grid->GetSortingColumn(), mask);
}

bool TickerdeckTable::ComesBefore(const Price* a, const Price* b, int col, bool ascending) const
{
    return ascending ? ::CompareRows(col, *a, *b) : ::CompareRows(col, *b, *a);
}

int TickerdeckTable::MoveIntoSortPosition(int row)
{
    const wxGrid* grid = GetView();
    const int col = grid->GetSortingColumn();
    const bool ascending = grid->IsSortOrderAscending();
    if (!HasNumericSortKey(col))
    {
        return BubbleIntoPlace(row, [this, col, ascending](int first, int second) {
            return ComesBefore(m_rows[first], m_rows[second], col, ascending);
        });
    }
    if (m_sortKeys.IsFor(col))
        m_sortKeys.Refresh(row, *m_rows[row]);
    else
        m_sortKeys.Rebuild(col, m_rows);
    const double* keys = m_sortKeys.Data();
    if (ascending)
        return BubbleIntoPlace(row, [&keys](int first, int second) { return keys[first] < keys[second]; });
    return BubbleIntoPlace(row, [&keys](int first, int second) { return keys[second] < keys[first]; });
}

template <typename Before>
int TickerdeckTable::BubbleIntoPlace(int row, Before before)
{
    // `before(a, b)`: the row at index a belongs above the one at index b.
    // Asking the grid about every swap costs more than the swap itself; with
    // nothing selected there is no selection to carry along.
    const wxGrid* grid = GetView();
    const bool anySelected = grid->IsSelection();
    const bool movedWasSelected = anySelected && grid->IsInSelection(row, 0);
    const int count = static_cast<int>(m_rows.size());

    // Neighbours shift past the moved quote one by one; its own index is
    // written once where it stops.
    Price* moved = m_rows[row];
    int at = row;
    while (at + 1 < count && before(at + 1, at))
    {
        ShiftRow(at + 1, at);
        if (anySelected)
            FollowSelection(at + 1, at);
        ++at;
    }
    if (at == row)
    {
        while (at > 0 && before(at, at - 1))
        {
            ShiftRow(at - 1, at);
            if (anySelected)
                FollowSelection(at - 1, at);
            --at;
        }
    }
    m_rowIndex.Set(moved, at);
    if (movedWasSelected && at != row)
        GetView()->SelectRow(at);
    return at;
}

void TickerdeckTable::FollowSelection(int fromRow, int toRow) const
{
    wxGrid* grid = GetView();
    if (grid->IsInSelection(fromRow, 0))
        grid->SelectRow(toRow);
}

TickerdeckTable::VisibleArea TickerdeckTable::ComputeVisibleArea() const
{
    VisibleArea area;
    wxGrid* grid = GetView();
    if (!grid || m_rows.empty())
        return area;
    const wxSize size = grid->GetGridWindow()->GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return area;
    int left = 0;
    int top = 0;
    grid->CalcUnscrolledPosition(0, 0, &left, &top);
    // The grid's own lookup of a row by position costs as much as the rest of
    // an update; the rows shown change only with the scroll position, the
    // window's height, the number of rows or their height.
    const VisibleRows key{top, size.y, grid->GetNumberRows(), grid->GetDefaultRowSize()};
    if (!m_visibleRows.SameView(key))
    {
        m_visibleRows = key;
        m_visibleRows.first = grid->YToRow(top, true);
        m_visibleRows.last = grid->YToRow(top + size.y - 1, true);
    }
    area.firstRow = m_visibleRows.first;
    area.lastRow = m_visibleRows.last;
    area.left = left;
    area.right = left + size.x - 1;
    return area;
}

void TickerdeckTable::FlashAndRefreshChangedCells(int row, int mask, bool flash, const VisibleArea& area)
{
    // Column geometry is summed here rather than asked per cell: the grid's
    // own cell rectangles consult the cell attribute, which costs a styling.
    // Changed cells side by side are refreshed as one area.
    wxGrid* grid = GetView();
    const wxRect rowRect = RowRect(row);
    wxRect pending;
    int left = 0;
    for (int position = 0; position < kColumnCount; ++position)
    {
        const int col = grid->GetColAt(position);
        if (!IsColumn(col))
            continue;
        const wxRect rect(left, rowRect.y, grid->GetColSize(col), rowRect.height);
        left += rect.width;
        if (!ColumnChanged(col, mask) || rect.width <= 0 || rect.GetRight() < area.left || rect.GetLeft() > area.right)
            continue;
        if (flash)
            StartFlash(row, col);
        if (!pending.IsEmpty() && pending.GetRight() + 1 == rect.GetLeft())
            pending.width += rect.width;
        else
        {
            if (!pending.IsEmpty())
                RefreshCellRect(pending);
            pending = rect;
        }
    }
    if (!pending.IsEmpty())
        RefreshCellRect(pending);
}

wxRect TickerdeckTable::RowRect(int row) const
{
    wxGrid* grid = GetView();
    if (const auto* boardGrid = wxDynamicCast(grid, wxGridEx))
        return wxRect(0, boardGrid->RowTopPosition(row), 0, grid->GetRowHeight(row));
    const wxRect cell = grid->CellToRect(row, 0);
    return wxRect(0, cell.y, 0, cell.height);
}

void TickerdeckTable::RefreshRowRange(int first, int last) const
{
    wxGrid* grid = GetView();
    if (!grid)
        return;
    const wxRect top = RowRect(first);
    const wxRect bottom = RowRect(last);
    int left = 0;
    grid->CalcUnscrolledPosition(0, 0, &left, nullptr);
    const int width = grid->GetGridWindow()->GetClientSize().x;
    RefreshCellRect(wxRect(left, top.GetTop(), width, bottom.GetBottom() - top.GetTop() + 1));
}

void TickerdeckTable::RefreshCell(int row, int col) const
{
    if (GetView() && RowPrice(row) && IsColumn(col))
        RefreshCellRect(GetView()->CellToRect(row, col));
}

void TickerdeckTable::RefreshCellRect(const wxRect& rect) const
{
    wxGrid* grid = GetView();
    // A busy board changes cells many times a frame; its own grid gathers
    // them into one repaint.
    if (auto* boardGrid = wxDynamicCast(grid, wxGridEx))
    {
        boardGrid->RefreshAreaSoon(rect);
        return;
    }
    int x = 0;
    int y = 0;
    grid->CalcScrolledPosition(rect.x, rect.y, &x, &y);
    grid->GetGridWindow()->RefreshRect(wxRect(x, y, rect.width, rect.height), false);
}

void TickerdeckTable::NotifyGrid(int messageId, int position, int count)
{
    wxGrid* grid = GetView();
    if (!grid)
        return;
    grid->BeginBatch();
    wxGridTableMessage message(this, messageId, position, count);
    grid->ProcessTableMessage(message);
    grid->EndBatch();
}

// ---------------------------------------------------------------------------
// Cell flashes

wxTimer* TickerdeckTable::FlashTimerAt(int row, int col) const
{
    const auto flash = m_flashOfCell.find(FlashTimerId(row, col));
    return flash == m_flashOfCell.end() ? nullptr : flash->second;
}

std::optional<FlashSchedule::Clock::time_point> TickerdeckTable::FlashEndAt(int row, int col) const
{
    wxTimer* timer = FlashTimerAt(row, col);
    return timer ? m_flashSchedule.EndOf(timer) : std::nullopt;
}

void TickerdeckTable::StartFlash(int row, int col)
{
    // A cell on a busy board flashes again long before its flash ends. The
    // toolkit finds a cell's attribute by scanning every stored one, and
    // every flashing cell has one; the running flash already knows it.
    if (wxTimer* running = FlashTimerAt(row, col))
    {
        static_cast<wxGridCellAttr*>(running->GetClientData())->SetBackgroundColour(m_highlightColour);
        m_flashSchedule.Schedule(running, FlashSchedule::Clock::now() + kFlashDuration);
        ArmFlashClock();
        return;
    }

    wxGrid* grid = GetView();
    wxGridCellAttrProvider* provider = CanHaveAttributes() ? GetAttrProvider() : nullptr;
    if (!grid || !provider)
        return;

    wxGridCellAttr* attr = provider->GetAttr(row, col, wxGridCellAttr::Cell);
    bool createdForFlash = false;
    if (!attr)
    {
        // The flash state needs a cell of its own; it goes again when the flash ends.
        attr = new wxGridCellAttr;
        attr->IncRef();
        grid->SetAttr(row, col, attr);
        createdForFlash = true;
    }

    auto* timer = static_cast<wxTimer*>(attr->GetClientData());
    const auto running = timer ? m_flashTimers.find(timer) : m_flashTimers.end();
    if (running != m_flashTimers.end())
        attr->DecRef();  // the running flash already holds its reference
    else
    {
        timer = new wxTimer(grid, FlashTimerId(row, col));
        timer->SetClientData(attr);
        attr->SetClientData(timer);
        m_flashTimers.emplace(timer, createdForFlash);
    }
    if (const auto named = m_flashOfCell.find(timer->GetId()); named != m_flashOfCell.end() && named->second == timer)
        m_flashOfCell.erase(named);
    timer->SetOwner(grid, FlashTimerId(row, col));
    m_flashOfCell[timer->GetId()] = timer;
    attr->SetBackgroundColour(m_highlightColour);
    // A repeated change restarts the cell's own flash.
    m_flashSchedule.Schedule(timer, FlashSchedule::Clock::now() + kFlashDuration);
    ArmFlashClock();
}

void TickerdeckTable::ArmFlashClock()
{
    const std::optional<FlashSchedule::Clock::time_point> next = m_flashSchedule.Next();
    if (!next)
    {
        if (m_flashClock)
            m_flashClock->Stop();
        return;
    }
    wxGrid* grid = GetView();
    if (!grid)
        return;
    if (!m_flashClock)
        m_flashClock = std::make_unique<wxTimer>(grid);
    // Flashes start in order of their ends; a running clock already wakes
    // for an earlier one.
    if (m_flashClock->IsRunning())
        return;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - FlashSchedule::Clock::now());
    m_flashClock->StartOnce(static_cast<int>(std::max<long long>(wait.count(), 1)));
}

void TickerdeckTable::EndDueFlashes()
{
    for (wxTimer* timer : m_flashSchedule.TakeDue(FlashSchedule::Clock::now()))
    {
        const int row = FlashRow(*timer);
        const int col = FlashCol(*timer);
        EndFlash(timer);
        RefreshCell(row, col);
    }
    ArmFlashClock();
}

void TickerdeckTable::OnFlashTimer(wxTimerEvent& event)
{
    wxTimer* timer = &event.GetTimer();
    if (m_flashClock && timer == m_flashClock.get())
    {
        EndDueFlashes();
        return;
    }
    if (!m_flashTimers.count(timer))
    {
        event.Skip();
        return;
    }
    const int row = FlashRow(*timer);
    const int col = FlashCol(*timer);
    EndFlash(timer);
    RefreshCell(row, col);
}

void TickerdeckTable::EndFlash(wxTimer* timer)
{
    const auto flash = m_flashTimers.find(timer);
    if (flash == m_flashTimers.end())
        return;
    const bool createdForFlash = flash->second;
    m_flashTimers.erase(flash);
    if (const auto cell = m_flashOfCell.find(timer->GetId()); cell != m_flashOfCell.end() && cell->second == timer)
        m_flashOfCell.erase(cell);
    m_flashSchedule.Cancel(timer);

    auto* attr = static_cast<wxGridCellAttr*>(timer->GetClientData());
    const int row = FlashRow(*timer);
    const int col = FlashCol(*timer);
    timer->Stop();
    delete timer;

    attr->SetBackgroundColour(GridBackground());
    attr->SetClientData(nullptr);
    wxGrid* grid = GetView();
    wxGridCellAttrProvider* provider = GetAttrProvider();
    if (createdForFlash && grid && provider && RowPrice(row))
    {
        wxGridCellAttr* stored = provider->GetAttr(row, col, wxGridCellAttr::Cell);
        if (stored == attr)
            grid->SetAttr(row, col, nullptr);
        if (stored)
            stored->DecRef();
    }
    attr->DecRef();
}

void TickerdeckTable::DropFlashesOfRow(int row)
{
    std::vector<wxTimer*> ofRow;
    for (const auto& flash : m_flashTimers)
        if (FlashRow(*flash.first) == row)
            ofRow.push_back(flash.first);
    for (wxTimer* timer : ofRow)
        EndFlash(timer);
}

void TickerdeckTable::DeleteFlashTimers()
{
    while (!m_flashTimers.empty())
        EndFlash(m_flashTimers.begin()->first);
}

// ---------------------------------------------------------------------------
// Cell attributes

wxGridCellAttr* TickerdeckTable::ReusableAttr()
{
    // An attribute referenced by nobody but this table can be restyled freely.
    for (wxGridCellAttr* attr : m_attrPool)
    {
        if (attr->GetRefCount() == 1)
        {
            attr->IncRef();
            return attr;
        }
    }
    auto* attr = new wxGridCellAttr;
    if (m_attrPool.size() < kAttrPoolLimit)
    {
        m_attrPool.push_back(attr);
        attr->IncRef();
    }
    return attr;
}

void TickerdeckTable::StyleAttr(wxGridCellAttr& attr, int row, int col, bool stored)
{
    const ColumnSpec& spec = ColumnAt(col);
    // A stored cell keeps a vertical alignment that someone gave it. The
    // query falls back to the grid default only for a wxALIGN_INVALID input,
    // so a value outside the alignments asks for the cell's own setting alone.
    constexpr int kOwnOnly = wxALIGN_INVALID - 1;
    int horizontal = kOwnOnly;
    int vertical = kOwnOnly;
    if (stored)
        attr.GetNonDefaultAlignment(&horizontal, &vertical);
    if (vertical == kOwnOnly)
        vertical = wxALIGN_INVALID;
    attr.SetAlignment(spec.horizontalAlignment, spec.centredVertically ? wxALIGN_CENTRE : vertical);
    if (!stored)
    {
        attr.SetBackgroundColour(GridBackground());
        attr.SetTextColour(wxNullColour);
    }

    const Price& price = *m_rows[row];
    switch (spec.colourRule)
    {
    case ColourRule::None:
        break;
    case ColourRule::Bookmark:
        attr.SetBackgroundColour(m_bookmarks.count(price.instrument) ? m_bookmarkColour : GridBackground());
        break;
    case ColourRule::ByOwnValue:
    {
        CellColour& kept = TieMemory(row, col);
        kept = TextColourFor(col, price, kept);
        attr.SetTextColour(ColourOf(kept));
        break;
    }
    default:
        attr.SetTextColour(ColourOf(TextColourFor(col, price, CellColour::Unset)));
        break;
    }
}

wxColour TickerdeckTable::ColourOf(CellColour colour) const
{
    switch (colour)
    {
    case CellColour::Foreground: return GridForeground();
    case CellColour::Up: return m_upColour;
    case CellColour::Down: return m_downColour;
    default: return wxNullColour;
    }
}

CellColour& TickerdeckTable::TieMemory(int row, int col)
{
    return m_tieColours[static_cast<size_t>(row) * kOwnValueColumns + (col - column::Open)];
}

wxColour TickerdeckTable::GridBackground() const
{
    return GetView() ? GetView()->GetBackgroundColour() : wxNullColour;
}

wxColour TickerdeckTable::GridForeground() const
{
    return GetView() ? GetView()->GetForegroundColour() : wxNullColour;
}
