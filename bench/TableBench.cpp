// Costs of the quote grid under a heavy feed: posted quote events on a large
// sorted tab, cell formatting, and a full repaint against a plain grid.

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <random>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/utils.h>

#include "model/ColumnSpec.h"
#include "board/TickerdeckTable.h"
#include "board/WatchlistGridCellRenderer.h"
#include "contract/Records.h"

namespace {

constexpr int kRowCount = 20000;
constexpr int kQuoteEventId = 7011;
constexpr int kChangedLastBuySell = (1 << 12) | (1 << 4) | (1 << 6);
const wxSize kGridSize(1600, 900);

void PumpPending()
{
    for (int i = 0; i < 3; ++i)
    {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

/// Instruments and live quotes standing in for the host's records.
struct QuoteFeed
{
    std::deque<Instrument> instruments;
    std::deque<Price> prices;

    explicit QuoteFeed(int count)
    {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> level(10.0, 110.0);
        for (int i = 0; i < count; ++i)
        {
            instruments.emplace_back();
            Instrument& instrument = instruments.back();
            instrument.name = "Instrument " + std::to_string(i);
            instrument.code = "I" + std::to_string(100000 + i);
            instrument.exchange = "XEX";
            instrument.flag = "ZZ";
            instrument.currency = "USD";
            instrument.sector = "Sector " + std::to_string(i % 17);
            instrument.type = "Stock";
            instrument.decimals = 2;
            prices.emplace_back();
            Price& price = prices.back();
            price.instrument = &instrument;
            price.last = std::round(level(random) * 100.0) / 100.0;
            price.prevClose = price.last - 0.5;
            price.change = 0.5;
            price.changePercent = 0.5 / price.prevClose * 100.0;
            price.buy = price.last - 0.01;
            price.sell = price.last + 0.01;
            price.open = price.prevClose;
            price.high = price.last + 1.0;
            price.low = price.last - 1.0;
            price.vwap = price.last;
            price.closing = price.last;
            price.buyVolume = 1200.0 + i;
            price.sellVolume = 800.0 + i;
            price.cumVolume = 1.5e6 + i;
            price.cumValue = 2.25e8 + i;
            price.deals = 1000 + i;
            price.moneyFlow = i % 2 ? 1234.5 : -987.25;
            price.amplitude = 3.21;
            price.tradeDate = "20240115";
            price.tradeTime = "10:15:30";
            price.tradeType = i % 2 ? '+' : '-';
        }
    }
};

/// A top-level frame holding one grid of the benchmark's size.
struct GridWindow
{
    wxFrame* frame;
    wxGrid* grid;

    GridWindow()
        : frame(new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), kGridSize)),
          grid(new wxGrid(frame, wxID_ANY, wxPoint(0, 0), kGridSize))
    {
        frame->SetClientSize(kGridSize);
    }

    void Show()
    {
        grid->SetRowLabelSize(0);
        frame->Show();
        PumpPending();
    }

    ~GridWindow()
    {
        frame->Destroy();
        PumpPending();
    }
};

/// A board-like tab: the table filled from the feed, sorted by Last descending.
struct QuoteTab
{
    GridWindow window;
    TickerdeckTable* table = new TickerdeckTable;

    explicit QuoteTab(QuoteFeed& feed)
    {
        table->Styler().SetHighlightColour(wxColour(60, 60, 140));
        table->Styler().SetUpColour(*wxRED);
        table->Styler().SetDownColour(*wxGREEN);
        table->Styler().SetBookmarkColour(wxColour(90, 60, 20));
        for (Price& price : feed.prices)
            table->AppendMember(&price);
        window.grid->SetDefaultRenderer(new WatchlistGridCellRenderer);
        window.grid->SetTable(table, true, wxGrid::wxGridSelectRows);
        window.grid->SetDefaultColSize(70, true);
        table->Order().SortRows(column::Last, false);
        window.grid->SetSortingColumn(column::Last, false);
        window.Show();
    }
};

/// Receives posted quote events the way a board panel does.
class QuoteSink : public wxEvtHandler
{
public:
    explicit QuoteSink(TickerdeckTable* table) : m_table(table)
    {
        Bind(wxEVT_MENU, &QuoteSink::OnQuote, this, kQuoteEventId);
    }

    long Handled() const { return m_handled; }

private:
    void OnQuote(wxCommandEvent& event)
    {
        ++m_handled;
        if (m_table)
            m_table->UpdateRow(event);
    }

    TickerdeckTable* m_table;
    long m_handled = 0;
};

void PostQuote(wxEvtHandler& sink, Price* price)
{
    auto* event = new wxCommandEvent(wxEVT_MENU, kQuoteEventId);
    event->SetClientData(price);
    event->SetInt(kChangedLastBuySell);
    event->SetExtraLong(1);
    sink.QueueEvent(event);
}

// One tick up or down for a quote picked by `pick`; the quote keeps its
// neighbourhood in the sort order, as real ticks do.
template <typename Pick>
void RunQuoteEvents(benchmark::State& state, TickerdeckTable* table, Pick pick)
{
    QuoteSink sink(table);
    std::mt19937 random(11);
    std::bernoulli_distribution up(0.5);
    constexpr int kBatch = 256;
    for (auto _ : state)
    {
        for (int i = 0; i < kBatch; ++i)
        {
            Price* price = pick(random);
            const double tick = up(random) ? 0.01 : -0.01;
            price->last += tick;
            price->buy += tick;
            price->sell += tick;
            PostQuote(sink, price);
        }
        // One handler call delivers one event; the application drains them all.
        const long expected = sink.Handled() + kBatch;
        while (sink.Handled() < expected)
            wxTheApp->ProcessPendingEvents();
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}

void BM_QuoteEventNothingDone(benchmark::State& state)
{
    QuoteFeed feed(kRowCount);
    std::uniform_int_distribution<int> any(0, kRowCount - 1);
    RunQuoteEvents(state, nullptr, [&](std::mt19937& random) { return &feed.prices[any(random)]; });
}

void BM_QuoteEventAnyRow(benchmark::State& state)
{
    QuoteFeed feed(kRowCount);
    QuoteTab tab(feed);
    std::uniform_int_distribution<int> any(0, kRowCount - 1);
    RunQuoteEvents(state, tab.table, [&](std::mt19937& random) { return &feed.prices[any(random)]; });
}

void BM_QuoteEventVisibleRow(benchmark::State& state)
{
    QuoteFeed feed(kRowCount);
    QuoteTab tab(feed);
    std::uniform_int_distribution<int> top(0, 29);
    TickerdeckTable* table = tab.table;
    RunQuoteEvents(state, table, [&](std::mt19937& random) { return table->RowPrice(top(random)); });
}

void BM_GetValuePerCell(benchmark::State& state)
{
    QuoteFeed feed(64);
    TickerdeckTable table;
    for (Price& price : feed.prices)
        table.AppendMember(&price);
    int cells = 0;
    for (auto _ : state)
    {
        for (int row = 0; row < 64; ++row)
            for (int col = 0; col < TickerdeckTable::kColumnCount; ++col)
                benchmark::DoNotOptimize(table.GetValue(row, col));
        cells += 64 * TickerdeckTable::kColumnCount;
    }
    state.SetItemsProcessed(cells);
}

// Full repaints measured through the grid window's paint handler, so the
// figure holds only time spent painting.
class PaintClock
{
public:
    explicit PaintClock(wxWindow* window) : m_window(window)
    {
        m_window->Bind(wxEVT_PAINT, &PaintClock::OnPaint, this);
    }
    ~PaintClock() { m_window->Unbind(wxEVT_PAINT, &PaintClock::OnPaint, this); }

    int Paints() const { return m_paints; }

    void RepaintAll()
    {
        const int before = m_paints;
        m_window->Refresh(false);
        m_window->Update();
        for (int spin = 0; m_paints == before && spin < 1000; ++spin)
            wxYield();
    }

private:
    void OnPaint(wxPaintEvent& event)
    {
        ++m_paints;
        event.Skip();
    }

    wxWindow* m_window;
    int m_paints = 0;
};

void RunPaint(benchmark::State& state, wxGrid* grid)
{
    PaintClock clock(grid->GetGridWindow());
    clock.RepaintAll();
    const int before = clock.Paints();
    for (auto _ : state)
        clock.RepaintAll();
    if (clock.Paints() - before < static_cast<int>(state.iterations()))
        state.SkipWithError("the grid window was not repainted");
    state.counters["visible_rows"] = grid->GetNumberRows() > 0
                                         ? grid->GetGridWindow()->GetClientSize().y / grid->GetDefaultRowSize()
                                         : 0;
}

void BM_PaintQuoteGrid(benchmark::State& state)
{
    QuoteFeed feed(kRowCount);
    QuoteTab tab(feed);
    RunPaint(state, tab.window.grid);
}

void BM_PaintPlainGrid(benchmark::State& state)
{
    // The same texts in a plain string table with the stock renderer.
    QuoteFeed feed(200);
    TickerdeckTable source;
    for (Price& price : feed.prices)
        source.AppendMember(&price);
    GridWindow window;
    window.grid->CreateGrid(200, TickerdeckTable::kColumnCount);
    window.grid->SetDefaultColSize(70, true);
    for (int row = 0; row < 200; ++row)
        for (int col = 0; col < TickerdeckTable::kColumnCount; ++col)
            window.grid->SetCellValue(row, col, source.GetValue(row, col));
    window.Show();
    RunPaint(state, window.grid);
}

BENCHMARK(BM_QuoteEventNothingDone)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_QuoteEventAnyRow)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_QuoteEventVisibleRow)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_GetValuePerCell)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintPlainGrid)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PaintQuoteGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv);
}
