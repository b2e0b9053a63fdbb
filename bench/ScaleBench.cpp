// Costs of boards with 100,000 rows: a whole exchange opened as a tab, a
// stored watchlist of that size loaded, and the row commands on all its rows;
// and how soon a store change in one board reaches another.

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
#include "TerminalStack.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "commands/RowCommands.h"
#include "controls/wxGridEx.h"
#include "layout/WatchlistStore.h"
#include "layout/WatchlistStoreService.h"
#include "watchlist/TabMenu.h"
#include "watchlist/WatchlistCommands.h"
#include "watchlist/WatchlistTabs.h"

namespace {

using Tree = boost::property_tree::ptree;
namespace fs = std::filesystem;

constexpr int kRows = 100000;
constexpr uint32_t kMarketSeed = 20240115;
const char* const kShippedLayout = "data/layout.xml";
const char* const kDefaultNodePath = "application.layout.default.tickerdeck";
const char* const kStoredName = "Everything";

fs::path BenchFolder()
{
    return fs::temp_directory_path() / "tickerdeck-scale-bench";
}

using bench_support::Flush;

/// The shipped layout whose default board has one tab: the shipped columns
/// under `attributes` (name, type, ...).
Tree LayoutWithOneTab(const std::vector<std::pair<std::string, std::string>>& attributes)
{
    Tree document;
    boost::property_tree::read_xml(kShippedLayout, document);
    Tree& node = document.get_child(kDefaultNodePath);
    Tree& watchlists = node.get_child("watchlists");
    Tree tab;
    tab.put("<xmlattr>.current", "true");
    for (const auto& [key, value] : attributes)
        tab.put("<xmlattr>." + key, value);
    tab.add_child("columns", watchlists.front().second.get_child("columns"));
    watchlists.clear();
    watchlists.add_child("watchlist", tab);
    return document;
}

Tree ExchangeLayout()
{
    return LayoutWithOneTab({{"name", "Synthetic"}, {"type", "7"}, {"exchange", "SYN"}});
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

    /// Replaces the store file with `lists` and lets the shared store read
    /// it, so that a timed command finds it read.
    void WriteStore(const std::vector<std::pair<std::string, std::vector<layout::InstrumentRef>>>& lists)
    {
        Tree store;
        store.put_child("application.watchlists", Tree());
        for (const auto& [name, instruments] : lists)
            layout::AppendWatchlist(store, name, instruments);
        layout::WriteStore(m_stack.files.StorePath(), store);
        m_stack.application.WatchlistStore()->Refresh();
    }

private:
    bench_support::TerminalStack m_stack;
    const Exchange* m_exchange = nullptr;
    std::vector<layout::InstrumentRef> m_everything;
};

/// A shown frame holding a host container, and the board opened in it.
class BoardWindow
{
public:
    BoardWindow()
        : m_frame(new wxFrame(nullptr, wxID_ANY, "Board", wxPoint(0, 0), wxSize(1600, 1000))),
          m_container(new wxPanel(m_frame))
    {
        m_frame->Show();
        Flush(1);
    }
    ~BoardWindow()
    {
        if (m_board)
            m_board->Destroy();
        Flush(1);
        m_frame->Destroy();
        Flush(1);
    }

    void Open(Tree& node)
    {
        m_board = static_cast<Tickerdeck*>(ScaleMarket::Get().Factory().CreateWindow(1, m_container, nullptr, &node, 0));
        wxTheApp->ProcessPendingEvents();
    }
    int Rows() const { return m_board ? Tickerdeck::TableOf(m_board->GetCurrentGrid())->GetNumberRows() : 0; }
    Tickerdeck* Board() const { return m_board; }

    /// Every row of the current tab, as a command on all of them takes them.
    RowTargets AllRows() const
    {
        RowTargets targets;
        targets.grid = m_board->GetCurrentGrid();
        targets.quotes = Tickerdeck::TableOf(targets.grid)->Members();
        return targets;
    }

private:
    wxFrame* m_frame;
    wxPanel* m_container;
    Tickerdeck* m_board = nullptr;
};

/// Times opening the default node of `document` in a new board.
void RunOpen(benchmark::State& state, Tree document)
{
    Tree& node = document.get_child(kDefaultNodePath);
    ScaleMarket::Get();
    for (auto _ : state)
    {
        state.PauseTiming();
        auto window = std::make_unique<BoardWindow>();
        state.ResumeTiming();
        window->Open(node);
        state.PauseTiming();
        if (window->Rows() != kRows)
            state.SkipWithError("the tab does not show every instrument");
        window.reset();
        state.ResumeTiming();
    }
}

void BM_OpenExchangeTab100000(benchmark::State& state)
{
    RunOpen(state, ExchangeLayout());
}

// Store read, resolution of every entry and subscription.
void BM_LoadWatchlist100000(benchmark::State& state)
{
    RunOpen(state, LayoutWithOneTab({{"name", kStoredName}, {"type", "1"}}));
}

const char* const kTarget = "Target";

/// Times `command` on every row of a tab opened from `document`, the store
/// holding the 100,000-instrument list and an empty one; the store write
/// and the tabs following it are included.
void RunRowCommand(benchmark::State& state, Tree document,
                   const std::function<void(Tickerdeck&, const RowTargets&)>& command,
                   const std::function<bool(const std::vector<layout::InstrumentRef>&)>& done)
{
    Tree& node = document.get_child(kDefaultNodePath);
    ScaleMarket& market = ScaleMarket::Get();
    for (auto _ : state)
    {
        state.PauseTiming();
        market.WriteStore({{kStoredName, market.Everything()}, {kTarget, {}}});
        auto window = std::make_unique<BoardWindow>();
        window->Open(node);
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
        state, ExchangeLayout(),
        [](Tickerdeck& board, const RowTargets& rows) { RowCommands::AddTo(board, rows, kTarget); },
        [](const std::vector<layout::InstrumentRef>& target) { return target.size() == kRows; });
}

void BM_MoveRows100000(benchmark::State& state)
{
    RunRowCommand(
        state, LayoutWithOneTab({{"name", kStoredName}, {"type", "1"}}),
        [](Tickerdeck& board, const RowTargets& rows) { RowCommands::MoveTo(board, rows, kTarget); },
        [](const std::vector<layout::InstrumentRef>& target) { return target.size() == kRows; });
}

void BM_RemoveRows100000(benchmark::State& state)
{
    RunRowCommand(
        state, LayoutWithOneTab({{"name", kStoredName}, {"type", "1"}}),
        [](Tickerdeck& board, const RowTargets& rows)
        {
            RowCommands* commands = board.FindFeature<RowCommands>();
            commands->SetConfirmation([](Tickerdeck&, const wxString&) { return true; });
            commands->Remove(board, rows);
        },
        [](const std::vector<layout::InstrumentRef>& everything) { return everything.empty(); });
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
    Tree firstDocument = LayoutWithOneTab({{"name", "List 0"}, {"type", "1"}});
    Tree secondDocument = LayoutWithOneTab({{"name", "List 1"}, {"type", "1"}});
    for (auto _ : state)
    {
        state.PauseTiming();
        market.WriteStore(lists);
        auto first = std::make_unique<BoardWindow>();
        auto second = std::make_unique<BoardWindow>();
        first->Open(firstDocument.get_child(kDefaultNodePath));
        second->Open(secondDocument.get_child(kDefaultNodePath));
        Flush(1);
        state.ResumeTiming();
        WatchlistTabs(*first->Board()).RenameWatchlist("List 1", "Renamed");
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        state.PauseTiming();
        const TabMenu* menu = second->Board()->FindFeature<WatchlistCommands>()->GetTabMenu();
        if (menu->Names().size() != kLists || menu->Names()[1] != "Renamed" ||
            second->Board()->GetNotebook()->GetPageText(0) != "Renamed")
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
