#pragma once
// A probe of how long the window stops answering, for measuring by hand.

#include <chrono>
#include <cstdio>
#include <memory>

#include <wx/timer.h>

/// Ticks on the GUI thread every few milliseconds and writes every gap
/// between two ticks longer than a threshold to a file: a tick cannot come
/// while a handler holds the loop, so each line is one block of the window.
/// Started only when TICKERDECK_STALL_LOG names the file.
class StallProbe : public wxTimer
{
public:
    /// The probe the environment asks for, or none.
    static std::unique_ptr<StallProbe> FromEnvironment();

    StallProbe(std::FILE* log, std::chrono::milliseconds threshold);
    ~StallProbe() override;
    StallProbe(const StallProbe&) = delete;
    StallProbe& operator=(const StallProbe&) = delete;

    void Notify() override;

private:
    std::FILE* m_log;
    std::chrono::milliseconds m_threshold;
    std::chrono::steady_clock::time_point m_lastTick;
};
