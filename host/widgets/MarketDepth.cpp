#include "MarketDepth.h"

#include <algorithm>
#include <cmath>
#include <functional>

double TickSize(const Instrument* instrument)
{
    const int decimals = instrument && instrument->decimals >= 0 ? std::min(instrument->decimals, 8) : 2;
    return std::pow(10.0, -decimals);
}

namespace {

// A stable pseudo-random size for a level, so the book does not flicker.
double LevelVolume(const Price& price, int level, bool ask, double base)
{
    const std::string key = (price.instrument ? price.instrument->code : std::string()) +
                            (ask ? "a" : "b") + std::to_string(level);
    const size_t hash = std::hash<std::string>()(key);
    const double factor = 0.6 + static_cast<double>(hash % 1000) / 400.0;
    return std::round(base * factor * (1.0 + 0.15 * level));
}

}  // namespace

std::vector<DepthLevel> SynthesiseDepth(const Price& price, int levelsPerSide)
{
    std::vector<DepthLevel> book;
    const double tick = TickSize(price.instrument);
    const double reference = price.last > 0 ? price.last : price.prevClose;
    if (price.buy <= 0 && price.sell <= 0 && reference <= 0)
        return book;
    double bid = price.buy > 0 ? price.buy : reference - tick;
    double ask = price.sell > 0 ? price.sell : reference + tick;
    if (bid <= 0 && ask <= 0)
        return book;
    if (ask <= bid)
        ask = bid + tick;
    const double base = std::max(100.0, (price.buyVolume + price.sellVolume) / 2.0);
    for (int level = levelsPerSide - 1; level >= 0; --level)
    {
        const double volume = level == 0 && price.sellVolume > 0 ? price.sellVolume
                                                                 : LevelVolume(price, level, true, base);
        book.push_back(DepthLevel{ask + level * tick, volume, true});
    }
    for (int level = 0; level < levelsPerSide; ++level)
    {
        const double levelPrice = bid - level * tick;
        if (levelPrice <= 0)
            break;
        const double volume = level == 0 && price.buyVolume > 0 ? price.buyVolume
                                                                : LevelVolume(price, level, false, base);
        book.push_back(DepthLevel{levelPrice, volume, false});
    }
    return book;
}
