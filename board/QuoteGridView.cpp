#include "board/QuoteGridView.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <wx/grid.h>
#include <wx/timer.h>

#include "controls/wxGridEx.h"
#include "model/ColumnSpec.h"

namespace {

bool ColumnChanged(int col, int mask)
{
    if (IsComputedColumn(col))
        return mask != 0;
    const int bit = ColumnAt(col).changeBit;
    return bit >= 0 && (static_cast<uint32_t>(mask) & (uint32_t{1} << bit)) != 0;
}

}  // namespace

QuoteGridView::QuoteGridView(const wxGridTableBase& table) : m_table(table)
{
    Bind(wxEVT_TIMER, &QuoteGridView::OnClock, this);
}

QuoteGridView::~QuoteGridView() = default;

int QuoteGridView::CellKey(int row, int col)
{
    return col + column::Count * row;
}

void QuoteGridView::NoteCutOff(int col)
{
    if (!m_onCutOff || col < 0 || col >= column::Count)
        return;
    const bool queued = m_cutOffColumns != 0;
    m_cutOffColumns |= uint32_t{1} << col;
    if (queued)
        return;
    CallAfter(
        [this]
        {
            const uint32_t columns = m_cutOffColumns;
            m_cutOffColumns = 0;
            if (m_onCutOff)
                m_onCutOff(columns);
        });
}

wxGrid* QuoteGridView::Grid() const
{
    return m_table.GetView();
}

// ---------------------------------------------------------------------------
// Rows on screen and repaints

void QuoteGridView::HoldForRun(bool held)
{
    m_runView.held = held;
    ForgetRunView();
}

QuoteGridView::Area QuoteGridView::ReadCurrentArea() const
{
    if (!m_runView.held)
        return ReadVisibleArea();
    m_runView.area = ReadVisibleArea();
    m_runView.areaRead = true;
    return m_runView.area;
}

QuoteGridView::Area QuoteGridView::ReadVisibleArea() const
{
    Area area;
    wxGrid* grid = Grid();
    if (!grid || grid->GetNumberRows() <= 0)
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

wxRect QuoteGridView::RowRect(int row) const
{
    wxGrid* grid = Grid();
    if (const auto* boardGrid = wxDynamicCast(grid, wxGridEx))
        return wxRect(0, boardGrid->RowTopPosition(row), 0, grid->GetRowHeight(row));
    const wxRect cell = grid->CellToRect(row, 0);
    return wxRect(0, cell.y, 0, cell.height);
}

void QuoteGridView::RefreshRows(int first, int last) const
{
    wxGrid* grid = Grid();
    if (!grid)
        return;
    const wxRect top = RowRect(first);
    const wxRect bottom = RowRect(last);
    int left = 0;
    grid->CalcUnscrolledPosition(0, 0, &left, nullptr);
    const int width = grid->GetGridWindow()->GetClientSize().x;
    RefreshRect(wxRect(left, top.GetTop(), width, bottom.GetBottom() - top.GetTop() + 1));
}

void QuoteGridView::TellRowCountChanged(wxGridTableMessage& message, int firstMoved) const
{
    wxGrid* grid = Grid();
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
    RefreshFromRow(firstMoved);
}

void QuoteGridView::RefreshFromRow(int row) const
{
    wxGrid* grid = Grid();
    if (!grid)
        return;
    const wxSize size = grid->GetGridWindow()->GetClientSize();
    int left = 0;
    int top = 0;
    grid->CalcUnscrolledPosition(0, 0, &left, &top);
    const int bottom = top + size.y;
    // Past the last row (the last one has just gone) what is left to clear
    // starts where the rows now end.
    const int rows = grid->GetNumberRows();
    const int rowsEnd = rows > 0 ? RowRect(rows - 1).GetBottom() + 1 : 0;
    const int from = std::max(top, row < rows ? RowRect(row).GetTop() : rowsEnd);
    if (from < bottom && size.x > 0)
        RefreshRect(wxRect(left, from, size.x, bottom - from));
}

void QuoteGridView::RefreshCell(int row, int col) const
{
    wxGrid* grid = Grid();
    if (!grid || row < 0 || row >= grid->GetNumberRows() || !IsColumn(col))
        return;
    // Column geometry rather than the grid's cell rectangle, which consults
    // the cell attribute and so costs a styling.
    int left = 0;
    for (int position = 0; position < grid->GetColPos(col); ++position)
        left += grid->GetColSize(grid->GetColAt(position));
    const wxRect rowRect = RowRect(row);
    RefreshRect(wxRect(left, rowRect.y, grid->GetColSize(col), rowRect.height));
}

void QuoteGridView::RefreshChangedCells(int row, int mask, bool flash, const Area& area)
{
    // Column geometry is summed here rather than asked per cell; changed
    // cells side by side are refreshed as one area.
    wxGrid* grid = Grid();
    const wxRect rowRect = RowRect(row);
    wxRect pending;
    int left = 0;
    for (int position = 0; position < grid->GetNumberCols(); ++position)
    {
        const int col = grid->GetColAt(position);
        if (col < 0)
            continue;
        const wxRect rect(left, rowRect.y, grid->GetColSize(col), rowRect.height);
        left += rect.width;
        if (!ColumnChanged(col, mask) || rect.width <= 0 || rect.GetRight() < area.left || rect.GetLeft() > area.right)
            continue;
        if (flash && IsColumn(col))
            StartFlash(row, col);
        if (!pending.IsEmpty() && pending.GetRight() + 1 == rect.GetLeft())
            pending.width += rect.width;
        else
        {
            if (!pending.IsEmpty())
                RefreshRect(pending);
            pending = rect;
        }
    }
    if (!pending.IsEmpty())
        RefreshRect(pending);
}

void QuoteGridView::RefreshRect(const wxRect& rect) const
{
    wxGrid* grid = Grid();
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

// ---------------------------------------------------------------------------
// Selection

QuoteGridView::SelectedSpan QuoteGridView::ReadSelectedSpan() const
{
    SelectedSpan span;
    wxGrid* grid = Grid();
    if (!grid || !grid->IsSelection())
        return span;
    // This look at the grid's own blocks copies nothing.
    bool any = false;
    for (const wxGridBlockCoords& block : grid->GetSelectedBlocks())
    {
        span.first = any ? std::min(span.first, block.GetTopRow()) : block.GetTopRow();
        span.last = any ? std::max(span.last, block.GetBottomRow()) : block.GetBottomRow();
        any = true;
    }
    return any ? span : SelectedSpan{};
}

QuoteGridView::SelectedSpan QuoteGridView::CurrentSelectedSpan() const
{
    if (!m_runView.held)
        return ReadSelectedSpan();
    if (!m_runView.spanRead)
    {
        m_runView.span = ReadSelectedSpan();
        m_runView.spanRead = true;
    }
    return m_runView.span;
}

bool QuoteGridView::CarryAcross(int from, int to) const
{
    const int first = std::min(from, to);
    const int last = std::max(from, to);
    // The rows from `first` to `last` only trade places among themselves:
    // when none of them is selected, none is afterwards. A board almost
    // always has a row selected, and most moves pass far from it.
    const SelectedSpan span = CurrentSelectedSpan();
    if (span.last < first || span.first > last)
        return false;
    wxGrid* grid = Grid();
    if (!grid)
        return false;
    bool touched = false;
    for (const wxGridBlockCoords& block : grid->GetSelectedBlocks())
        touched = touched || (block.GetTopRow() <= last && block.GetBottomRow() >= first);
    if (!touched)
        return false;
    const wxGridBlockCoordsVector blocks = grid->GetSelectedRowBlocks();
    const auto wasSelected = [&blocks](int row)
    {
        return std::any_of(blocks.begin(), blocks.end(), [row](const wxGridBlockCoords& block) {
            return row >= block.GetTopRow() && row <= block.GetBottomRow();
        });
    };
    // Each row passed over holds its neighbour's quote now; the moved row holds its own.
    const int cameFrom = from < to ? 1 : -1;
    const auto nowSelected = [&](int row) { return wasSelected(row == to ? from : row + cameFrom); };

    // A row's state changes only at the edges of selected blocks, so only
    // they and the moved row are looked at, however far the row went.
    std::vector<int> candidates{from, to};
    for (const wxGridBlockCoords& block : blocks)
        for (int edge : {block.GetTopRow(), block.GetBottomRow()})
            for (int row = edge - 1; row <= edge + 1; ++row)
                candidates.push_back(row);
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    std::vector<int> deselect;
    std::vector<int> select;
    for (int row : candidates)
    {
        if (row < first || row > last)
            continue;
        const bool before = wasSelected(row);
        const bool after = nowSelected(row);
        if (before && !after)
            deselect.push_back(row);
        else if (after && !before)
            select.push_back(row);
    }
    // The moved rows repaint when the grid's budget allows; the selection
    // must show up with them, not ahead of them.
    auto* boardGrid = wxDynamicCast(grid, wxGridEx);
    for (int row : deselect)
        boardGrid ? boardGrid->SetRowSelectedSoon(row, false) : grid->DeselectRow(row);
    for (int row : select)
        boardGrid ? boardGrid->SetRowSelectedSoon(row, true) : grid->SelectRow(row, true);
    if (deselect.empty() && select.empty())
        return false;
    ForgetRunView();
    return true;
}

// ---------------------------------------------------------------------------
// Flashes

std::optional<QuoteGridView::Clock::time_point> QuoteGridView::FlashEndAt(int row, int col) const
{
    const auto flash = m_flashOfCell.find(CellKey(row, col));
    return flash == m_flashOfCell.end() ? std::nullopt : m_flashSchedule.EndOf(flash->second);
}

void QuoteGridView::StartFlash(int row, int col)
{
    // A cell on a busy board flashes again long before its flash ends: the
    // restart moves the cell's own flash.
    const auto [flash, added] = m_flashOfCell.try_emplace(CellKey(row, col), m_nextFlash);
    m_lastFlashRow = std::max(m_lastFlashRow, row);
    if (added)
    {
        m_cellOfFlash.emplace(m_nextFlash, flash->first);
        ++m_nextFlash;
    }
    m_flashSchedule.Schedule(flash->second, Clock::now() + m_flashDuration);
    ArmClock();
}

void QuoteGridView::ArmClock()
{
    const std::optional<Clock::time_point> next = m_flashSchedule.Next();
    if (!next)
    {
        if (m_clock)
            m_clock->Stop();
        return;
    }
    if (!m_clock)
        m_clock = std::make_unique<wxTimer>(this);
    // Flashes start in order of their ends; a running clock already wakes
    // for an earlier one.
    if (m_clock->IsRunning() && m_clockDue <= *next)
        return;
    m_clockDue = *next;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now());
    m_clock->StartOnce(static_cast<int>(std::max<long long>(wait.count(), 1)));
}

void QuoteGridView::OnClock(wxTimerEvent&)
{
    for (FlashSchedule::Id id : m_flashSchedule.TakeDue(Clock::now()))
    {
        const auto cell = m_cellOfFlash.find(id);
        if (cell == m_cellOfFlash.end())
            continue;
        const int key = cell->second;
        m_cellOfFlash.erase(cell);
        m_flashOfCell.erase(key);
        // The cell is styled without the highlight from now on.
        RefreshCell(key / column::Count, key % column::Count);
    }
    if (m_flashOfCell.empty())
        m_lastFlashRow = -1;
    ArmClock();
}

void QuoteGridView::RowErased(int row)
{
    MoveFlashesFrom(row, -1);
}

void QuoteGridView::RowInserted(int row)
{
    MoveFlashesFrom(row, +1);
}

void QuoteGridView::MoveFlashesFrom(int row, int by)
{
    // A row came or went: the rows on screen and the selection moved.
    ForgetRunView();
    // Flashes run on the rows on screen; most rows that come and go on a
    // long tab lie below all of them.
    if (m_flashOfCell.empty() || row > m_lastFlashRow)
        return;
    // The moving entries are taken out and put back under their new cell,
    // which costs no allocation.
    const int firstKey = CellKey(row, 0);
    for (auto flash = m_flashOfCell.begin(); flash != m_flashOfCell.end();)
    {
        const auto next = std::next(flash);
        if (flash->first >= firstKey)
            m_movingFlashes.push_back(m_flashOfCell.extract(flash));
        flash = next;
    }
    for (auto& node : m_movingFlashes)
    {
        const FlashSchedule::Id id = node.mapped();
        if (by < 0 && node.key() / column::Count == row)
        {
            m_flashSchedule.Cancel(id);
            m_cellOfFlash.erase(id);
            continue;
        }
        node.key() += by * column::Count;
        m_cellOfFlash[id] = node.key();
        m_flashOfCell.insert(std::move(node));
    }
    m_movingFlashes.clear();
    m_lastFlashRow += by;
    ArmClock();
}

void QuoteGridView::DropFlashes()
{
    m_lastFlashRow = -1;
    m_flashOfCell.clear();
    m_cellOfFlash.clear();
    m_flashSchedule.Clear();
    ArmClock();
}
