// Costs of taking a large tab out of the program: the copy the GUI thread
// makes for an export, the worker writing it as a workbook (20,000 rows and
// 100,000), and laying the tab out on printed pages.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include "BenchMain.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/Records.h"
#include "controls/wxGridEx.h"
#include "controls/wxGridPrintout.h"
#include "board/SlicedSteps.h"
#include "export/ExportJob.h"
#include "export/TabExport.h"
#include "export/TabSnapshot.h"

namespace {

constexpr int kRows = 20000;
constexpr int kLargeRows = 100000;

/// A tab of quotes with every column filled.
class LargeTab
{
public:
    explicit LargeTab(int rows) : m_instruments(rows), m_prices(rows)
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), wxSize(1600, 900));
        m_grid = new wxGridEx(m_frame, wxID_ANY, wxPoint(0, 0), wxSize(1600, 900));
        auto* table = new TickerdeckTable;
        for (int i = 0; i < rows; ++i)
        {
            Instrument& instrument = m_instruments[i];
            instrument.name = "Instrument " + std::to_string(i);
            instrument.code = "I" + std::to_string(100000 + i);
            instrument.exchange = "XEX";
            instrument.currency = "USD";
            instrument.sector = "Sector " + std::to_string(i % 17);
            instrument.type = "Stock";
            instrument.flag = "ZZ";
            instrument.decimals = 2;
            Price& price = m_prices[i];
            price.instrument = &instrument;
            price.last = 1000.0 + i * 0.37;
            price.prevClose = price.last - 0.5;
            price.change = 0.5;
            price.changePercent = 0.05;
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
            table->AppendMember(&price);
        }
        m_grid->SetTable(table, true, wxGrid::wxGridSelectRows);
        m_grid->SetDefaultColSize(70, true);
    }
    ~LargeTab() { m_frame->Destroy(); }

    wxGridEx* Grid() const { return m_grid; }

private:
    std::vector<Instrument> m_instruments;
    std::vector<Price> m_prices;
    wxFrame* m_frame;
    wxGridEx* m_grid;
};

// Made on first use, inside the toolkit's lifetime, and dropped before it ends.
std::unique_ptr<LargeTab>& TabHolder(int rows = kRows)
{
    static std::unique_ptr<LargeTab> tab;
    static std::unique_ptr<LargeTab> largeTab;
    return rows == kRows ? tab : largeTab;
}

LargeTab& Tab(int rows = kRows)
{
    if (!TabHolder(rows))
        TabHolder(rows) = std::make_unique<LargeTab>(rows);
    return *TabHolder(rows);
}

void ExportSnapshot(benchmark::State& state, int rows)
{
    Tab(rows); // built before the clock starts
    for (auto _ : state)
    {
        auto snapshot = std::make_unique<sheet::TabSnapshot>(SnapshotGrid(Tab(rows).Grid(), "Bench"));
        benchmark::DoNotOptimize(snapshot->RowCount());
        // The worker drops the copy, not the GUI thread.
        state.PauseTiming();
        snapshot.reset();
        state.ResumeTiming();
    }
}

void BM_ExportSnapshot(benchmark::State& state)
{
    ExportSnapshot(state, kRows);
}

// What the GUI thread spends on the largest tabs before the worker takes over.
void BM_ExportSnapshot100000(benchmark::State& state)
{
    ExportSnapshot(state, kLargeRows);
}

// The same copy as the export makes it: a slice at a time, the window
// answering between slices. What counts is the longest the window waits.
void BM_ExportSnapshotSliced100000(benchmark::State& state)
{
    wxGridEx* grid = Tab(kLargeRows).Grid();
    const std::vector<Price*>& rows = Tickerdeck::TableOf(grid)->Rows();
    SlicedSteps steps([] {}, TabExport::kSliceRows, TabExport::kRowsPerClockRead);
    double longest = 0;
    for (auto _ : state)
    {
        // The first step also lays out the columns, at the command.
        auto start = std::chrono::steady_clock::now();
        auto snapshot = std::make_unique<sheet::TabSnapshot>(SnapshotFrame(grid, "Bench", rows.size()));
        for (std::size_t next = 0; next < rows.size(); start = std::chrono::steady_clock::now())
        {
            next = steps.Slice(next, rows.size(), [&](std::size_t begin, std::size_t end)
                               { AddSnapshotRows(grid, rows, begin, end, next > 0, *snapshot); });
            const std::chrono::duration<double, std::milli> step = std::chrono::steady_clock::now() - start;
            longest = std::max(longest, step.count());
        }
        benchmark::DoNotOptimize(snapshot->RowCount());
        state.PauseTiming();
        snapshot.reset();
        state.ResumeTiming();
    }
    state.counters["longest_step_ms"] = longest;
}

void ExportWrite(benchmark::State& state, int rows)
{
    const sheet::TabSnapshot snapshot = SnapshotGrid(Tab(rows).Grid(), "Bench");
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tickerdeck-export-bench";
    std::filesystem::create_directories(folder);
    for (auto _ : state)
    {
        const ExportOutcome outcome = WriteExport(snapshot, folder.string(), "Bench.xlsx");
        if (!outcome.written)
        {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
        state.PauseTiming();
        std::filesystem::remove(outcome.path);
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
}

void BM_ExportWrite(benchmark::State& state)
{
    ExportWrite(state, kRows);
}

void BM_ExportWrite100000(benchmark::State& state)
{
    ExportWrite(state, kLargeRows);
}

void BM_PrintPreviewPages(benchmark::State& state)
{
    wxBitmap page(816, 1345);
    wxMemoryDC dc(page);
    int pages = 0;
    for (auto _ : state)
    {
        wxGridPrintout printout(Tab().Grid(), "Bench");
        printout.SetPPIScreen(96, 96);
        printout.SetPPIPrinter(96, 96);
        printout.SetPageSizeMM(216, 356);
        printout.SetPageSizePixels(page.GetWidth(), page.GetHeight());
        printout.SetDC(&dc);
        printout.OnPreparePrinting();
        pages = printout.PageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}

BENCHMARK(BM_ExportSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ExportSnapshot100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportSnapshotSliced100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportWrite100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_PrintPreviewPages)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv,
                                     []
                                     {
                                         TabHolder(kRows).reset();
                                         TabHolder(kLargeRows).reset();
                                     });
}
