#include "market/QuoteWalk.h"

#include <algorithm>
#include <cmath>

#include "market/PriceMath.h"
#include "market/QuoteFields.h"

namespace {

constexpr double kTradeShare = 0.8;      // the rest are order-book changes
constexpr double kUnchangedShare = 0.15; // trades at the previous price
constexpr double kMaxStepShare = 0.003;  // largest move per trade, of the price

double RoundMoney(double value)
{
    return std::round(value * 100.0) / 100.0;
}

bool IsHalted(const Price& price)
{
    return price.statusNote == "Halted" ||
           (price.instrument && price.instrument->tradingStatus == "Halted");
}

}  // namespace

int QuoteWalk::Move(Price& price, const std::string& today, const std::string& time)
{
    if (IsHalted(price) || price.prevClose <= 0.0)
        return 0;
    const Price before = price;
    if (random_.Chance(kTradeShare))
    {
        Trade(price);
        price.tradeTime = time;
        price.tradeDate = today;
        price.secondDate = today;
    }
    else
    {
        Requote(price);
    }
    return ChangedFields(before, price);
}

void QuoteWalk::Trade(Price& price)
{
    const int32_t decimals = price.instrument ? price.instrument->decimals : -1;
    const double reference = price.prevClose;
    const double tick = TickSize(decimals, reference);
    // The band is kept on whole ticks so rounding can never leave it.
    const double lowest = std::max(tick, RoundPrice(std::ceil(reference * (1.0 - kMaxDeviation) / tick - 1e-9) * tick, decimals));
    const double highest = std::max(lowest, RoundPrice(std::floor(reference * (1.0 + kMaxDeviation) / tick + 1e-9) * tick, decimals));

    const double current = price.last > 0.0 ? price.last : reference;
    const double ticks = std::max(1.0, std::round(current * random_.Uniform(0.0, kMaxStepShare) / tick));
    // Pull towards the previous close the farther the price has strayed.
    const double stray = (current - reference) / (reference * kMaxDeviation);
    const double upChance = 0.5 - 0.2 * std::clamp(stray, -1.0, 1.0);
    const int direction = random_.Chance(kUnchangedShare) ? 0 : (random_.Chance(upChance) ? 1 : -1);
    const double next = std::clamp(RoundPrice(current + direction * ticks * tick, decimals), lowest, highest);

    if (next > current)
        price.tradeType = '+';
    else if (next < current)
        price.tradeType = '-';
    else if (price.tradeType != '+' && price.tradeType != '-')
        price.tradeType = '+';

    const double lot = LotSize(price.instrument);
    const double volume = lot * random_.Between(1, 20);
    price.last = next;
    if (price.open <= 0.0)
        price.open = next;
    price.high = price.high > 0.0 ? std::max(price.high, next) : next;
    price.low = price.low > 0.0 ? std::min(price.low, next) : next;
    price.cumVolume += volume;
    price.cumValue = RoundMoney(price.cumValue + volume * next);
    price.vwap = std::clamp(RoundPrice(price.cumValue / price.cumVolume, decimals), price.low, price.high);
    price.deals += 1;
    price.moneyFlow = RoundMoney(price.moneyFlow + (price.tradeType == '+' ? 1.0 : -1.0) * volume * next);
    price.change = RoundPrice(next - reference, decimals);
    price.changePercent = 100.0 * price.change / reference;
    price.amplitude = 100.0 * (price.high - price.low) / reference;

    // An uptick lifted the offer, a downtick hit the bid.
    const int spread = random_.Between(1, 2);
    if (price.tradeType == '+')
    {
        price.sell = next;
        price.buy = std::max(tick, RoundPrice(next - spread * tick, decimals));
        price.sellVolume = lot * random_.Between(1, 60);
        if (random_.Chance(0.5))
            price.buyVolume = lot * random_.Between(1, 60);
    }
    else
    {
        price.buy = next;
        price.sell = RoundPrice(next + spread * tick, decimals);
        price.buyVolume = lot * random_.Between(1, 60);
        if (random_.Chance(0.5))
            price.sellVolume = lot * random_.Between(1, 60);
    }
}

void QuoteWalk::Requote(Price& price)
{
    const int32_t decimals = price.instrument ? price.instrument->decimals : -1;
    const double tick = TickSize(decimals, price.prevClose);
    const double lot = LotSize(price.instrument);
    if (random_.Chance(0.5))
        price.buyVolume = lot * random_.Between(1, 60);
    else
        price.sellVolume = lot * random_.Between(1, 60);
    if (!random_.Chance(0.3) || price.buy <= 0.0 || price.sell <= 0.0)
        return;
    if (price.sell - price.buy > 1.5 * tick)
        price.buy = RoundPrice(price.buy + tick, decimals);
    else
        price.sell = RoundPrice(price.sell + tick, decimals);
}
