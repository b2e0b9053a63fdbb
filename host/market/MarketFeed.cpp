#include "market/MarketFeed.h"

#include <algorithm>
#include <cmath>

#include <wx/datetime.h>

#include "market/QuoteBook.h"

namespace {
// After a stall (a modal dialog, a debugger) catch up at most this much.
constexpr double kMaxBacklogSeconds = 1.0;
// A tick trades for at most this long and forgets the trades it had no time
// for: a rate beyond what the machine can simulate must still leave the
// event loop the time to paint, to handle input and to quit when asked.
constexpr std::chrono::milliseconds kTickWorkBudget(20);
// Trades between two looks at the clock.
constexpr int kTradesPerCheck = 1024;
}

MarketFeed::MarketFeed(QuoteBook& book, double updatesPerSecond, uint32_t seed)
    : book_(book), rate_(0.0), walk_(seed), coalescer_(book), timer_(this)
{
    SetRate(updatesPerSecond);
    Bind(wxEVT_TIMER, &MarketFeed::OnTimer, this, timer_.GetId());
}

MarketFeed::~MarketFeed()
{
    timer_.Stop();
}

void MarketFeed::Start()
{
    lastTick_ = std::chrono::steady_clock::now();
    pending_ = 0.0;
    timer_.Start(kTickMs);
}

void MarketFeed::Stop()
{
    timer_.Stop();
}

bool MarketFeed::IsRunning() const
{
    return timer_.IsRunning();
}

void MarketFeed::SetRate(double updatesPerSecond)
{
    rate_ = std::isfinite(updatesPerSecond) ? std::max(0.0, updatesPerSecond) : 0.0;
    if (rate_ == 0.0)
        pending_ = 0.0;
}

void MarketFeed::OnTimer(wxTimerEvent&)
{
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double>(now - lastTick_).count();
    lastTick_ = now;
    pending_ = std::min(pending_ + rate_ * elapsed, rate_ * kMaxBacklogSeconds);
    const double whole = std::floor(pending_);
    pending_ -= whole;
    const auto deadline = now + kTickWorkBudget;
    for (int left = static_cast<int>(whole); left > 0; left -= kTradesPerCheck)
    {
        Trade(std::min(left, kTradesPerCheck));
        if (std::chrono::steady_clock::now() >= deadline)
            break;
    }
    coalescer_.Deliver();
}

void MarketFeed::Step(int updates)
{
    Trade(updates);
    // Also with nothing new: a listener may just have caught up.
    coalescer_.Deliver();
}

void MarketFeed::Trade(int updates)
{
    const std::vector<Price*>& records = book_.SubscribedLive();
    if (records.empty() || updates <= 0)
        return;
    const wxDateTime now = wxDateTime::Now();
    const std::string today = now.Format("%Y%m%d").ToStdString();
    const std::string time = now.Format("%H:%M:%S").ToStdString();
    for (int i = 0; i < updates; ++i)
    {
        Price* price = records[walk_.Random().Below(records.size())];
        const int mask = walk_.Move(*price, today, time);
        if (mask == 0)
            continue;
        book_.ForEachListener(price, [&](wxEvtHandler* listener) { coalescer_.Add(listener, price, mask, true); });
    }
}
