#pragma once
// Turns successive quotes of one instrument into the trades between them.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "contract/Records.h"

/// One trade seen on the tape.
struct TapeTrade
{
    std::string time;
    double price;
    double volume;
    bool uptick;
};

/// The most recent trades of one instrument, newest first.
class TradeTape
{
public:
    explicit TradeTape(size_t capacity = 200) : m_capacity(capacity) {}

    /// Compares the quote with the previous one; a grown cumulative volume is
    /// a trade of the difference at the last price, up or down by the tick
    /// rule. The first quote only sets the starting point.
    std::optional<TapeTrade> Observe(const Price& price);

    const std::deque<TapeTrade>& Trades() const { return m_trades; }
    void Reset();

private:
    size_t m_capacity;
    std::deque<TapeTrade> m_trades;
    bool m_started = false;
    double m_cumVolume = 0.0;
    double m_lastPrice = 0.0;
    bool m_lastUptick = true;
};
