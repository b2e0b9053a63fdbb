#include "model/CellBars.h"

#include <algorithm>
#include <cmath>

void BarRange::Include(double value)
{
    if (!std::isfinite(value))
        return;
    low = std::min(low, value);
    high = std::max(high, value);
}

BarSpan BarAcross(double value, const BarRange& range, int width)
{
    const double span = range.high - range.low;
    if (!(span > 0.0) || width <= 0 || !std::isfinite(value))
        return {};
    const auto at = [&](double v) {
        return static_cast<int>(std::lround((std::clamp(v, range.low, range.high) - range.low) / span * width));
    };
    const int zero = at(0.0);
    const int end = at(value);
    return {std::min(zero, end), std::abs(end - zero)};
}
