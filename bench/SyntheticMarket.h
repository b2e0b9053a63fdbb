#pragma once
// The terminal's market with one synthetic 20,000-instrument exchange, and a
// feed that moves its quotes the way the terminal's own does.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TerminalStack.h"
#include "model/ColumnSpec.h"
#include "model/FilterSet.h"

namespace bench_support {

/// What a quote event of the feed says changed: last, bid and ask, and with
/// them the change and its percentage.
constexpr int kChangedLastBuySell = (1 << 12) | (1 << 4) | (1 << 6);
constexpr int kChangedWithChange = kChangedLastBuySell | (1 << 15) | (1 << 17);

/// The terminal's market with a synthetic 20,000-instrument exchange, its
/// host and the board factory; one per process.
class SyntheticMarket : public PerProcess<SyntheticMarket>
{
public:
    static constexpr int kExchangeSize = 20000;
    static constexpr uint32_t kMarketSeed = 20240115;
    static constexpr const char* kExchange = "SYN";

    SyntheticMarket() : m_stack(Catalogue(), std::filesystem::temp_directory_path() / "tickerdeck-bench")
    {
        std::filesystem::create_directories(std::filesystem::temp_directory_path() / "tickerdeck-bench");
        m_stack.catalogue.AddSynthetic(kExchangeSize, kMarketSeed);
        m_exchange = m_stack.catalogue.FindExchangeMutable(kExchange);
    }

    Application& Factory() { return m_stack.application; }
    QuoteBook& Quotes() { return m_stack.quotes; }
    const Catalogue& Instruments() const { return m_stack.catalogue; }
    const Exchange& Synthetic() const { return *m_exchange; }
    const std::string& StorePath() const { return m_stack.files.StorePath(); }

    /// Creates the live record of every synthetic instrument, so that what a
    /// board costs can be told apart from what the host keeps anyway.
    void AcquireAllQuotes()
    {
        for (Instrument* instrument : m_exchange->instruments)
            m_stack.quotes.Acquire(instrument, std::string());
    }

private:
    TerminalStack m_stack;
    Exchange* m_exchange = nullptr;
};

/// Moves one quote the way the terminal's feed does: last, bid and ask
/// together, by whole ticks and at most 0.3% of the price per trade.
class Ticker
{
public:
    explicit Ticker(std::vector<Price*> prices) : m_prices(std::move(prices)) {}

    Price* Next()
    {
        std::uniform_int_distribution<size_t> any(0, m_prices.size() - 1);
        std::uniform_real_distribution<double> share(0.0, 0.003);
        std::bernoulli_distribution up(0.5);
        Price* price = m_prices[any(m_random)];
        const int decimals = price->instrument->decimals;
        const double tick = std::pow(10.0, -(decimals >= 0 ? decimals : 5));
        const double ticks = std::max(1.0, std::round(price->last * share(m_random) / tick));
        const double step = (up(m_random) ? ticks : -ticks) * tick;
        m_moved = price->last + step > tick;
        if (m_moved)
        {
            const bool wasUp = price->changePercent >= kRisingShare;
            price->last += step;
            price->buy += step;
            price->sell += step;
            // The change moves with the last price, as the terminal's feed keeps it.
            price->change = price->last - price->prevClose;
            price->changePercent = price->prevClose > 0.0 ? 100.0 * price->change / price->prevClose : 0.0;
            m_turns += wasUp != (price->changePercent >= kRisingShare);
        }
        return price;
    }

    /// Whether the last quote given out changed its price.
    bool Moved() const { return m_moved; }

    /// Moves that took a quote across no change, into or out of a rising filter.
    long Turns() const { return m_turns; }

private:
    static constexpr double kRisingShare = 1e-8;
    long m_turns = 0;
    bool m_moved = false;
    std::vector<Price*> m_prices;
    std::mt19937 m_random{29};
};

/// Three conditions on a tab of the synthetic market: the rising quotes,
/// about half of them, with a last price and a code.
inline std::unique_ptr<FilterSet> RisingFilter()
{
    return std::make_unique<FilterSet>(FilterSet::Columns{
        {column::Code, {FilterCondition{filter_op::Differs, ""}}},
        {column::Last, {FilterCondition{filter_op::Above, "0"}}},
        {column::ChangePercent, {FilterCondition{filter_op::Above, "0"}}}});
}

}  // namespace bench_support
