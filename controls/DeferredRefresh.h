#pragma once
// Repaints a grid's changing cells in batches instead of frame by frame.

#include <wx/event.h>
#include <wx/region.h>
#include <wx/timer.h>

#include "RepaintBudget.h"

class wxGrid;

/// Collects areas of a grid that changed and invalidates them together when
/// the grid's repaint budget allows. Areas are kept in unscrolled coordinates
/// so that scrolling in between does not repaint the wrong cells. While
/// events are queued the grid rests as its budget says; once the queue is
/// empty a change waits at most a frame.
class DeferredRefresh : public wxEvtHandler
{
public:
    explicit DeferredRefresh(wxGrid* grid);
    ~DeferredRefresh() override;

    void Add(const wxRect& unscrolledArea);
    void PaintStarted();
    void PaintFinished();

private:
    /// Invalidates everything collected so far now.
    void Flush();
    /// Invalidates what is collected after `wait`, or sooner when a timer already runs.
    void PaintWithin(RepaintBudget::Clock::duration wait);
    /// Whether events wait in the program's queue.
    static bool IsBacklogged();

    void OnTimer(wxTimerEvent& event);
    void OnIdle(wxIdleEvent& event);

    wxGrid* m_grid;
    wxRegion m_pending;
    wxTimer m_timer;
    RepaintBudget m_budget;
    RepaintBudget::Clock::time_point m_paintStarted{};
    RepaintBudget::Clock::time_point m_timerDue{};
    // Areas were handed to the toolkit and their paint has not begun. A
    // paint that begins without this is someone else's (an expose, a click):
    // it shows the newest rows in its area only, so what is still held back
    // follows in the next frame rather than after the whole rest.
    bool m_paintDue = false;
};
