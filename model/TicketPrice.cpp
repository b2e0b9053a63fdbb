#include "model/TicketPrice.h"

#include <cmath>
#include <limits>

#include <fmt/format.h>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/QuoteFormat.h"

namespace ticket {

namespace {

// Host commands that open a ticket.
constexpr int kBuyAtBid = 1;
constexpr int kSellAtAsk = 2;
constexpr int kBuyAtAsk = 16;
constexpr int kSellAtBid = 17;

// The most decimals a tick count can stand for in a double without noise.
constexpr int kMostDecimals = 15;

bool OnSellSide(int column)
{
    return column == column::Sell || column == column::SellVolume;
}

bool OnBuySide(int column)
{
    return column == column::Buy || column == column::BuyVolume;
}

}  // namespace

Order FromMenu(Side side, int clickedColumn, const Price& quote)
{
    if (side == Side::Buy)
        return OnSellSide(clickedColumn) ? Order{Side::Buy, quote.sell, quote.sellVolume}
                                         : Order{Side::Buy, quote.buy, 0.0};
    return OnBuySide(clickedColumn) ? Order{Side::Sell, quote.buy, quote.buyVolume}
                                    : Order{Side::Sell, quote.sell, 0.0};
}

std::optional<Order> FromDoubleClick(int column, const Price& quote)
{
    // Clicking the other side's offer takes it.
    if (OnBuySide(column))
        return Order{Side::Sell, quote.buy, quote.buyVolume};
    if (OnSellSide(column))
        return Order{Side::Buy, quote.sell, quote.sellVolume};
    return std::nullopt;
}

std::optional<Order> FromHostCommand(int hostCommand, const Price& quote)
{
    switch (hostCommand)
    {
    case kBuyAtBid: return Order{Side::Buy, quote.buy, 0.0};
    case kSellAtAsk: return Order{Side::Sell, quote.sell, 0.0};
    case kBuyAtAsk: return Order{Side::Buy, quote.sell, 0.0};
    case kSellAtBid: return Order{Side::Sell, quote.buy, 0.0};
    default: return std::nullopt;
    }
}

double ChosenPrice(const Order& order, const Price& quote)
{
    const double opposite = order.side == Side::Buy ? quote.sell : quote.buy;
    for (double candidate : {order.priceHint, opposite, quote.last, quote.prevClose})
        if (!quote_format::IsZero(candidate))
            return candidate;
    return 0.0;
}

int TickDecimals(int decimals)
{
    return decimals < 0 ? 5 : decimals;
}

Ticks PriceInTicks(double price, int decimals)
{
    if (quote_format::IsZero(price) || !std::isfinite(price))
        return {};
    const int places = TickDecimals(decimals);
    if (places > kMostDecimals)
        return {0, fmt::format("price {} with {} decimals cannot be counted in ticks", price, places)};
    const long double scaled = std::round(static_cast<long double>(price) * std::pow(10.0L, places));
    // The link's extra long carries the ticks; it is 64 bits wide on the
    // systems the board is built for.
    static_assert(sizeof(long) == sizeof(int64_t), "a ticket link carries 64-bit ticks");
    // 2^63 itself is a double above every int64_t, so the bound is exclusive.
    constexpr long double kBound = 9223372036854775808.0L;
    if (scaled >= kBound || scaled < -kBound)
        return {0, fmt::format("price {} with {} decimals is {} ticks, more than a link event holds", price,
                               places, static_cast<double>(scaled))};
    return {static_cast<int64_t>(scaled), {}};
}

}  // namespace ticket
