#pragma once
// Helpers for tests that need posted events, timers and paints delivered.

#include <chrono>
#include <functional>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/timer.h>
#include <wx/utils.h>

namespace testing_support {

/// Delivers everything queued so far: pending events, idle handlers, paints.
inline void Flush(int rounds = 3)
{
    for (int i = 0; i < rounds; ++i)
    {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

/// Pumps the loop until `done` holds or `timeoutMs` passes; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done() && std::chrono::steady_clock::now() < deadline)
    {
        Flush(1);
        wxMilliSleep(5);
    }
    return done();
}

/// Runs a real event loop for `ms` milliseconds. Some native redraws (GTK's
/// frame clock) only happen inside a running loop, not from wxYield.
inline void RunFor(int ms)
{
    wxGUIEventLoop loop;
    wxTimer stop;
    stop.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.Exit(); });
    stop.StartOnce(ms);
    loop.Run();
}

}  // namespace testing_support
