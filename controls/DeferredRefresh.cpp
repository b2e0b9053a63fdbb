#include "DeferredRefresh.h"

#include <algorithm>
#include <chrono>

#include <wx/app.h>
#include <wx/grid.h>

DeferredRefresh::DeferredRefresh(wxGrid* grid) : m_grid(grid), m_timer(this)
{
    Bind(wxEVT_TIMER, &DeferredRefresh::OnTimer, this);
    m_grid->Bind(wxEVT_IDLE, &DeferredRefresh::OnIdle, this);
}

DeferredRefresh::~DeferredRefresh()
{
    m_grid->Unbind(wxEVT_IDLE, &DeferredRefresh::OnIdle, this);
    m_timer.Stop();
}

void DeferredRefresh::Add(const wxRect& unscrolledArea)
{
    if (unscrolledArea.IsEmpty())
        return;
    m_pending.Union(unscrolledArea);
    // The event being handled has left the queue: whatever is still there
    // came in behind this change.
    PaintWithin(m_budget.WaitFrom(RepaintBudget::Clock::now(), IsBacklogged()));
}

bool DeferredRefresh::IsBacklogged()
{
    return wxTheApp && wxTheApp->HasPendingEvents();
}

void DeferredRefresh::PaintWithin(RepaintBudget::Clock::duration wait)
{
    if (wait == RepaintBudget::Clock::duration::zero())
    {
        Flush();
        return;
    }
    const auto now = RepaintBudget::Clock::now();
    // The queue may have emptied since a flood's long rest was set.
    if (m_timer.IsRunning() && m_timerDue <= now + wait)
        return;
    // Round up: a timer firing a little early would only be started again.
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    m_timer.StartOnce(static_cast<int>(std::max<long long>(milliseconds, 1)));
    m_timerDue = now + std::chrono::milliseconds(milliseconds);
}

void DeferredRefresh::Flush()
{
    m_timer.Stop();
    if (m_pending.IsEmpty())
        return;
    wxWindow* window = m_grid->GetGridWindow();
    int dx = 0;
    int dy = 0;
    m_grid->CalcScrolledPosition(0, 0, &dx, &dy);
    const wxRect visible(wxPoint(0, 0), window->GetClientSize());
    for (wxRegionIterator it(m_pending); it; ++it)
    {
        wxRect area = it.GetRect();
        area.Offset(dx, dy);
        area.Intersect(visible);
        if (!area.IsEmpty())
        {
            window->RefreshRect(area, false);
            m_paintDue = true;
        }
    }
    m_pending.Clear();
}

void DeferredRefresh::PaintStarted()
{
    m_paintStarted = RepaintBudget::Clock::now();
    const bool ours = m_paintDue;
    m_paintDue = false;
    if (!ours && !m_pending.IsEmpty())
        Flush();
}

void DeferredRefresh::PaintFinished()
{
    m_budget.PaintFinished(m_paintStarted, RepaintBudget::Clock::now());
}

void DeferredRefresh::OnTimer(wxTimerEvent& /*event*/)
{
    Flush();
}

void DeferredRefresh::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    // A change made while events were queued rests as a flood's; once the
    // queue has emptied it need only wait for the frame.
    if (m_timer.IsRunning() && !IsBacklogged())
        PaintWithin(m_budget.WaitFrom(RepaintBudget::Clock::now(), false));
}
