// Quote to pixel: quotes fed at a steady rate to a shown board, and for each
// quote the time from its arrival at the board to the end of the paint that
// shows it.
//
// The harness alone measures: the board runs as it ships. What is measured:
// a quote "arrives" at the moment the feed was due to post
// it (a steady schedule of `rate` quotes a second; a feed held up by a busy
// board counts against the board, as a network thread's quotes would wait in
// its queue). It is "shown" at the end of the first paint of the grid window,
// after the board has handled its event, whose area covers the quote's Last
// cell. Quotes whose rows are off screen once handled (scrolled away, sorted
// away or filtered out) do not count. Quotes whose rows stay on screen and
// are never painted are counted as unpainted. The first second of each run is
// reported apart from the steady state.

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>
#include <wx/evtloop.h>
#include <wx/region.h>
#include <wx/timer.h>

#include "BenchMain.h"
#include "BoardWindow.h"
#include "SyntheticMarket.h"
#include "contract/CommandIds.h"
#include "filter/TabFilter.h"
#include "store/WatchlistStore.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
using Market = bench_support::SyntheticMarket;
using bench_support::BoardWindow;
using bench_support::Tree;

constexpr auto kWarmUp = std::chrono::seconds(1);
constexpr auto kSteady = std::chrono::seconds(5);
/// After the feed stops: longer than a busy grid ever rests between paints.
constexpr auto kDrain = std::chrono::milliseconds(700);
constexpr int kFeedTickMs = 1;
const char* const kWatchlist = "Thousand";
constexpr int kWatchlistSize = 1000;

enum class Order
{
    Plain,
    Sorted,
    Filtered
};

/// Latencies in milliseconds, summarised.
struct Latencies
{
    std::vector<double> samples;

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

/// Sits in front of a window's paint handlers and reports, once they have
/// all run, the area the paint covered.
class AfterPaint : public wxEvtHandler
{
public:
    AfterPaint(wxWindow* window, std::function<void(const wxRegion&)> painted)
        : m_window(window), m_painted(std::move(painted))
    {
        Bind(wxEVT_PAINT, &AfterPaint::OnPaint, this);
        m_window->PushEventHandler(this);
    }
    ~AfterPaint() override { m_window->RemoveEventHandler(this); }

private:
    void OnPaint(wxPaintEvent& event)
    {
        if (wxEvtHandler* next = GetNextHandler())
            next->ProcessEventLocally(event);
        m_painted(m_window->GetUpdateRegion());
    }

    wxWindow* m_window;
    std::function<void(const wxRegion&)> m_painted;
};

/// Follows every fed quote from its arrival through the board's handler to
/// the paint that shows it.
class PixelClock
{
public:
    PixelClock(BoardWindow& window, Clock::time_point steadyFrom)
        : m_window(window),
          m_steadyFrom(steadyFrom),
          m_afterPaint(window.Grid()->GetGridWindow(), [this](const wxRegion& painted) { OnPainted(painted); })
    {
        // Bound handlers run before the board's event table: the board
        // handles the event right after this one returns.
        m_window.Board()->Bind(wxEVT_MENU, &PixelClock::OnQuote, this, cmd::QuoteUpdate);
    }
    ~PixelClock() { m_window.Board()->Unbind(wxEVT_MENU, &PixelClock::OnQuote, this, cmd::QuoteUpdate); }

    /// A quote posted to the board, due at `due`; `counted` when its Last
    /// changed, so that its cell must be repainted.
    void Posted(Price* price, Clock::time_point due, bool counted) { m_queued.push_back({price, due, counted}); }

    /// Quotes still waiting in rows on screen, counted as unpainted with
    /// the time they have waited so far.
    void CountUnpainted()
    {
        const auto now = Clock::now();
        DropQuotesOffScreen();
        for (auto& [price, arrivals] : m_waiting)
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
        Price* price;
        Clock::time_point due;
        bool counted;
    };

    void OnQuote(wxCommandEvent& event)
    {
        event.Skip();
        if (m_queued.empty() || m_queued.front().price != event.GetClientData())
        {
            ++outOfOrder;
            return;
        }
        const Queued quote = m_queued.front();
        m_queued.pop_front();
        if (quote.counted)
            m_waiting[quote.price].push_back(quote.due);
    }

    void OnPainted(const wxRegion& painted)
    {
        const auto now = Clock::now();
        ++paints;
        wxGridEx* grid = m_window.Grid();
        TickerdeckTable* table = m_window.Table();
        const auto [first, last] = RowsOnScreen();
        for (int row = first; row >= 0 && row <= last; ++row)
        {
            const auto found = m_waiting.find(table->RowPrice(row));
            if (found == m_waiting.end())
                continue;
            wxRect cell = grid->CellToRect(row, column::Last);
            grid->CalcScrolledPosition(cell.x, cell.y, &cell.x, &cell.y);
            if (painted.Contains(cell) == wxOutRegion)
                continue;
            for (Clock::time_point due : found->second)
                Record(due, now);
            m_waiting.erase(found);
        }
        DropQuotesOffScreen();
    }

    void Record(Clock::time_point due, Clock::time_point shown)
    {
        (due < m_steadyFrom ? firstSecond : steady).samples.push_back(Milliseconds(shown - due).count());
    }

    /// First and last row with a pixel on screen; first is -1 for none.
    std::pair<int, int> RowsOnScreen() const
    {
        wxGridEx* grid = m_window.Grid();
        int top = 0;
        grid->CalcUnscrolledPosition(0, 0, nullptr, &top);
        const int height = grid->GetGridWindow()->GetClientSize().y;
        const int first = grid->YToRow(top);
        int last = grid->YToRow(top + height - 1);
        if (last < 0)
            last = grid->GetNumberRows() - 1;
        return {first, last};
    }

    void DropQuotesOffScreen()
    {
        const auto [first, last] = RowsOnScreen();
        for (auto it = m_waiting.begin(); it != m_waiting.end();)
        {
            const int row = m_window.Table()->Index().RowOf(it->first);
            if (first >= 0 && row >= first && row <= last)
            {
                ++it;
                continue;
            }
            leftScreen += static_cast<long>(it->second.size());
            it = m_waiting.erase(it);
        }
    }

    BoardWindow& m_window;
    Clock::time_point m_steadyFrom;
    AfterPaint m_afterPaint;
    std::deque<Queued> m_queued;
    std::unordered_map<const Price*, std::vector<Clock::time_point>> m_waiting;
};

/// Posts quotes to the board on a steady schedule from a 1 ms timer, for as
/// long as its event loop runs.
class SteadyFeed : public wxEvtHandler
{
public:
    SteadyFeed(BoardWindow& window, PixelClock& clock, std::vector<Price*> prices, double rate, int mask)
        : m_window(window), m_clock(clock), m_ticker(std::move(prices)), m_rate(rate), m_mask(mask), m_timer(this)
    {
        Bind(wxEVT_TIMER, &SteadyFeed::OnTick, this);
    }

    /// Feeds for `duration` from `start`, then lets the board finish painting.
    void Run(Clock::time_point start, Clock::duration duration)
    {
        m_start = start;
        m_end = start + duration;
        m_timer.Start(kFeedTickMs);
        m_loop.Run();
        m_timer.Stop();
        const auto drainEnd = Clock::now() + kDrain;
        while (Clock::now() < drainEnd)
            bench_support::Flush(1);
    }

    long Posted() const { return m_posted; }

private:
    void OnTick(wxTimerEvent&)
    {
        const auto now = Clock::now();
        const auto until = std::min(now, m_end);
        const long due = static_cast<long>(Milliseconds(until - m_start).count() * m_rate / 1000.0);
        while (m_posted < due)
        {
            const auto at = m_start + std::chrono::duration_cast<Clock::duration>(Milliseconds(m_posted * 1000.0 / m_rate));
            Post(at);
        }
        if (now >= m_end)
            m_loop.Exit();
    }

    void Post(Clock::time_point due)
    {
        Price* price = m_ticker.Next();
        m_clock.Posted(price, due, m_ticker.Moved());
        QuoteBook::PostQuote(m_window.Board(), price, m_mask, true);
        ++m_posted;
    }

    BoardWindow& m_window;
    PixelClock& m_clock;
    bench_support::Ticker m_ticker;
    double m_rate;
    int m_mask;
    wxTimer m_timer;
    wxGUIEventLoop m_loop;
    Clock::time_point m_start;
    Clock::time_point m_end;
    long m_posted = 0;
};

/// The tab to measure: the first thousand synthetic instruments as a stored
/// watchlist, or the whole 20,000-instrument exchange.
Tree TabNode(int rows, Order order)
{
    const bool sorted = order == Order::Sorted;
    if (rows == Market::kExchangeSize)
        return bench_support::ExchangeTabNode(Market::kExchange, sorted);
    Market& market = Market::Get();
    std::vector<layout::InstrumentRef> refs;
    for (const Instrument* instrument : market.Synthetic().instruments)
        if (refs.size() < static_cast<size_t>(rows))
            refs.push_back({instrument->exchange, instrument->code});
    bench_support::WriteStore(market.Factory(), market.StorePath(), {{kWatchlist, refs}});
    return bench_support::WatchlistTabNode(kWatchlist, sorted);
}

void RunQuoteToPixel(benchmark::State& state, int rows, double rate, Order order)
{
    const Tree node = TabNode(rows, order);
    BoardWindow window;
    window.Open(Market::Get().Factory(), node);
    window.SizeGridWindow();
    if (window.Rows() != rows)
    {
        state.SkipWithError("the board did not open the whole tab");
        return;
    }
    const wxRect last = window.Grid()->CellToRect(0, column::Last);
    if (last.GetRight() >= window.Grid()->GetGridWindow()->GetClientSize().x)
    {
        state.SkipWithError("the Last column is not on screen");
        return;
    }
    if (order == Order::Filtered)
        SetTabFilter(*window.Board(), window.Grid(), bench_support::RisingFilter());
    bench_support::Flush();
    for (auto _ : state)
    {
        const auto start = Clock::now();
        PixelClock clock(window, start + kWarmUp);
        // A filtered tab's hidden quotes move too, and come back when they rise.
        SteadyFeed feed(window, clock, window.Table()->Members().List(), rate, bench_support::kChangedWithChange);
        feed.Run(start, kWarmUp + kSteady);
        clock.CountUnpainted();
        state.counters["p50_ms"] = clock.steady.Percentile(0.50);
        state.counters["p99_ms"] = clock.steady.Percentile(0.99);
        state.counters["max_ms"] = clock.steady.Max();
        state.counters["samples"] = static_cast<double>(clock.steady.samples.size());
        state.counters["first_second_p99_ms"] = clock.firstSecond.Percentile(0.99);
        state.counters["first_second_max_ms"] = clock.firstSecond.Max();
        state.counters["unpainted"] = static_cast<double>(clock.unpainted);
        state.counters["left_screen"] = static_cast<double>(clock.leftScreen);
        state.counters["paints_per_s"] = clock.paints / std::chrono::duration<double>(kWarmUp + kSteady).count();
        state.counters["fed_per_s"] = feed.Posted() / std::chrono::duration<double>(kWarmUp + kSteady).count();
        if (clock.outOfOrder)
            state.SkipWithError("quote events reached the board out of the order they were posted");
    }
}

void Register(const char* name, int rows, double rate, Order order)
{
    benchmark::RegisterBenchmark(name, [=](benchmark::State& state) { RunQuoteToPixel(state, rows, rate, order); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(1);
}

}  // namespace

int main(int argc, char** argv)
{
    // Names without "/": the report keys figures by the part before one.
    Register("BM_QuoteToPixel_1000_plain", kWatchlistSize, 2000, Order::Plain);
    Register("BM_QuoteToPixel_1000_sorted", kWatchlistSize, 2000, Order::Sorted);
    Register("BM_QuoteToPixel_1000_filtered", kWatchlistSize, 2000, Order::Filtered);
    Register("BM_QuoteToPixel_20000_plain", Market::kExchangeSize, 20000, Order::Plain);
    Register("BM_QuoteToPixel_20000_sorted", Market::kExchangeSize, 20000, Order::Sorted);
    Register("BM_QuoteToPixel_20000_filtered", Market::kExchangeSize, 20000, Order::Filtered);
    return bench_support::RunWithApp(argc, argv, [] { Market::Close(); });
}
