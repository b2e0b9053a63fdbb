// Costs of the grid's commands on a 20,000-row watchlist tab: copying every
// row (and every row of a 100,000-row tab), removing 1,000 selected rows with
// the store rewritten, and building the cell menu with 200 stored watchlists.

#include <filesystem>
#include <map>
#include <utility>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <boost/property_tree/ptree.hpp>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include "BenchMain.h"
#include "BoardWindow.h"
#include "TerminalStack.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "store/WatchlistStore.h"
#include "plugin/Application.h"
#include "kit/BackgroundWork.h"
#include "board/RowTargets.h"
#include "commands/GridKeys.h"
#include "commands/GridMenus.h"
#include "commands/RowCommands.h"

namespace {

constexpr int kRows = 20000;
constexpr int kLargeRows = 100000;
constexpr int kRemoved = 1000;
constexpr int kStoredWatchlists = 200;
constexpr uint32_t kMarketSeed = 20240115;
const char* const kTabName = "Big";

/// The terminal's market with `rows` synthetic instruments, its host (which
/// finds instruments by code as the terminal does, and lets the user trade)
/// and a store on disk whose first watchlist holds every instrument.
class Stage
{
public:
    static Stage& Get() { return Sized(kRows); }
    static Stage& Large() { return Sized(kLargeRows); }
    /// Ends every stage while the toolkit is still up: their themes hold fonts.
    static void CloseAll() { Stages().clear(); }

    Application& Factory() { return m_stack.application; }

    void WriteStore(int extraWatchlists)
    {
        std::vector<std::pair<std::string, std::vector<layout::InstrumentRef>>> lists{{kTabName, m_everything}};
        for (int i = 0; i < extraWatchlists; ++i)
            lists.push_back({"List " + std::to_string(i), {}});
        bench_support::WriteStore(m_stack.application, m_stack.files.StorePath(), lists);
    }

private:
    explicit Stage(int rows)
        : m_stack(Catalogue(), Folder(rows), true)
    {
        m_stack.catalogue.AddSynthetic(rows, kMarketSeed);
        for (const Instrument* instrument : m_stack.catalogue.FindExchangeMutable("SYN")->instruments)
            m_everything.push_back({instrument->exchange, instrument->code});
        WriteStore(0);
    }

    static std::map<int, std::unique_ptr<Stage>>& Stages()
    {
        static std::map<int, std::unique_ptr<Stage>> stages;
        return stages;
    }
    static Stage& Sized(int rows)
    {
        std::unique_ptr<Stage>& stage = Stages()[rows];
        if (!stage)
            stage.reset(new Stage(rows));
        return *stage;
    }

    static std::filesystem::path Folder(int rows)
    {
        const auto folder = std::filesystem::temp_directory_path() / ("tickerdeck-gridcmd-bench-" + std::to_string(rows));
        std::filesystem::create_directories(folder);
        return folder;
    }

    bench_support::TerminalStack m_stack;
    std::vector<layout::InstrumentRef> m_everything;
};

/// A shown board whose one tab is the stage's watchlist of every instrument.
class BigBoard : public bench_support::BoardWindow
{
public:
    explicit BigBoard(Stage& stage = Stage::Get())
    {
        Open(stage.Factory(), bench_support::WatchlistTabNode(kTabName));
        board = Board();
        grid = Grid();
        board->Features().FindFeature<RowCommands>()->SetConfirmation([](Tickerdeck&, const wxString&) { return true; });
    }

    Tickerdeck* board;
    wxGridEx* grid;
};

/// Ctrl+A then Ctrl+C.
void CopyAll(benchmark::State& state, wxGridEx* grid)
{
    grid->SelectAll();
    const wxString text = GridKeys::CopyText(grid);
    benchmark::DoNotOptimize(text.length());
    if (text.empty())
        state.SkipWithError("nothing copied");
}

void CopyAllRows(benchmark::State& state, const std::string& name, Stage& stage)
{
    BigBoard big(stage);
    bench_support::ReportFirstUse(state, name, [&] { CopyAll(state, big.grid); });
    for (auto _ : state)
        CopyAll(state, big.grid);
}

void BM_CopyAllRows(benchmark::State& state)
{
    CopyAllRows(state, "copy", Stage::Get());
}

// On the largest tabs a trader keeps.
void BM_CopyAllRows100000(benchmark::State& state)
{
    CopyAllRows(state, "copy large", Stage::Large());
}

// What Ctrl+C of all 100,000 rows holds the window for: the rows taken as
// they are; their text is made on a worker (BM_CopyAllRows100000 is that
// whole work, which the window waited for before).
void BM_CopyKeyPress100000(benchmark::State& state)
{
    BigBoard big(Stage::Large());
    auto* keys = big.board->Features().FindFeature<GridKeys>();
    size_t copied = 0;
    keys->SetClipboardWriter([&copied](const wxString& text) {
        copied = text.length();
        return true;
    });
    big.grid->SelectAll();
    for (auto _ : state)
    {
        keys->Copy(*big.board, big.grid);
        state.PauseTiming();
        while (BackgroundWork::Module().Pending() > 0)
        {
            wxTheApp->ProcessPendingEvents();
            wxMilliSleep(1);
        }
        wxTheApp->ProcessPendingEvents();
        state.ResumeTiming();
    }
    if (copied == 0)
        state.SkipWithError("nothing copied");
}

/// A fresh board on a fresh store, and every twentieth of its rows.
std::pair<std::unique_ptr<BigBoard>, RowTargets> RowsToRemove()
{
    Stage::Get().WriteStore(0);
    auto big = std::make_unique<BigBoard>();
    RowTargets rows{big->grid, {}};
    for (int i = 0; i < kRemoved; ++i)
        rows.quotes.push_back(Tickerdeck::TableOf(big->grid)->RowPrice(i * (kRows / kRemoved)));
    return {std::move(big), std::move(rows)};
}

void Remove(benchmark::State& state, BigBoard& big, const RowTargets& rows)
{
    big.board->Features().FindFeature<RowCommands>()->Remove(*big.board, rows);
    if (big.grid->GetNumberRows() != kRows - kRemoved)
        state.SkipWithError("the rows were not removed");
}

void BM_RemoveRows(benchmark::State& state)
{
    {
        auto [big, rows] = RowsToRemove();
        bench_support::ReportFirstUse(state, "remove", [&] { Remove(state, *big, rows); });
    }
    for (auto _ : state)
    {
        state.PauseTiming();
        auto [big, rows] = RowsToRemove();
        state.ResumeTiming();
        Remove(state, *big, rows);
        state.PauseTiming();
        big.reset();
        state.ResumeTiming();
    }
}

void BM_CellMenuWithStoredWatchlists(benchmark::State& state)
{
    Stage::Get().WriteStore(kStoredWatchlists);
    BigBoard big;
    big.grid->SelectRow(5);
    auto build = [&big] {
        std::unique_ptr<wxMenu> menu =
            big.board->Features().FindFeature<GridMenus>()->BuildCellMenu(*big.board, SelectedTargets(big.grid), 5);
        benchmark::DoNotOptimize(menu->GetMenuItemCount());
    };
    bench_support::ReportFirstUse(state, "cell menu", build);
    for (auto _ : state)
        build();
}

}  // namespace

BENCHMARK(BM_CopyAllRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyAllRows100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyKeyPress100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RemoveRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CellMenuWithStoredWatchlists)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv, [] { Stage::CloseAll(); });
}
