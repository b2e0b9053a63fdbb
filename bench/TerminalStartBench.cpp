// The whole terminal in one process, from its start with a 100,000 (and a
// 1,000,000) instrument exchange tab, plain or filtered by a list of 100,000
// codes, until its board's grid has painted once, and its quit. Apart from
// the other benchmarks: the terminal loads the board as its plug-in.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>
#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/grid.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "BenchMain.h"
#include "ResidentMemory.h"
#include "host/MainFrame.h"
#include "host/CommandLine.h"
#include "host/market/Catalogue.h"
#include "host/market/QuoteBook.h"
#include "host/Terminal.h"

namespace
{

using Tree = boost::property_tree::ptree;
namespace fs = std::filesystem;

using bench_support::Flush;

/// The shipped layout whose default board shows the synthetic exchange,
/// with `filter` as the tab's filters when given.
Tree ExchangeLayout(const Tree* filter = nullptr)
{
    Tree document;
    boost::property_tree::read_xml("data/layout.xml", document);
    Tree& watchlists = document.get_child("application.layout.default.tickerdeck.watchlists");
    Tree tab;
    tab.put("<xmlattr>.name", "Synthetic");
    tab.put("<xmlattr>.current", "true");
    tab.put("<xmlattr>.type", "7");
    tab.put("<xmlattr>.exchange", "SYN");
    tab.add_child("columns", watchlists.front().second.get_child("columns"));
    if (filter)
        tab.add_child("filters", *filter);
    watchlists.clear();
    watchlists.add_child("watchlist", tab);
    return document;
}

wxGrid* FindFilledGrid(wxWindow* window)
{
    if (auto* grid = wxDynamicCast(window, wxGrid); grid && grid->GetNumberRows() > 0)
        return grid;
    for (wxWindow* child : window->GetChildren())
        if (wxGrid* grid = FindFilledGrid(child))
            return grid;
    return nullptr;
}

/// The process's peak resident memory so far, in bytes (Linux: VmHWM).
size_t PeakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return static_cast<size_t>(std::stoull(line.substr(6))) * 1024;
    return 0;
}

/// The resident memory the host's records of `instruments` synthetic
/// instruments take: the catalogue and a live quote of each, built as the
/// terminal builds them.
size_t HostRecordBytes(int instruments, uint32_t seed)
{
    const size_t before = bench::ResidentBytes();
    Catalogue catalogue;
    catalogue.AddSynthetic(instruments, seed);
    QuoteBook quotes(catalogue);
    for (Instrument* instrument : catalogue.Instruments())
        quotes.Acquire(instrument, std::string());
    const size_t built = bench::ResidentBytes();
    return built > before ? built - before : 0;
}

/// Runs the toolkit's loop until `done` holds or `limit` has passed. A yield
/// would not do: it returns only once nothing is due, and a board filling a
/// large tab a slice at a time always has its next slice due.
bool RunLoopUntil(const std::function<bool()>& done, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    wxGUIEventLoop loop;
    wxTimer check;
    check.Bind(wxEVT_TIMER,
               [&](wxTimerEvent&)
               {
                   if (done() || std::chrono::steady_clock::now() >= deadline)
                       loop.ScheduleExit();
               });
    check.Start(1);
    loop.Run();
    return done();
}

/// Starts the terminal on `instruments` synthetic instruments shown in one
/// tab, until the tab has painted its first rows; reports the time until
/// every row has joined the tab ("filled_ms", from the start), the quit as
/// the user does it (save and exit, "quit_ms") and the peak memory.
void StartTerminal(benchmark::State& state, int instruments, const Tree& layout)
{
    const fs::path folder = fs::temp_directory_path() / "tickerdeck-start-bench";
    const size_t held = bench::ResidentBytes();
    double quitMs = 0;
    double filledMs = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        fs::remove_all(folder);
        fs::create_directories(folder);
        boost::property_tree::write_xml((folder / "layout.xml").string(), layout);
        TerminalOptions options;
        options.configDir = folder.string();
        options.pluginDir = "plugins";
        options.synthetic = instruments;
        options.rate = 0;
        auto terminal = std::make_unique<Terminal>(options);
        const auto started = std::chrono::steady_clock::now();
        state.ResumeTiming();
        terminal->Start();
        wxGrid* grid = terminal->Frame() ? FindFilledGrid(terminal->Frame()) : nullptr;
        bool painted = false;
        if (grid)
        {
            grid->GetGridWindow()->Bind(wxEVT_PAINT,
                                        [&painted](wxPaintEvent& event)
                                        {
                                            painted = true;
                                            event.Skip();
                                        });
            RunLoopUntil([&painted] { return painted; }, std::chrono::seconds(120));
        }
        state.PauseTiming();
        if (!painted)
            state.SkipWithError("the terminal's board never painted its rows");
        else if (RunLoopUntil([grid, instruments] { return grid->GetNumberRows() >= instruments; },
                              std::chrono::seconds(120)))
            filledMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
        else
            state.SkipWithError("the terminal's board never showed every row");
        const auto quitStart = std::chrono::steady_clock::now();
        if (terminal->Frame())
            terminal->Frame()->Close();
        while (terminal->Frame() && std::chrono::steady_clock::now() < quitStart + std::chrono::seconds(60))
            Flush(1);
        terminal->Shutdown();
        // As the program ends: the system takes the market back.
        terminal->LeaveMarketToTheSystem();
        terminal.reset();
        quitMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - quitStart).count();
        Flush(1);
        state.ResumeTiming();
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["filled_ms"] = filledMs / iterations;
    state.counters["quit_ms"] = quitMs / iterations;
    const size_t peak = PeakResidentBytes();
    // Measured after the peak is read: built before the start, the records
    // would leave freed memory behind for the terminal's to reuse.
    const size_t hostRecords = HostRecordBytes(instruments, TerminalOptions{}.seed);
    constexpr double kMegabyte = 1024.0 * 1024.0;
    state.counters["peak_rss_mb"] = static_cast<double>(peak) / kMegabyte;
    state.counters["host_records_mb"] = static_cast<double>(hostRecords) / kMegabyte;
    // The board with the terminal's windows: what the peak holds beyond the
    // host's records and what the process held before the terminal.
    state.counters["board_share_mb"] =
        (static_cast<double>(peak) - static_cast<double>(held) - static_cast<double>(hostRecords)) / kMegabyte;
}

void BM_TerminalStart(benchmark::State& state)
{
    StartTerminal(state, static_cast<int>(state.range(0)), ExchangeLayout());
}

// A tab filter whose list is as long as the tab: "Code not in" 100,000
// codes, so that every row is checked against all of them and shown.
void BM_TerminalStartFilterList100000(benchmark::State& state)
{
    constexpr int kInstruments = 100000;
    std::string codes;
    for (int index = 0; index < kInstruments; ++index)
        codes += (index ? ",X" : "X") + std::to_string(index);
    Tree filter;
    Tree condition;
    condition.put("<xmlattr>.condition", "4");
    condition.put("<xmlattr>.value", codes);
    Tree column;
    column.add_child("filter", condition);
    column.put("<xmlattr>.id", "2");
    filter.add_child("column", column);
    StartTerminal(state, kInstruments, ExchangeLayout(&filter));
}

// The million runs on its own (bench/run gives it a process of its own):
// the peak memory is the process's.
BENCHMARK(BM_TerminalStart)
    ->Name("BM_TerminalStart100000")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_TerminalStart)
    ->Name("BM_TerminalStart1000000")
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_TerminalStartFilterList100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv);
}
