#include "commands/GridKeys.h"

#include <algorithm>
#include <system_error>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/grid.h>
#include <wx/intl.h>

#include "kit/BackgroundWork.h"
#include "kit/BoardNotice.h"
#include "board/StoredTabs.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/Host.h"
#include "controls/wxGridEx.h"
#include "model/ColumnSpec.h"
#include "model/CopyText.h"
#include "model/NumberText.h"
#include "commands/GridTickets.h"
#include "commands/RowCommands.h"

namespace {

// Between slices of a large copy the loop paints and takes input; the clock
// is read this often within a slice.
constexpr int kCopyPauseMs = 15;
constexpr std::size_t kRowsPerClockRead = 256;

wxGridEx* GridOfWindow(Tickerdeck& board, const wxEvent& event)
{
    auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    for (wxGridEx* grid : board.Tabs().Grids())
        if (grid->GetGridWindow() == window)
            return grid;
    return board.Tabs().CurrentGrid();
}

/// A copy of `grid`'s rows without the rows yet: its columns and format.
std::shared_ptr<CopiedRows> CopyHeaderOf(wxGridEx* grid)
{
    auto rows = std::make_shared<CopiedRows>();
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        if (grid->GetColSize(col) != 0)
        {
            rows->columns.push_back(col);
            rows->labels.push_back(table->GetColLabelValue(col));
        }
    rows->format = table->Format();
    return rows;
}

bool IsSorted(const wxGridEx* grid)
{
    return grid->GetSortingColumn() != wxNOT_FOUND;
}

void RepaintRows(wxGridEx* grid, int first, int last)
{
    const wxRect top = grid->CellToRect(std::min(first, last), 0);
    const wxRect bottom = grid->CellToRect(std::max(first, last), 0);
    int x = 0;
    int y = 0;
    grid->CalcScrolledPosition(0, top.GetTop(), &x, &y);
    grid->GetGridWindow()->RefreshRect(
        wxRect(0, y, grid->GetGridWindow()->GetClientSize().x, bottom.GetBottom() - top.GetTop() + 1));
}

// The column at the left edge of what the grid shows.
int LeftmostVisibleColumn(const wxGridEx* grid)
{
    int x = 0;
    int y = 0;
    grid->CalcUnscrolledPosition(0, 0, &x, &y);
    const int col = grid->XToCol(x, true);
    return std::max(col, 0);
}

// Selects `target` in place of `from` and keeps it on screen.
void StepSelection(wxGridEx* grid, int from, int target)
{
    grid->DeselectRow(from);
    grid->SelectRow(target, true);
    const int col = LeftmostVisibleColumn(grid);
    grid->SetGridCursor(target, col);
    grid->MakeCellVisible(target, col);
    RepaintRows(grid, from, target);
}

int ColumnLeft(const wxGridEx* grid, int col)
{
    return grid->CellToRect(0, col).GetLeft();
}

int ColumnRight(const wxGridEx* grid, int col)
{
    const wxRect cell = grid->CellToRect(0, col);
    return cell.GetLeft() + cell.GetWidth();
}

int WholeRowsShown(const wxGridEx* grid)
{
    const int height = grid->GetGridWindow()->GetClientSize().y;
    return std::max(1, height / std::max(1, grid->GetDefaultRowSize()) - 1);
}

}  // namespace

std::vector<BoardEventKind> GridKeys::EventKinds() const
{
    return {BoardEventKind::GridKeyDown, BoardEventKind::GridMotion};
}

void GridKeys::OnGridKey(Tickerdeck& board, wxKeyEvent& event)
{
    wxGridEx* grid = GridOfWindow(board, event);
    if (!grid)
        return;
    const int key = event.GetKeyCode();
    switch (key)
    {
    case 'A':
        if (event.ControlDown())
            grid->SelectAll();
        return;
    case 'C':
    case 'c':
        if (event.ControlDown())
            Copy(board, grid);
        return;
    case 'P':
        if (event.ControlDown() && event.ShiftDown())
        {
            board.Sorting().SetSortPaused(grid, !Tickerdeck::TableOf(grid)->Order().IsSortPaused());
            return;
        }
        break;
    case WXK_ESCAPE:
        if (board.Rows().StopFilling(grid) || StopCopying(board))
            return;
        break;
    case WXK_DELETE:
        if (auto* rows = board.Features().FindFeature<RowCommands>())
            rows->Remove(board, SelectedTargets(grid));
        return;
    case WXK_LEFT:
    case WXK_RIGHT:
        ScrollColumn(grid, key == WXK_LEFT ? -1 : 1);
        return;
    case WXK_UP:
    case WXK_DOWN:
        MoveSelection(board, grid, key == WXK_UP ? -1 : 1, event.ShiftDown(), event.ControlDown());
        return;
    case WXK_PAGEUP:
    case WXK_PAGEDOWN:
    case WXK_HOME:
    case WXK_END:
        // The grid's own page keys move only its cursor and drop the row
        // selection, which Down, the tickets and Ctrl+C all start from.
        if (event.ShiftDown() || event.AltDown())
            break;
        JumpSelection(board, grid, key);
        return;
    default:
        break;
    }
    Host* host = board.GetHost();
    const int command =
        host ? host->LookupHotkey(key, event.ControlDown(), event.AltDown(), event.ShiftDown()) : 0;
    if (!GridTickets::RunHostCommand(board, command))
        event.Skip();
}

wxString GridKeys::CopyText(wxGridEx* grid)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    std::vector<int> columns;
    // A drawn column has no text to paste.
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        if (grid->GetColSize(col) != 0 && !IsDrawnColumn(col))
            columns.push_back(col);
    return BuildCopyText(
        columns, SelectedRowList(grid), [table](int col) { return table->GetColLabelValue(col); },
        [table](int row, int col) { return table->GetValue(row, col); },
        [](std::size_t parts, const std::function<void(std::size_t)>& part)
        { BackgroundWork::Module().RunParts(parts, part); });
}

/// The rows of a large copy: its header taken at the key press, the rows'
/// quotes a slice at a time.
struct GridKeys::Taking
{
    Tickerdeck* board;
    wxGridEx* grid;
    std::size_t copy;
    std::shared_ptr<CopiedRows> rows;
    std::vector<int> rowNumbers;
    std::vector<const Price*> quotes;
    std::size_t next = 0;
};

GridKeys::GridKeys() = default;

GridKeys::~GridKeys()
{
    m_sliceTimer.Stop();
}

void GridKeys::SetCopySliceBounds(std::size_t rows, std::chrono::milliseconds time)
{
    m_sliceRows = std::max<std::size_t>(rows, 1);
    m_sliceTime = time;
}

bool GridKeys::TakeCopySlice()
{
    if (!m_taking)
        return false;
    Taking& taking = *m_taking;
    Tickerdeck& board = *taking.board;
    const std::vector<wxGridEx*>& grids = board.Tabs().Grids();
    if (std::find(grids.begin(), grids.end(), taking.grid) == grids.end())
    {
        // The tab closed under the copy: its quotes may be gone.
        StopCopying(board);
        return true;
    }
    const TickerdeckTable* table = Tickerdeck::TableOf(taking.grid);
    const auto start = std::chrono::steady_clock::now();
    const std::size_t last = std::min(taking.quotes.size(), taking.next + m_sliceRows);
    while (taking.next < last)
    {
        const std::size_t end = std::min(last, taking.next + kRowsPerClockRead);
        for (; taking.next < end; ++taking.next)
        {
            // A row removed since the key press is not copied: its quote
            // may have been let go of.
            const Price* quote = taking.quotes[taking.next];
            if (table->Members().Contains(quote))
                taking.rows->Add(taking.rowNumbers[taking.next], *quote);
        }
        if (std::chrono::steady_clock::now() - start >= m_sliceTime)
            break;
    }
    if (taking.next < taking.quotes.size())
    {
        m_sliceTimer.StartOnce(kCopyPauseMs);
        return true;
    }
    const std::unique_ptr<Taking> taken = std::move(m_taking);
    MakeCopyText(board, taken->rows, taken->copy);
    return true;
}

bool GridKeys::StopCopying(Tickerdeck& board)
{
    m_sliceTimer.Stop();
    m_taking.reset();
    if (m_copyUnderWay == 0)
        return false;
    // The text is still made, then dropped like an overtaken copy's.
    ++m_copies;
    m_copyUnderWay = 0;
    board.Toolbar().Notice()->Set("copy", wxString());
    return true;
}

void GridKeys::Copy(Tickerdeck& board, wxGridEx* grid)
{
    const std::size_t copy = ++m_copies;
    m_copyUnderWay = 0;
    m_sliceTimer.Stop();
    m_taking.reset();
    const char* const noticeKey = "copy";
    board.Toolbar().Notice()->Set(noticeKey, wxString());
    const std::vector<int> selected = SelectedRowList(grid);
    if (selected.size() <= m_rowsCopiedAtOnce)
    {
        const wxString text = CopyText(grid);
        HandOver(board, text, text.length());
        return;
    }
    // The header and which rows now; the rows' quotes a slice at a time.
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    m_taking.reset(new Taking{&board, grid, copy, CopyHeaderOf(grid), {}, {}, 0});
    for (int row : selected)
        if (const Price* quote = table->RowPrice(row))
        {
            m_taking->rowNumbers.push_back(row);
            m_taking->quotes.push_back(quote);
        }
    m_taking->rows->Reserve(m_taking->quotes.size());
    board.Toolbar().Notice()->Set(noticeKey, wxString::Format(_("Copying %s rows... (Esc stops)"),
                                                       GroupedNumberText(static_cast<double>(m_taking->quotes.size()), 0, true)));
    m_copyUnderWay = copy;
    TakeCopySlice();
}

void GridKeys::MakeCopyText(Tickerdeck& board, std::shared_ptr<const CopiedRows> rows, std::size_t copy)
{
    const char* const noticeKey = "copy";
    const std::size_t limit = m_clipboardLimit;
    const auto work = [rows, limit](const std::atomic<bool>&) -> BackgroundWork::Result {
        auto made = std::make_shared<MadeText>();
        made->text = rows->Text([](std::size_t parts, const std::function<void(std::size_t)>& part)
                                { BackgroundWork::Module().RunParts(parts, part); });
        made->length = made->text.length();
        // A text the clipboard refuses is let go of here: freeing a million
        // rows' text took the window a few hundred milliseconds.
        if (made->length > limit)
            made->text = wxString();
        return made;
    };
    // The board lives as long as its window, and this feature as long as the board.
    const auto deliver = [this, copy, noticeKey](wxWindow& window, const BackgroundWork::Result& result) {
        auto& board = static_cast<Tickerdeck&>(window);
        if (copy != m_copies)
            return;
        m_copyUnderWay = 0;
        board.Toolbar().Notice()->Set(noticeKey, wxString());
        const auto made = std::static_pointer_cast<const MadeText>(result);
        HandOver(board, made->text, made->length);
    };
    try
    {
        BackgroundWork::Module().Start(board, work, deliver);
        m_copyUnderWay = copy;
    }
    catch (const std::system_error&)
    {
        m_copyUnderWay = 0;
        board.Toolbar().Notice()->Set(noticeKey, wxString());
        const wxString text = rows->Text();
        HandOver(board, text, text.length());
    }
}

void GridKeys::HandOver(Tickerdeck& board, const wxString& text, std::size_t length) const
{
    // The toolkit converts the whole text at once, when it is set and again
    // whenever another program pastes it: a million rows held the window 2 s
    // at the copy and 9 s at each paste. Up to this size both stay short.
    if (length > m_clipboardLimit)
    {
        const double megabytes = static_cast<double>(length) / (1 << 20);
        TellUser(board, wxString::Format(_("The rows were not copied: their text of %s MB is more than the "
                                           "clipboard takes without holding up the window (%s MB). Copy fewer "
                                           "rows, or export the tab to Excel."),
                                         GroupedNumberText(megabytes, 1, true),
                                         GroupedNumberText(static_cast<double>(m_clipboardLimit) / (1 << 20), 0, true)));
        return;
    }
    if (!m_clipboard(text))
        TellUser(board, _("The rows could not be copied: the clipboard cannot be opened."));
}

bool GridKeys::WriteClipboard(const wxString& text)
{
    wxClipboardLocker locker;
    if (!locker)
        return false;
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Flush();
    return true;
}

void GridKeys::MoveSelection(Tickerdeck& board, wxGridEx* grid, int direction, bool swap, bool page)
{
    const std::vector<int> selected = SelectedRowList(grid);
    if (selected.empty())
        return;
    const int from = selected.front();
    const int last = grid->GetNumberRows() - 1;
    if ((direction < 0 && from < 1) || (direction > 0 && from >= last))
        return;
    if (swap && !IsSorted(grid))
    {
        // The selection goes along, so that repeated presses keep moving
        // the same instrument instead of trading it back and forth.
        if (ReorderStoredTab(board, grid, [&] { Tickerdeck::TableOf(grid)->SwapRows(from, from + direction); }))
            StepSelection(grid, from, from + direction);
        return;
    }
    const int step = page ? WholeRowsShown(grid) : 1;
    const int target = std::clamp(from + direction * step, 0, last);
    StepSelection(grid, from, target);
    if (!board.Settings().f1Only)
        GridTickets::BroadcastRow(board, Tickerdeck::TableOf(grid)->RowPrice(target));
}

void GridKeys::JumpSelection(Tickerdeck& board, wxGridEx* grid, int key)
{
    const int last = grid->GetNumberRows() - 1;
    if (last < 0)
        return;
    const std::vector<int> selected = SelectedRowList(grid);
    const int from = selected.empty() ? std::clamp(grid->GetGridCursorRow(), 0, last) : selected.front();
    int target = from;
    if (key == WXK_HOME)
        target = 0;
    else if (key == WXK_END)
        target = last;
    else
        target = std::clamp(from + (key == WXK_PAGEUP ? -1 : 1) * WholeRowsShown(grid), 0, last);
    for (int row : selected)
        if (row != from)
            grid->DeselectRow(row);
    StepSelection(grid, from, target);
    if (!board.Settings().f1Only)
        GridTickets::BroadcastRow(board, Tickerdeck::TableOf(grid)->RowPrice(target));
}

void GridKeys::ScrollColumn(wxGridEx* grid, int direction)
{
    int unitX = 0;
    int unitY = 0;
    grid->GetScrollPixelsPerUnit(&unitX, &unitY);
    if (unitX <= 0)
        return;
    int left = 0;
    int y = 0;
    grid->CalcUnscrolledPosition(0, 0, &left, &y);
    const int width = grid->GetGridWindow()->GetClientSize().x;
    // Walked in the order the columns are shown: the user may have dragged
    // any of them elsewhere, and layouts put the flag column second.
    const int count = grid->GetNumberCols();
    if (direction < 0)
    {
        for (int pos = count - 1; pos >= 0; --pos)
        {
            const int col = grid->GetColAt(pos);
            if (grid->GetColSize(col) > 0 && ColumnLeft(grid, col) < left)
            {
                grid->Scroll(ColumnLeft(grid, col) / unitX, -1);
                return;
            }
        }
        return;
    }
    for (int pos = 0; pos < count; ++pos)
    {
        const int col = grid->GetColAt(pos);
        if (grid->GetColSize(col) > 0 && ColumnRight(grid, col) > left + width)
        {
            grid->Scroll((ColumnRight(grid, col) - width + unitX - 1) / unitX, -1);
            return;
        }
    }
}

void GridKeys::OnGridMouse(Tickerdeck& board, BoardEventKind /*kind*/, wxMouseEvent& event)
{
    wxGridEx* grid = GridOfWindow(board, event);
    if (!grid || !event.Dragging())
    {
        event.Skip();
        return;
    }
    Drag(board, grid, event);
}

void GridKeys::Drag(Tickerdeck& board, wxGridEx* grid, wxMouseEvent& event)
{
    int x = 0;
    int y = 0;
    grid->CalcUnscrolledPosition(event.GetX(), event.GetY(), &x, &y);
    const int row = grid->YToRow(y);
    const int col = std::max(grid->XToCol(x, true), 0);
    if (IsSorted(grid))
    {
        if (row != wxNOT_FOUND)
            grid->MakeCellVisible(row, col);
        event.Skip();
        return;
    }
    const std::vector<int> selected = SelectedRowList(grid);
    if (row == wxNOT_FOUND || selected.empty() || row == selected.front())
        return;
    const int from = selected.front();
    // The row goes in where it is dropped, the ones between closing up.
    if (!ReorderStoredTab(board, grid, [&] { Tickerdeck::TableOf(grid)->MoveRow(from, row); }))
        return;
    grid->DeselectRow(from);
    grid->SelectRow(row, true);
    grid->MakeCellVisible(row, col);
    RepaintRows(grid, from, row);
}
