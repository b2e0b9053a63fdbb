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
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>
#include <wx/evtloop.h>
#include <wx/region.h>
#include <wx/timer.h>

#include "BenchMain.h"
#include "BoardWindow.h"
#include "PixelLedger.h"
#include "SyntheticMarket.h"
#include "contract/CommandIds.h"
#include "filter/TabFilter.h"
#include "store/WatchlistStore.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = bench_support::PixelLedger::Milliseconds;
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

/// Tells the ledger of a board's quote events and of its grid's paints.
class PixelClock
{
public:
    PixelClock(BoardWindow& window, Clock::time_point steadyFrom)
        : ledger(steadyFrom),
          m_window(window),
          m_afterPaint(window.Grid()->GetGridWindow(), [this](const wxRegion& painted) { OnPainted(painted); })
    {
        // Bound handlers run before the board's event table: the board
        // handles the event right after this one returns.
        m_window.Board()->Bind(wxEVT_MENU, &PixelClock::OnQuote, this, cmd::QuoteUpdate);
    }
    ~PixelClock() { m_window.Board()->Unbind(wxEVT_MENU, &PixelClock::OnQuote, this, cmd::QuoteUpdate); }

    void CountUnpainted()
    {
        const auto [first, last] = RowsOnScreen();
        ledger.CountUnpainted(Clock::now(), OnScreen(first, last));
    }

    bench_support::PixelLedger ledger;

private:
    void OnQuote(wxCommandEvent& event)
    {
        event.Skip();
        ledger.Handled(static_cast<const Price*>(event.GetClientData()));
    }

    void OnPainted(const wxRegion& painted)
    {
        const auto now = Clock::now();
        wxGridEx* grid = m_window.Grid();
        const auto [first, last] = RowsOnScreen();
        const auto covered = [&](const Price* price)
        {
            const int row = m_window.Table()->Index().RowOf(price);
            if (first < 0 || row < first || row > last)
                return false;
            wxRect cell = grid->CellToRect(row, column::Last);
            grid->CalcScrolledPosition(cell.x, cell.y, &cell.x, &cell.y);
            return painted.Contains(cell) != wxOutRegion;
        };
        ledger.Painted(now, covered, OnScreen(first, last));
    }

    bench_support::PixelLedger::QuoteTest OnScreen(int first, int last) const
    {
        const TickerdeckTable* table = m_window.Table();
        return [=](const Price* price)
        {
            const int row = table->Index().RowOf(price);
            return first >= 0 && row >= first && row <= last;
        };
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

    BoardWindow& m_window;
    AfterPaint m_afterPaint;
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
        m_clock.ledger.Posted(price, due, m_ticker.Moved());
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
        bench_support::PixelLedger& ledger = clock.ledger;
        state.counters["p50_ms"] = ledger.steady.Percentile(0.50);
        state.counters["p99_ms"] = ledger.steady.Percentile(0.99);
        state.counters["max_ms"] = ledger.steady.Max();
        state.counters["samples"] = static_cast<double>(ledger.steady.samples.size());
        state.counters["first_second_p99_ms"] = ledger.firstSecond.Percentile(0.99);
        state.counters["first_second_max_ms"] = ledger.firstSecond.Max();
        state.counters["unpainted"] = static_cast<double>(ledger.unpainted);
        state.counters["left_screen"] = static_cast<double>(ledger.leftScreen);
        state.counters["paints_per_s"] = ledger.paints / std::chrono::duration<double>(kWarmUp + kSteady).count();
        state.counters["fed_per_s"] = feed.Posted() / std::chrono::duration<double>(kWarmUp + kSteady).count();
        if (ledger.outOfOrder)
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
