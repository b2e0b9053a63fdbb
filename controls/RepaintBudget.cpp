#include "RepaintBudget.h"

#include <algorithm>

void RepaintBudget::PaintFinished(Clock::time_point started, Clock::time_point finished)
{
    const Clock::duration took = std::max(finished - started, Clock::duration::zero());
    const Clock::duration wait = std::min<Clock::duration>(took * kIdleShare, kLongestWait);
    m_nextPaint = finished + wait;
    m_nextFrame = finished + std::clamp<Clock::duration>(took * kDrainedShare, kFrame, kLongestDrainedWait);
}

RepaintBudget::Clock::duration RepaintBudget::WaitFrom(Clock::time_point now, bool backlogged) const
{
    const Clock::time_point next = backlogged ? m_nextPaint : std::min(m_nextPaint, m_nextFrame);
    return std::max(next - now, Clock::duration::zero());
}
