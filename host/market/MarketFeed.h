#pragma once
// Simulated live market: moves subscribed live quotes and posts updates.

#include <chrono>
#include <cstdint>

#include <wx/event.h>
#include <wx/timer.h>

#include "market/QuoteCoalescer.h"
#include "market/QuoteWalk.h"

class QuoteBook;

/// Drives random trades on the subscribed live records at a given rate.
class MarketFeed : public wxEvtHandler
{
public:
    MarketFeed(QuoteBook& book, double updatesPerSecond, uint32_t seed);
    ~MarketFeed() override;

    void Start();
    void Stop();
    bool IsRunning() const;
    /// Updates per second over all subscribed live records; 0 pauses the feed.
    void SetRate(double updatesPerSecond);
    double Rate() const { return rate_; }

    /// Performs `updates` updates now; the same seed and subscriptions give
    /// the same sequence. Posts the changes to every listener that has
    /// handled what it got last time; the others get them gathered later.
    void Step(int updates);

    /// Timer period of the running feed.
    static constexpr int kTickMs = 50;

private:
    void OnTimer(wxTimerEvent& event);
    /// Moves `updates` random records and gathers their changes.
    void Trade(int updates);

    QuoteBook& book_;
    double rate_;
    QuoteWalk walk_;
    QuoteCoalescer coalescer_;
    wxTimer timer_;
    std::chrono::steady_clock::time_point lastTick_;
    double pending_ = 0.0;
};
