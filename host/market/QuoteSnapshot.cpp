#include "market/QuoteSnapshot.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "market/PriceMath.h"
#include "market/SeededRandom.h"

namespace quote_snapshot {
namespace {

/// Reproducible randomness for one instrument on one day.
SeededRandom DayRandom(const Price& price, const std::string& date)
{
    const Instrument* instrument = price.instrument;
    const std::string identity = instrument ? instrument->exchange + ":" + instrument->code : std::string();
    return SeededRandom(StableHash(date, StableHash(identity)));
}

double RoundTo(double value, double step)
{
    return std::round(value / step) * step;
}

/// Open, range, volumes and flows of a day that traded from `reference`.
void FillTradingDay(Price& price, double reference, SeededRandom& random, double maxMove)
{
    const int32_t decimals = price.instrument ? price.instrument->decimals : -1;
    const double tick = TickSize(decimals, reference);
    const auto round = [&](double value) { return std::max(tick, RoundPrice(value, decimals)); };

    price.prevClose = round(reference);
    price.open = round(reference * (1.0 + random.Uniform(-0.01, 0.01)));
    price.last = round(reference * (1.0 + random.Uniform(-maxMove, maxMove)));
    price.high = std::max({price.open, price.last, round(std::max(price.open, price.last) * (1.0 + random.Uniform(0.0, 0.01)))});
    price.low = std::min({price.open, price.last, round(std::min(price.open, price.last) * (1.0 - random.Uniform(0.0, 0.01)))});
    price.vwap = std::clamp(round(price.low + (price.high - price.low) * random.Uniform(0.3, 0.7)), price.low, price.high);

    const int spreadTicks = random.Between(1, 3);
    price.buy = round(price.last - tick * random.Between(0, spreadTicks));
    price.sell = RoundPrice(price.buy + tick * spreadTicks, decimals);
    const double lot = LotSize(price.instrument);
    price.buyVolume = lot * random.Between(1, 60);
    price.sellVolume = lot * random.Between(1, 60);

    // Dearer shares trade in smaller numbers.
    const double shares = std::exp(random.Uniform(std::log(5e3), std::log(5e6))) / std::max(1.0, price.last / 50.0);
    price.cumVolume = std::max(lot, RoundTo(shares, lot * 10));
    price.cumValue = std::round(price.cumVolume * price.vwap * 100.0) / 100.0;
    price.deals = static_cast<int32_t>(std::max(1.0, std::round(price.cumVolume / (lot * random.Uniform(2.0, 40.0)))));
    const double lean = price.last >= price.prevClose ? 0.1 : -0.1;
    price.moneyFlow = std::round(price.cumValue * (lean + random.Uniform(-0.2, 0.2)) * 100.0) / 100.0;

    price.change = RoundPrice(price.last - price.prevClose, decimals);
    price.changePercent = 100.0 * price.change / price.prevClose;
    price.amplitude = 100.0 * (price.high - price.low) / price.prevClose;
    price.tradeType = price.last >= price.buy + tick / 2 ? '+' : '-';
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

void FillLiveSession(Price& price, double seed, const std::string& today, const std::string& time)
{
    SeededRandom random = DayRandom(price, today);
    FillTradingDay(price, seed, random, 0.04);
    price.closing = 0.0;
    price.tradeDate = today;
    price.secondDate = today;
    price.tradeTime = time;
}

void FillClosingDay(Price& price, double seed, const std::string& date)
{
    SeededRandom random = DayRandom(price, date);
    // The reference of a past day wanders around today's seed.
    const double reference = seed * (1.0 + random.Uniform(-0.15, 0.15));
    FillTradingDay(price, reference, random, 0.05);
    price.closing = price.last;
    price.tradeDate = date;
    price.secondDate = date;
    price.tradeTime = "16:00:00";
}

void FillNoTrading(Price& price, double seed)
{
    Price empty;
    empty.instrument = price.instrument;
    empty.prevClose = RoundPrice(seed, price.instrument ? price.instrument->decimals : -1);
    price = empty;
}

bool IsValidDate(const std::string& date)
{
    if (date.size() != 8 || !std::all_of(date.begin(), date.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    const int year = std::stoi(date.substr(0, 4));
    const int month = std::stoi(date.substr(4, 2));
    const int day = std::stoi(date.substr(6, 2));
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || month < 1 || month > 12 || day < 1)
        return false;
    const int lastDay = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= lastDay;
}

}  // namespace quote_snapshot
