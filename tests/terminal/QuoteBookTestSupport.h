#pragma once
// Shared pieces of the market data tests: an event recorder standing in for
// a board window, and comparisons of quote records.

#include <cmath>
#include <string>
#include <vector>

#include <wx/event.h>

#include "plugin/Records.h"

namespace market_test {

/// Records every command event posted to it, like a board would receive them.
class RecordingListener : public wxEvtHandler
{
public:
    struct Received
    {
        int id;
        Price* price;
        int mask;
        long flash;
    };

    RecordingListener() { Bind(wxEVT_MENU, &RecordingListener::OnCommand, this); }

    std::vector<Received> events;

    size_t CountFor(const Price* price) const
    {
        size_t count = 0;
        for (const Received& event : events)
            count += event.price == price ? 1 : 0;
        return count;
    }

private:
    void OnCommand(wxCommandEvent& event)
    {
        events.push_back({event.GetId(), static_cast<Price*>(event.GetClientData()), event.GetInt(),
                          event.GetExtraLong()});
    }
};

/// Same market state, ignoring the clock-driven trade time.
inline bool SameQuote(const Price& a, const Price& b)
{
    return a.instrument == b.instrument && a.buy == b.buy && a.sell == b.sell && a.high == b.high &&
           a.low == b.low && a.last == b.last && a.change == b.change && a.open == b.open &&
           a.changePercent == b.changePercent && a.closing == b.closing && a.prevClose == b.prevClose &&
           a.buyVolume == b.buyVolume && a.sellVolume == b.sellVolume && a.cumVolume == b.cumVolume &&
           a.cumValue == b.cumValue && a.vwap == b.vwap && a.moneyFlow == b.moneyFlow &&
           a.amplitude == b.amplitude && a.deals == b.deals && a.tradeType == b.tradeType &&
           a.statusNote == b.statusNote && a.caNote == b.caNote;
}

/// True when `value` lies on the instrument's price grid.
inline bool OnPriceGrid(double value, int decimals)
{
    const double scaled = value * std::pow(10.0, decimals < 0 ? 5 : decimals);
    return std::fabs(scaled - std::round(scaled)) < 1e-6;
}

}  // namespace market_test
