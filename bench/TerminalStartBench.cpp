// The whole terminal in one process, from its start with a 100,000
// instrument exchange tab (plain, and filtered by a list of 100,000 codes)
// until its board's grid has painted once. Apart
// from the other benchmarks: the terminal loads the board as its plug-in.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>
#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <wx/app.h>
#include <wx/grid.h>
#include <wx/utils.h>

#include "BenchMain.h"
#include "host/MainFrame.h"
#include "host/Terminal.h"

namespace {

using Tree = boost::property_tree::ptree;
namespace fs = std::filesystem;

constexpr int kInstruments = 100000;

void Flush()
{
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxTheApp->ProcessIdle();
}

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

void StartTerminal(benchmark::State& state, const Tree& layout)
{
    const fs::path folder = fs::temp_directory_path() / "tickerdeck-start-bench";
    for (auto _ : state)
    {
        state.PauseTiming();
        fs::remove_all(folder);
        fs::create_directories(folder);
        boost::property_tree::write_xml((folder / "layout.xml").string(), layout);
        TerminalOptions options;
        options.configDir = folder.string();
        options.pluginDir = "plugins";
        options.synthetic = kInstruments;
        options.rate = 0;
        auto terminal = std::make_unique<Terminal>(options);
        state.ResumeTiming();
        terminal->Start();
        wxGrid* grid = terminal->Frame() ? FindFilledGrid(terminal->Frame()) : nullptr;
        bool painted = false;
        if (grid)
            grid->GetGridWindow()->Bind(wxEVT_PAINT, [&painted](wxPaintEvent& event) {
                painted = true;
                event.Skip();
            });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (grid && !painted && std::chrono::steady_clock::now() < deadline)
            Flush();
        state.PauseTiming();
        if (!painted)
            state.SkipWithError("the terminal's board never painted its rows");
        terminal->Shutdown();
        terminal.reset();
        Flush();
        state.ResumeTiming();
    }
}

void BM_TerminalStart100000(benchmark::State& state)
{
    StartTerminal(state, ExchangeLayout());
}

// A tab filter whose list is as long as the tab: "Code not in" 100,000
// codes, so that every row is checked against all of them and shown.
void BM_TerminalStartFilterList100000(benchmark::State& state)
{
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
    StartTerminal(state, ExchangeLayout(&filter));
}

BENCHMARK(BM_TerminalStart100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TerminalStartFilterList100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv);
}
