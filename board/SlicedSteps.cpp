#include "board/SlicedSteps.h"

#include <algorithm>

SlicedSteps::SlicedSteps(std::function<void()> step, std::size_t sliceRows, std::size_t rowsPerClockRead)
    : m_step(std::move(step)), m_timer(this), m_sliceRows(sliceRows),
      m_rowsPerClockRead(std::max<std::size_t>(rowsPerClockRead, 1))
{
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { m_step(); });
}

SlicedSteps::~SlicedSteps()
{
    m_timer.Stop();
}

void SlicedSteps::SetSliceBounds(std::size_t rows, std::chrono::milliseconds time)
{
    m_sliceRows = std::max<std::size_t>(rows, 1);
    m_sliceTime = time;
}

void SlicedSteps::Soon()
{
    if (!m_timer.IsRunning())
        Again();
}

std::size_t SlicedSteps::Slice(std::size_t next, std::size_t size,
                               const std::function<void(std::size_t, std::size_t)>& work) const
{
    const auto start = std::chrono::steady_clock::now();
    const std::size_t last = std::min(size, next + m_sliceRows);
    while (next < last)
    {
        const std::size_t end = std::min(last, next + m_rowsPerClockRead);
        work(next, end);
        next = end;
        if (std::chrono::steady_clock::now() - start >= m_sliceTime)
            break;
    }
    return next;
}
