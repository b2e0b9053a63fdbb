#pragma once
// The recent last prices of one instrument, for drawing a chart.

#include <cstddef>
#include <deque>

/// A bounded series of prices, oldest first.
class PriceHistory
{
public:
    explicit PriceHistory(size_t capacity = 300) : m_capacity(capacity) {}

    /// Appends a price; zero (no trade yet) is ignored.
    void Add(double price);
    void Clear() { m_points.clear(); }

    const std::deque<double>& Points() const { return m_points; }
    double Low() const;
    double High() const;

    /// The y pixel of `price` in a plot `height` pixels tall (top = highest),
    /// with the series' range padded so the line never touches the edges.
    int ToY(double price, int height) const;

private:
    size_t m_capacity;
    std::deque<double> m_points;
};
