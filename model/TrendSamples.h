#pragma once
// The recent path of the last prices a trend column shows: one point per
// fixed interval, the newest few score kept, and the line they make in a cell.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/CellColour.h"
#include "model/PriceSlots.h"

struct Price;

/// Points of the last price of every quote a trend column shows, taken all
/// at once every interval, never per quote: the quote path pays nothing.
/// Only the quotes named at the latest point are kept, so the memory goes
/// with the tabs showing the column. A point is the quote's last price as an
/// offset from the first one it got, in single precision, so that a row
/// costs about half a kilobyte and the change over the window keeps the
/// price's own decimals.
class TrendSamples
{
public:
    using Clock = std::chrono::steady_clock;
    /// Points kept per quote.
    static constexpr std::size_t kWindow = 120;
    static constexpr std::chrono::milliseconds kInterval{10000};

    explicit TrendSamples(std::chrono::milliseconds interval = kInterval) : m_interval(interval) {}

    std::chrono::milliseconds Interval() const { return m_interval; }
    /// Whether a point is due at `now`; the first one is due at once.
    bool Due(Clock::time_point now) const { return !m_taken || now >= m_next; }
    /// Takes a point of every quote in `watched` (a quote may be listed more
    /// than once) that has traded, and forgets the quotes not listed. The
    /// next point is due an interval after the one this was due at; one that
    /// came more than an interval late starts the count from `now`.
    void Take(const std::vector<const Price*>& watched, Clock::time_point now);
    /// Forgets every point: a history date shows one day's closing quotes,
    /// and live quotes start afresh.
    void Clear();

    /// The points of `price`, oldest first; empty when it has none.
    std::vector<double> Points(const Price* price) const;
    /// Newest point less oldest, in the price's decimals (`decimals` < 0:
    /// eight); none with fewer than two points.
    std::optional<double> Change(const Price* price, int decimals) const;

    /// Quotes with points.
    std::size_t Size() const { return m_series.size(); }
    /// What the points and their index take, in bytes.
    std::size_t BytesUsed() const;

private:
    struct Series
    {
        double base = 0.0;            // the first point; the others are offsets from it
        float offsets[kWindow] = {};  // a ring, `head` the oldest
        uint8_t head = 0;
        uint8_t count = 0;
        uint32_t tick = 0;            // the point it was last named at
        const Price* price = nullptr;
    };
    static_assert(kWindow <= 255, "a series counts its points in a byte");

    Series& SeriesOf(const Price* price);
    void Push(Series& series, double last) const;
    void DropUnnamed();

    std::chrono::milliseconds m_interval;
    bool m_taken = false;
    Clock::time_point m_next;
    uint32_t m_tick = 0;
    std::vector<Series> m_series;
    PriceSlots<uint32_t> m_index;  // quote -> its series
};

/// One stretch of a trend line drawn in one colour.
struct TrendRun
{
    struct Point
    {
        double x;
        double y;
    };
    CellColour colour = CellColour::Foreground;
    std::vector<Point> points;
};

/// A trend line fitted into a cell's box: the newest point at the right
/// edge, one step per interval to the left, so rows sampled since later show
/// shorter lines; the range spans the points and the previous close.
struct TrendShape
{
    std::vector<TrendRun> runs;     // above the close Up, below Down, without a close Foreground
    std::optional<double> baseline; // the previous close's height, when it has one
};

/// Lays `points` (oldest first, at most `window`) into the box at
/// (`left`, `top`) of `width` by `height` pixels, pixel centres counted
/// from the box's corner; a line crossing the previous close is split
/// where it crosses it. A flat line lies across the middle.
TrendShape ShapeTrend(const std::vector<double>& points, double prevClose, double left, double top, double width,
                      double height, std::size_t window = TrendSamples::kWindow);
