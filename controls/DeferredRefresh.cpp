#include "DeferredRefresh.h"

#include <algorithm>
#include <chrono>

#include <wx/grid.h>

DeferredRefresh::DeferredRefresh(wxGrid* grid) : m_grid(grid), m_timer(this)
{
    Bind(wxEVT_TIMER, &DeferredRefresh::OnTimer, this);
}

DeferredRefresh::~DeferredRefresh()
{
    m_timer.Stop();
}

void DeferredRefresh::Add(const wxRect& unscrolledArea)
{
    if (unscrolledArea.IsEmpty())
        return;
    m_pending.Union(unscrolledArea);
    if (m_timer.IsRunning())
        return;
    const auto wait = m_budget.WaitFrom(RepaintBudget::Clock::now());
    if (wait == RepaintBudget::Clock::duration::zero())
    {
        Flush();
        return;
    }
    // Round up: a timer firing a little early would only be started again.
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    m_timer.StartOnce(static_cast<int>(std::max<long long>(milliseconds, 1)));
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
            window->RefreshRect(area, false);
    }
    m_pending.Clear();
}

void DeferredRefresh::PaintStarted()
{
    m_paintStarted = RepaintBudget::Clock::now();
}

void DeferredRefresh::PaintFinished()
{
    m_budget.PaintFinished(m_paintStarted, RepaintBudget::Clock::now());
}

void DeferredRefresh::OnTimer(wxTimerEvent& /*event*/)
{
    Flush();
}
