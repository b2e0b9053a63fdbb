#include "TradeTape.h"

std::optional<TapeTrade> TradeTape::Observe(const Price& price)
{
    if (!m_started)
    {
        m_started = true;
        m_cumVolume = price.cumVolume;
        m_lastPrice = price.last;
        return std::nullopt;
    }
    // A smaller total means a new session or a corrected record: start over.
    if (price.cumVolume < m_cumVolume)
    {
        m_cumVolume = price.cumVolume;
        m_lastPrice = price.last;
        return std::nullopt;
    }
    if (price.cumVolume - m_cumVolume < 1e-8)
        return std::nullopt;
    // Tick rule: a trade at the same price keeps the direction of the one before.
    bool uptick = m_lastUptick;
    if (price.last > m_lastPrice + 1e-8)
        uptick = true;
    else if (price.last < m_lastPrice - 1e-8)
        uptick = false;
    m_lastUptick = uptick;
    TapeTrade trade{price.tradeTime, price.last, price.cumVolume - m_cumVolume, uptick};
    m_cumVolume = price.cumVolume;
    m_lastPrice = price.last;
    m_trades.push_front(trade);
    while (m_trades.size() > m_capacity)
        m_trades.pop_back();
    return trade;
}

void TradeTape::Reset()
{
    m_trades.clear();
    m_started = false;
    m_cumVolume = 0.0;
    m_lastPrice = 0.0;
    m_lastUptick = true;
}
