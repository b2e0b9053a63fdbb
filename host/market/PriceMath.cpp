#include "market/PriceMath.h"

#include <algorithm>
#include <cmath>

#include "contract/Records.h"

namespace {
constexpr int kDecimalsWhenNotGiven = 5;
}

int PriceDecimals(int32_t instrumentDecimals)
{
    return instrumentDecimals < 0 ? kDecimalsWhenNotGiven : instrumentDecimals;
}

double TickSize(int32_t instrumentDecimals, double price)
{
    if (instrumentDecimals >= 0)
        return std::pow(10.0, -instrumentDecimals);
    const double magnitude = price > 0.0 ? std::floor(std::log10(price)) : 0.0;
    return std::pow(10.0, std::max(-static_cast<double>(kDecimalsWhenNotGiven), magnitude - 3.0));
}

double RoundPrice(double value, int32_t instrumentDecimals)
{
    const double factor = std::pow(10.0, PriceDecimals(instrumentDecimals));
    return std::round(value * factor) / factor;
}

double LotSize(const Instrument* instrument)
{
    if (instrument && (instrument->currency == "JPY" || instrument->currency == "HKD"))
        return 100.0;
    return 10.0;
}
