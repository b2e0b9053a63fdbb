// The three-step column sort cycle of a grid, and sorted tabs holding their
// order while the user aims at rows: a mouse button down, a menu or dialog
// of the board open, a moment after a click, and while the user paused the
// tab's sort.

#include "board/TabSorting.h"

#include <chrono>

#include <wx/dialog.h>
#include <wx/grid.h>
#include <wx/utils.h>

#include "kit/ThemedDialog.h"
#include "board/BoardRows.h"
#include "board/RowTargets.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"

namespace {

// Often enough that a dialog opening is seen before the next batch of
// quotes does much, rarely enough to cost nothing.
constexpr int kHoldCheckMs = 100;

int64_t SteadyNow()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TabSorting::TabSorting(Tickerdeck& board)
    : m_board(board),
      m_longSort(board, [this](wxGridEx* grid, const std::function<void()>& reorder) { TakeLongSort(grid, reorder); })
{
    m_holdTimer.Bind(wxEVT_TIMER, &TabSorting::OnHoldTimer, this);
    // Always watching: a dialog may open long after the click that led to
    // it, as an export's notice does when the workbook is written.
    m_holdTimer.Start(kHoldCheckMs);
}

Price* TabSorting::FirstSelectedPrice(const wxGridEx* grid)
{
    const int row = TopSelectedRow(grid);
    return row < 0 ? nullptr : Tickerdeck::TableOf(grid)->RowPrice(row);
}

void TabSorting::SortByItsColumn(wxGridEx* grid)
{
    const int sortColumn = grid->GetSortingColumn();
    m_longSort.Drop(grid);
    if (sortColumn == wxNOT_FOUND || (m_longSort.Takes(grid) && m_longSort.Start(grid)))
        return;
    ReorderKeepingSelection(grid, [grid, sortColumn] {
        Tickerdeck::TableOf(grid)->Order().SortRows(sortColumn, grid->IsSortOrderAscending());
    });
}

void TabSorting::ReorderKeepingSelection(wxGridEx* grid, const std::function<void()>& reorder)
{
    const KeptSelection selected(grid);
    reorder();
    selected.Restore(grid);
    grid->ForceRefresh();
}

void TabSorting::TakeLongSort(wxGridEx* grid, const std::function<void()>& reorder)
{
    if (HeldByTheUser())
        Tickerdeck::TableOf(grid)->Order().FallBehind();  // sorted again once the hold ends
    else
        ReorderKeepingSelection(grid, reorder);
}

void TabSorting::RearrangeRows(wxGridEx* grid)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const KeptSelection selected(grid);
    m_longSort.Drop(grid);
    grid->BeginBatch();
    table->RebuildRowsFromMembers(false);
    if (grid->GetSortingColumn() != wxNOT_FOUND && !(m_longSort.Takes(grid) && m_longSort.Start(grid)))
        table->Order().SortRows(grid->GetSortingColumn(), grid->IsSortOrderAscending());  // indexes the rows
    else
        table->Order().RowsReordered();
    SyncRowCount(grid);
    selected.Restore(grid);
    grid->ForceRefresh();
    grid->EndBatch();
}

void TabSorting::TabShown(const wxGridEx* grid)
{
    if (grid->GetSortingColumn() != wxNOT_FOUND)
        m_sortClickCount = 0;  // the first header click here returns to the stored order
}

void TabSorting::OnColumnSort(wxGridEvent& event)
{
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    if (!table)
    {
        event.Skip();
        return;
    }
    const int column = event.GetCol();
    if (column == -1)
    {
        ++m_sortClickCount;
        return;
    }
    // The board sets the arrow itself and vetoes the grid's own change, so
    // that arrow and rows cannot disagree whatever the grid would flip.
    event.Veto();
    if (grid->GetSortingColumn() != column)
    {
        // Another column starts its own cycle, at its first step.
        grid->SetSortingColumn(column, false);
        m_sortClickCount = 2;
    }
    else if (m_sortClickCount % 3 == 0)
    {
        grid->UnsetSortingColumn();
        m_sortClickCount = 1;
    }
    else
    {
        grid->SetSortingColumn(column, !grid->IsSortOrderAscending());
        ++m_sortClickCount;
    }
    if (grid->GetSortingColumn() == wxNOT_FOUND)
        RearrangeRows(grid);  // back to the stored order, as filtered
    else
        SortByItsColumn(grid);
}

int64_t TabSorting::HoldNow() const
{
    return m_steadyClock ? m_steadyClock() : SteadyNow();
}

void TabSorting::OnGridButton(wxMouseEvent& event)
{
    if (event.ButtonDown())
        m_sortHold.Press();
    else
        m_sortHold.Release(HoldNow());
    UpdateSortHold();
    event.Skip();
}

void TabSorting::OnHoldTimer(wxTimerEvent& /*event*/)
{
    // A release the grid never saw (a menu took it) must not hold for ever.
    if (!wxGetMouseState().ButtonIsDown(wxMOUSE_BTN_ANY) && m_sortHold.Holds(INT64_MAX / 2))
        m_sortHold.Release(HoldNow());
    UpdateSortHold();
}

bool TabSorting::HasOpenDialog() const
{
    // The frame the board lies in: the owner frame of its dialogs. The
    // owner frame itself is not read, it may be a link group of no window.
    const wxWindow* frame = wxGetTopLevelParent(&m_board);
    if (!frame)
        return false;
    for (const wxWindow* child : frame->GetChildren())
    {
        const auto* dialog = wxDynamicCast(child, wxDialog);
        if (!dialog || !dialog->IsShown())
            continue;
        // ThemedDialog declares no class info of its own, so a wxDynamicCast
        // would take any dialog for one.
        const auto* themed = dynamic_cast<const ThemedDialog*>(child);
        if (!themed || !themed->LeavesParentUsable())
            return true;
    }
    return false;
}

bool TabSorting::HeldByTheUser() const
{
    return m_sortHold.Holds(HoldNow()) || HasOpenDialog();
}

void TabSorting::UpdateSortHold()
{
    const bool held = HeldByTheUser();
    for (wxGridEx* grid : m_board.Tabs().Grids())
    {
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        const bool tabHeld = held || table->Order().IsSortPaused();
        table->Order().HoldSort(tabHeld);
        if (tabHeld || !table->Order().IsSortBehind())
            continue;
        table->Order().ClearSortBehind();
        // Other tabs sort when they are shown.
        if (grid == m_board.Tabs().CurrentGrid())
            SortByItsColumn(grid);
    }
}

void TabSorting::SetSortPaused(wxGridEx* grid, bool paused)
{
    if (!grid)
        return;
    Tickerdeck::TableOf(grid)->Order().SetSortPaused(paused);
    m_board.Looks().MarkTab(grid, Tickerdeck::TableOf(grid)->Filter().Get() != nullptr);
    UpdateSortHold();
}

void TabSorting::HoldForMenu(bool open)
{
    m_sortHold.SetOpen(open);
    // The menu took the button's release; the moment after a click starts now.
    if (!open)
        m_sortHold.Release(HoldNow());
    UpdateSortHold();
}
