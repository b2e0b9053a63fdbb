#include "RepaintBudget.h"

#include <algorithm>

void RepaintBudget::PaintFinished(Clock::time_point started, Clock::time_point finished)
{
    const Clock::duration took = std::max(finished - started, Clock::duration::zero());
    const Clock::duration wait = std::min<Clock::duration>(took * kIdleShare, kLongestWait);
    m_nextPaint = finished + wait;
}

RepaintBudget::Clock::duration RepaintBudget::WaitFrom(Clock::time_point now) const
{
    return std::max(m_nextPaint - now, Clock::duration::zero());
}
