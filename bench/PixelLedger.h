#pragma once
// The bookkeeping of the quote-to-pixel benchmark, apart from any window.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <unordered_map>
#include <vector>

struct Price;

namespace bench_support {

/// Latencies in milliseconds, summarised.
struct Latencies
{
    std::vector<double> samples;

    /// The sample at `share` of the sorted list, by nearest rank; 0 when empty.
    double Percentile(double share)
    {
        if (samples.empty())
            return 0.0;
        std::sort(samples.begin(), samples.end());
        const size_t rank = static_cast<size_t>(share * static_cast<double>(samples.size() - 1) + 0.5);
        return samples[std::min(rank, samples.size() - 1)];
    }
    double Max() const { return samples.empty() ? 0.0 : *std::max_element(samples.begin(), samples.end()); }
};

/// Follows each fed quote from the moment it was due, through the board's
/// handling (in the order fed), to the first paint after that which covers
/// its row's Last cell. A quote whose row leaves the screen before such a
/// paint stops counting; one still waiting at the end counts as unpainted.
class PixelLedger
{
public:
    using Clock = std::chrono::steady_clock;
    using Milliseconds = std::chrono::duration<double, std::milli>;
    /// Whether the paint just over covered the quote's Last cell, or whether
    /// its row is on screen.
    using QuoteTest = std::function<bool(const Price*)>;

    /// Quotes due before `steadyFrom` belong to the first second.
    explicit PixelLedger(Clock::time_point steadyFrom) : m_steadyFrom(steadyFrom) {}

    /// A quote fed, due at `due`; `counted` when its Last changed, so that
    /// its cell must be repainted.
    void Posted(const Price* price, Clock::time_point due, bool counted) { m_queued.push_back({price, due, counted}); }

    /// The board is about to handle the quote of `price`.
    void Handled(const Price* price)
    {
        if (m_queued.empty() || m_queued.front().price != price)
        {
            ++outOfOrder;
            return;
        }
        const Queued quote = m_queued.front();
        m_queued.pop_front();
        if (quote.counted)
            m_waiting[quote.price].push_back(quote.due);
    }

    /// A paint ended at `now`; the handled quotes it covered are shown, and
    /// those whose rows are off screen leave the count.
    void Painted(Clock::time_point now, const QuoteTest& covered, const QuoteTest& onScreen)
    {
        ++paints;
        for (auto it = m_waiting.begin(); it != m_waiting.end();)
        {
            if (!covered(it->first))
            {
                ++it;
                continue;
            }
            for (Clock::time_point due : it->second)
                Record(due, now);
            it = m_waiting.erase(it);
        }
        DropOffScreen(onScreen);
    }

    /// The feed is over: quotes still waiting on screen count as unpainted,
    /// with the time they have waited until `now`.
    void CountUnpainted(Clock::time_point now, const QuoteTest& onScreen)
    {
        DropOffScreen(onScreen);
        for (const auto& [price, arrivals] : m_waiting)
            for (Clock::time_point due : arrivals)
            {
                ++unpainted;
                Record(due, now);
            }
        m_waiting.clear();
    }

    Latencies steady;
    Latencies firstSecond;
    long paints = 0;
    long unpainted = 0;
    long leftScreen = 0;
    long outOfOrder = 0;

private:
    struct Queued
    {
        const Price* price;
        Clock::time_point due;
        bool counted;
    };

    void Record(Clock::time_point due, Clock::time_point shown)
    {
        (due < m_steadyFrom ? firstSecond : steady).samples.push_back(Milliseconds(shown - due).count());
    }

    void DropOffScreen(const QuoteTest& onScreen)
    {
        for (auto it = m_waiting.begin(); it != m_waiting.end();)
        {
            if (onScreen(it->first))
            {
                ++it;
                continue;
            }
            leftScreen += static_cast<long>(it->second.size());
            it = m_waiting.erase(it);
        }
    }

    Clock::time_point m_steadyFrom;
    std::deque<Queued> m_queued;
    std::unordered_map<const Price*, std::vector<Clock::time_point>> m_waiting;
};

}  // namespace bench_support
