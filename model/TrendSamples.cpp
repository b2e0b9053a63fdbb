#include "model/TrendSamples.h"

#include <algorithm>
#include <cmath>

#include "contract/Records.h"

namespace {

constexpr int kDecimalsWithoutOwn = 8;

double RoundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals < 0 ? kDecimalsWithoutOwn : std::min(decimals, 15));
    return std::round(value * scale) / scale;
}

}  // namespace

void TrendSamples::Take(const std::vector<const Price*>& watched, Clock::time_point now)
{
    ++m_tick;
    // Grown in one step: doubling would leave a large tab a third unused.
    if (m_series.capacity() < watched.size())
        m_series.reserve(watched.size());
    for (const Price* price : watched)
    {
        if (!price)
            continue;
        Series& series = SeriesOf(price);
        if (series.tick == m_tick)
            continue;  // listed twice: one point
        series.tick = m_tick;
        // A quote that has not traded has no price to draw yet.
        if (price->last > 0.0)
            Push(series, price->last);
    }
    DropUnnamed();
    m_next = m_taken && now - m_next < m_interval ? m_next + m_interval : now + m_interval;
    m_taken = true;
}

void TrendSamples::Clear()
{
    m_series.clear();
    m_series.shrink_to_fit();
    m_index = PriceSlots<uint32_t>();
    m_taken = false;
}

TrendSamples::Series& TrendSamples::SeriesOf(const Price* price)
{
    if (const uint32_t* at = m_index.Find(price))
        return m_series[*at];
    m_index.Insert(price, static_cast<uint32_t>(m_series.size()));
    m_series.emplace_back();
    m_series.back().price = price;
    return m_series.back();
}

void TrendSamples::Push(Series& series, double last) const
{
    if (series.count == 0)
        series.base = last;
    const auto offset = static_cast<float>(last - series.base);
    if (static_cast<size_t>(series.count) < kWindow)
    {
        series.offsets[(series.head + series.count) % kWindow] = offset;
        ++series.count;
        return;
    }
    series.offsets[series.head] = offset;
    series.head = static_cast<uint8_t>((series.head + 1) % kWindow);
}

void TrendSamples::DropUnnamed()
{
    const auto kept = std::remove_if(m_series.begin(), m_series.end(),
                                     [this](const Series& series) { return series.tick != m_tick; });
    if (kept == m_series.end())
        return;
    m_series.erase(kept, m_series.end());
    // A tab that hides the column gives its memory back.
    if (m_series.capacity() > 2 * m_series.size())
        m_series.shrink_to_fit();
    m_index = PriceSlots<uint32_t>();
    for (size_t at = 0; at < m_series.size(); ++at)
        m_index.Insert(m_series[at].price, static_cast<uint32_t>(at));
}

std::vector<double> TrendSamples::Points(const Price* price) const
{
    std::vector<double> points;
    const uint32_t* at = m_index.Find(price);
    if (!at)
        return points;
    const Series& series = m_series[*at];
    points.reserve(series.count);
    for (size_t i = 0; i < static_cast<size_t>(series.count); ++i)
        points.push_back(series.base + series.offsets[(series.head + i) % kWindow]);
    return points;
}

std::optional<double> TrendSamples::Change(const Price* price, int decimals) const
{
    const uint32_t* at = m_index.Find(price);
    if (!at || m_series[*at].count < 2)
        return std::nullopt;
    const Series& series = m_series[*at];
    const float oldest = series.offsets[series.head];
    const float newest = series.offsets[(series.head + series.count - 1) % kWindow];
    return RoundTo(static_cast<double>(newest) - static_cast<double>(oldest), decimals);
}

std::size_t TrendSamples::BytesUsed() const
{
    return m_series.capacity() * sizeof(Series) + m_index.BytesUsed();
}

namespace {

int Side(double value, double close)
{
    return value > close ? 1 : value < close ? -1 : 0;
}

CellColour ColourOfSide(int side)
{
    return side > 0 ? CellColour::Up : side < 0 ? CellColour::Down : CellColour::Foreground;
}

void Extend(std::vector<TrendRun>& runs, CellColour colour, TrendRun::Point from, TrendRun::Point to)
{
    if (runs.empty() || runs.back().colour != colour)
        runs.push_back({colour, {from}});
    runs.back().points.push_back(to);
}

}  // namespace

TrendShape ShapeTrend(const std::vector<double>& points, double prevClose, double left, double top, double width,
                      double height, std::size_t window)
{
    TrendShape shape;
    if (points.empty() || width < 1 || height < 1 || window < 2)
        return shape;
    const bool hasClose = prevClose > 0.0;
    double low = hasClose ? prevClose : points.front();
    double high = low;
    for (double point : points)
    {
        low = std::min(low, point);
        high = std::max(high, point);
    }
    const double span = high - low;
    // Pixel centres: the first at the box's edge, the last one pixel in.
    const double right = left + width - 1;
    const double step = (width - 1) / static_cast<double>(window - 1);
    const auto yOf = [&](double value) {
        return span <= 0.0 ? top + (height - 1) / 2 : top + (high - value) / span * (height - 1);
    };
    const size_t count = std::min(points.size(), window);
    const size_t first = points.size() - count;
    const auto pointAt = [&](size_t i) {
        return TrendRun::Point{right - static_cast<double>(count - 1 - i) * step, yOf(points[first + i])};
    };
    if (hasClose)
        shape.baseline = yOf(prevClose);
    if (count == 1)
    {
        const int side = hasClose ? Side(points.back(), prevClose) : 0;
        shape.runs.push_back({ColourOfSide(side), {pointAt(0)}});
        return shape;
    }
    for (size_t i = 1; i < count; ++i)
    {
        const double a = points[first + i - 1];
        const double b = points[first + i];
        const TrendRun::Point from = pointAt(i - 1);
        const TrendRun::Point to = pointAt(i);
        if (!hasClose)
        {
            Extend(shape.runs, CellColour::Foreground, from, to);
            continue;
        }
        const int sideA = Side(a, prevClose);
        const int sideB = Side(b, prevClose);
        if (sideA * sideB < 0)
        {
            const double t = (prevClose - a) / (b - a);
            const TrendRun::Point cross{from.x + t * (to.x - from.x), *shape.baseline};
            Extend(shape.runs, ColourOfSide(sideA), from, cross);
            Extend(shape.runs, ColourOfSide(sideB), cross, to);
            continue;
        }
        Extend(shape.runs, ColourOfSide(sideA != 0 ? sideA : sideB), from, to);
    }
    return shape;
}
