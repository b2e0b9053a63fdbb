// Costs of boards with 100,000 rows: a whole exchange opened as a tab, a
// stored watchlist of that size loaded, and the row commands on all its rows;
// and how soon a store change in one board reaches another.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include "BenchMain.h"
#include "BoardWindow.h"
#include "TerminalStack.h"
#include "board/RowOrder.h"
#include "board/TabFill.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "model/ColumnSpec.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "commands/RowCommands.h"
#include "controls/wxGridEx.h"
#include "layout/TabSource.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "watchlist/TabMenu.h"
#include "watchlist/WatchlistCommands.h"
#include "watchlist/WatchlistTabs.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100000;
constexpr uint32_t kMarketSeed = 20240115;
const char* const kStoredName = "Everything";

fs::path BenchFolder()
{
    return fs::temp_directory_path() / "tickerdeck-scale-bench";
}

using bench_support::BoardWindow;
using bench_support::Flush;
using bench_support::Tree;

Tree ExchangeNode()
{
    return bench_support::ExchangeTabNode("SYN");
}

Tree WatchlistNode(const std::string& name)
{
    return bench_support::WatchlistTabNode(name);
}

/// The terminal's market with 100,000 synthetic instruments, a store holding
/// all of them as one watchlist, its host and the board factory.
class ScaleMarket : public bench_support::PerProcess<ScaleMarket>
{
public:
    ScaleMarket() : m_stack(Catalogue(), BenchFolder())
    {
        m_stack.catalogue.AddSynthetic(kRows, kMarketSeed);
        m_exchange = FindExchange(m_stack.catalogue.Exchanges(), "SYN");
        fs::create_directories(BenchFolder());
        for (const Instrument* instrument : m_exchange->instruments)
            m_everything.push_back({instrument->exchange, instrument->code});
        WriteStore({{kStoredName, m_everything}});
        // The host's records are there before any board: they are not the board's cost.
        for (Instrument* instrument : m_exchange->instruments)
            m_stack.quotes.Acquire(instrument, std::string());
    }

    Application& Factory() { return m_stack.application; }
    const std::vector<layout::InstrumentRef>& Everything() const { return m_everything; }

    /// Replaces the store file with `lists`, read by the shared store.
    void WriteStore(const std::vector<std::pair<std::string, std::vector<layout::InstrumentRef>>>& lists)
    {
        bench_support::WriteStore(m_stack.application, m_stack.files.StorePath(), lists);
    }

private:
    bench_support::TerminalStack m_stack;
    const Exchange* m_exchange = nullptr;
    std::vector<layout::InstrumentRef> m_everything;
};

/// Times opening `node` in a new board until its tab holds every row: a
/// long tab shows its first rows at once and takes the rest in slices,
/// run here back to back. "first_rows_ms" is the opening alone.
void RunOpen(benchmark::State& state, const Tree& node)
{
    ScaleMarket::Get();
    double firstRows = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto window = std::make_unique<BoardWindow>();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        window->Open(ScaleMarket::Get().Factory(), node);
        firstRows = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        window->FinishFilling();
        state.PauseTiming();
        if (window->Rows() != kRows)
        {
            // A skipped run must not resume its clock.
            state.SkipWithError("the tab does not show every instrument");
            break;
        }
        window.reset();
        state.ResumeTiming();
    }
    state.counters["first_rows_ms"] = firstRows;
}

void BM_OpenExchangeTab100000(benchmark::State& state)
{
    RunOpen(state, ExchangeNode());
}

// Store read, resolution of every entry and subscription.
void BM_LoadWatchlist100000(benchmark::State& state)
{
    RunOpen(state, WatchlistNode(kStoredName));
}

// Sorting the whole exchange by one column, both ways in turn: a text column
// against a number column.
void RunSort(benchmark::State& state, int col)
{
    ScaleMarket::Get();
    BoardWindow window;
    window.Open(ScaleMarket::Get().Factory(), ExchangeNode());
    // A long tab fills a slice at a time.
    for (int spin = 0; window.Rows() != kRows && spin < 100000; ++spin)
        Flush(1);
    if (window.Rows() != kRows)
        state.SkipWithError("the tab does not show every instrument");
    bool ascending = true;
    for (auto _ : state)
    {
        window.Table()->Order().SortRows(col, ascending);
        ascending = !ascending;
    }
}

void BM_SortByName100000(benchmark::State& state)
{
    RunSort(state, column::Name);
}

void BM_SortByLast100000(benchmark::State& state)
{
    RunSort(state, column::Last);
}

const char* const kTarget = "Target";

/// Times `command` on every row of a tab opened from `document`, the store
/// holding the 100,000-instrument list and an empty one; the store write
/// and the tabs following it are included.
void RunRowCommand(benchmark::State& state, const Tree& node,
                   const std::function<void(Tickerdeck&, const RowTargets&)>& command,
                   const std::function<bool(const std::vector<layout::InstrumentRef>&)>& done)
{
    ScaleMarket& market = ScaleMarket::Get();
    for (auto _ : state)
    {
        state.PauseTiming();
        market.WriteStore({{kStoredName, market.Everything()}, {kTarget, {}}});
        auto window = std::make_unique<BoardWindow>();
        window->Open(ScaleMarket::Get().Factory(), node);
        window->FinishFilling();
        Flush(1);
        const RowTargets targets = window->AllRows();
        state.ResumeTiming();
        command(*window->Board(), targets);
        state.PauseTiming();
        if (!done(market.Factory().WatchlistStore()->Instruments(kTarget)) &&
            !done(market.Factory().WatchlistStore()->Instruments(kStoredName)))
        {
            state.SkipWithError("the store does not hold what the command should have left");
            break;
        }
        window.reset();
        state.ResumeTiming();
    }
    market.WriteStore({{kStoredName, market.Everything()}});
}

void BM_AddRows100000(benchmark::State& state)
{
    RunRowCommand(
        state, ExchangeNode(),
        [](Tickerdeck& board, const RowTargets& rows) { RowCommands::AddTo(board, rows, kTarget); },
        [](const std::vector<layout::InstrumentRef>& target) { return target.size() == kRows; });
}

void BM_MoveRows100000(benchmark::State& state)
{
    RunRowCommand(
        state, WatchlistNode(kStoredName),
        [](Tickerdeck& board, const RowTargets& rows) { RowCommands::MoveTo(board, rows, kTarget); },
        [](const std::vector<layout::InstrumentRef>& target) { return target.size() == kRows; });
}

void BM_RemoveRows100000(benchmark::State& state)
{
    RunRowCommand(
        state, WatchlistNode(kStoredName),
        [](Tickerdeck& board, const RowTargets& rows)
        {
            RowCommands* commands = board.Features().FindFeature<RowCommands>();
            commands->SetConfirmation([](Tickerdeck&, const wxString&) { return true; });
            commands->Remove(board, rows);
        },
        [](const std::vector<layout::InstrumentRef>& everything) { return everything.empty(); });
}

// The whole exchange opened from the tab menu, as slices from timer events:
// the time is all slices together, "longest_slice_ms" the longest that held
// the window at once (the first one with the tab's building).
void BM_OpenExchangeTabInSteps100000(benchmark::State& state)
{
    ScaleMarket& market = ScaleMarket::Get();
    market.WriteStore({{kStoredName, market.Everything()}, {kTarget, {}}});
    double longest = 0;
    const auto timed = [&longest](const std::function<void()>& slice)
    {
        const auto start = std::chrono::steady_clock::now();
        slice();
        longest = std::max(longest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    };
    for (auto _ : state)
    {
        state.PauseTiming();
        auto window = std::make_unique<BoardWindow>();
        window->Open(market.Factory(), WatchlistNode(kTarget));
        Flush(1);
        Tickerdeck& board = *window->Board();
        state.ResumeTiming();
        timed([&] { WatchlistTabs(board).BuildTab(layout::TabSource::WholeExchange("SYN")); });
        while (board.Rows().IsFilling(window->Grid()))
            timed([&] { board.Rows().GetTabFills().Step(); });
        state.PauseTiming();
        if (window->Rows() != kRows)
        {
            state.SkipWithError("the tab does not show every instrument");
            break;
        }
        window.reset();
        state.ResumeTiming();
    }
    state.counters["longest_slice_ms"] = longest;
    market.WriteStore({{kStoredName, market.Everything()}});
}

// From a rename in one board until the other board's tab and tab menu show
// the new name, with 300 stored watchlists.
void BM_StoreChangeToOtherBoard(benchmark::State& state)
{
    constexpr int kLists = 300;
    ScaleMarket& market = ScaleMarket::Get();
    std::vector<std::pair<std::string, std::vector<layout::InstrumentRef>>> lists;
    for (int i = 0; i < kLists; ++i)
        lists.push_back({"List " + std::to_string(i),
                         std::vector<layout::InstrumentRef>(market.Everything().begin() + i * 10,
                                                            market.Everything().begin() + i * 10 + 10)});
    const Tree firstNode = WatchlistNode("List 0");
    const Tree secondNode = WatchlistNode("List 1");
    for (auto _ : state)
    {
        state.PauseTiming();
        market.WriteStore(lists);
        auto first = std::make_unique<BoardWindow>();
        auto second = std::make_unique<BoardWindow>();
        first->Open(market.Factory(), firstNode);
        second->Open(market.Factory(), secondNode);
        Flush(1);
        state.ResumeTiming();
        WatchlistTabs(*first->Board()).RenameWatchlist("List 1", "Renamed");
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        state.PauseTiming();
        const TabMenu* menu = second->Board()->Features().FindFeature<WatchlistCommands>()->GetTabMenu();
        if (menu->Names().size() != kLists || menu->Names()[1] != "Renamed" ||
            second->Board()->Tabs().Notebook()->GetPageText(0) != "Renamed")
        {
            state.SkipWithError("the other board did not follow");
            break;
        }
        first.reset();
        second.reset();
        state.ResumeTiming();
    }
    market.WriteStore({{kStoredName, market.Everything()}});
}

BENCHMARK(BM_OpenExchangeTab100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_OpenExchangeTabInSteps100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_SortByName100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortByLast100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadWatchlist100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_AddRows100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_MoveRows100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_RemoveRows100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_StoreChangeToOtherBoard)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv, [] { ScaleMarket::Close(); });
}
