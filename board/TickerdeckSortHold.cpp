// Sorted tabs hold their order while the user aims at rows: a mouse button
// down, a menu or dialog of the board open, a moment after a click, and
// while the user paused the tab's sort.

#include <chrono>

#include <wx/dialog.h>
#include <wx/grid.h>
#include <wx/utils.h>

#include "kit/ThemedDialog.h"
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

int64_t Tickerdeck::HoldNow() const
{
    return m_steadyClock ? m_steadyClock() : SteadyNow();
}

void Tickerdeck::OnGridButton(wxMouseEvent& event)
{
    if (event.ButtonDown())
        m_sortHold.Press();
    else
        m_sortHold.Release(HoldNow());
    UpdateSortHold();
    event.Skip();
}

void Tickerdeck::OnSortHoldTimer(wxTimerEvent& /*event*/)
{
    // A release the grid never saw (a menu took it) must not hold for ever.
    if (!wxGetMouseState().ButtonIsDown(wxMOUSE_BTN_ANY) && m_sortHold.Holds(INT64_MAX / 2))
        m_sortHold.Release(HoldNow());
    UpdateSortHold();
}

bool Tickerdeck::HasOpenDialog() const
{
    // The frame the board lies in: the owner frame of its dialogs. The
    // owner frame itself is not read, it may be a link group of no window.
    const wxWindow* frame = wxGetTopLevelParent(const_cast<Tickerdeck*>(this));
    if (!frame)
        return false;
    for (const wxWindow* child : frame->GetChildren())
    {
        const auto* dialog = wxDynamicCast(child, wxDialog);
        if (!dialog || !dialog->IsShown())
            continue;
        const auto* themed = wxDynamicCast(child, ThemedDialog);
        if (!themed || !themed->LeavesParentUsable())
            return true;
    }
    return false;
}

void Tickerdeck::UpdateSortHold()
{
    const int64_t now = HoldNow();
    const bool held = m_sortHold.Holds(now) || HasOpenDialog();
    bool anyHeld = held;
    for (wxGridEx* grid : m_grids)
    {
        TickerdeckTable* table = TableOf(grid);
        const bool tabHeld = held || table->IsSortPaused();
        anyHeld = anyHeld || tabHeld;
        table->HoldSort(tabHeld);
        if (tabHeld || !table->IsSortBehind())
            continue;
        table->ClearSortBehind();
        // Other tabs sort when they are shown.
        if (grid == m_currentGrid)
            SortByItsColumn(grid);
    }
    // Watched only while something holds: a dialog opened from a menu shows
    // within the moment that follows the click.
    if (anyHeld && !m_sortHoldTimer.IsRunning())
        m_sortHoldTimer.Start(kHoldCheckMs);
    else if (!anyHeld && m_sortHoldTimer.IsRunning())
        m_sortHoldTimer.Stop();
}

void Tickerdeck::SetSortPaused(wxGridEx* grid, bool paused)
{
    if (!grid)
        return;
    TableOf(grid)->SetSortPaused(paused);
    MarkTab(grid, TableOf(grid)->GetFilter() != nullptr);
    UpdateSortHold();
}

void Tickerdeck::OnPauseSorting(wxCommandEvent& /*event*/)
{
    if (wxGridEx* grid = m_currentGrid)
        SetSortPaused(grid, !TableOf(grid)->IsSortPaused());
}
