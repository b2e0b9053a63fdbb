// Costs of the grid's commands on a 20,000-row watchlist tab: copying every
// row (and every row of a 100,000-row tab), removing 1,000 selected rows with
// the store rewritten, and building the cell menu with 200 stored watchlists.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <boost/property_tree/ptree.hpp>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/panel.h>

#include "BenchMain.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "layout/WatchlistStore.h"
#include "plugin/Application.h"
#include "tests/support/FakeHost.h"
#include "commands/GridKeys.h"
#include "commands/GridMenus.h"
#include "commands/RowCommands.h"

namespace {

constexpr int kRows = 20000;
constexpr int kLargeRows = 100000;
constexpr int kRemoved = 1000;
constexpr int kStoredWatchlists = 200;
const char* const kTabName = "Big";

/// A recording host with quoted instruments (20,000 unless asked for more)
/// and a store on disk.
class Stage
{
public:
    static Stage& Get()
    {
        static Stage stage(kRows);
        return stage;
    }
    static Stage& Large()
    {
        static Stage stage(kLargeRows);
        return stage;
    }

    std::vector<Instrument*> instruments;
    testing_support::FakeHost host;
    std::string storePath;

    void WriteStore(int extraWatchlists)
    {
        layout::Tree store;
        std::vector<layout::InstrumentRef> refs;
        for (Instrument* instrument : instruments)
            refs.push_back({instrument->exchange, instrument->code});
        layout::AppendWatchlist(store, kTabName, refs);
        for (int i = 0; i < extraWatchlists; ++i)
            layout::AppendWatchlist(store, "List " + std::to_string(i), {});
        layout::WriteStore(storePath, store);
    }

private:
    explicit Stage(int rows)
    {
        storePath = (std::filesystem::temp_directory_path() /
                     ("tickerdeck-gridcmd-bench-" + std::to_string(rows) + ".xml"))
                        .string();
        host.applicationFilePath = storePath;
        host.profile.permissions = UserProfile::kAllowTrading;
        for (int i = 0; i < rows; ++i)
        {
            Instrument* instrument = host.AddInstrument("I" + std::to_string(i), "BIG");
            instrument->decimals = i % 4;
            Price* quote = host.PriceOf(instrument);
            quote->last = 100.0 + i * 0.01;
            quote->buy = quote->last - 0.01;
            quote->sell = quote->last + 0.01;
            quote->change = (i % 7) - 3;
            quote->buyVolume = 1000 + i;
            quote->sellVolume = 2000 + i;
            quote->cumVolume = 123456.0 * (i % 13);
            quote->prevClose = 100.0;
            quote->tradeDate = "20240115";
            instruments.push_back(instrument);
        }
    }
};

/// A shown board with a tab of every instrument of the stage.
class BigBoard
{
public:
    explicit BigBoard(Stage& stage = Stage::Get())
        : m_application(&stage.host),
          m_frame(new wxFrame(nullptr, wxID_ANY, "Board", wxPoint(0, 0), wxSize(1600, 1000)))
    {
        auto* container = new wxPanel(m_frame);
        m_frame->Show();
        board = static_cast<Tickerdeck*>(m_application.CreateWindow(1, container, nullptr, nullptr, 0));
        grid = board->CreateTabGrid();
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        table->SetTabType(layout::kStoredWatchlistTab);
        table->SetWatchlistName(kTabName);
        board->SubscribeRows(stage.instruments, grid);
        board->AddTabPage(grid, kTabName, true);
        board->FindFeature<RowCommands>()->SetConfirmation([](Tickerdeck&, const wxString&) { return true; });
        wxTheApp->ProcessPendingEvents();
    }

    ~BigBoard()
    {
        board->Destroy();
        m_frame->Destroy();
        // Destroyed windows go at idle time.
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }

    Tickerdeck* board;
    wxGridEx* grid;

private:
    Application m_application;
    wxFrame* m_frame;
};

void CopyAllRows(benchmark::State& state, Stage& stage)
{
    BigBoard big(stage);
    for (auto _ : state)
    {
        big.grid->SelectAll();
        const wxString text = GridKeys::CopyText(big.grid);
        benchmark::DoNotOptimize(text.length());
        if (text.empty())
            state.SkipWithError("nothing copied");
    }
}

void BM_CopyAllRows(benchmark::State& state)
{
    CopyAllRows(state, Stage::Get());
}

// Ctrl+A then Ctrl+C on the largest tabs a trader keeps.
void BM_CopyAllRows100000(benchmark::State& state)
{
    CopyAllRows(state, Stage::Large());
}

void BM_RemoveRows(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        Stage::Get().WriteStore(0);
        auto big = std::make_unique<BigBoard>();
        RowTargets rows{big->grid, {}};
        for (int i = 0; i < kRemoved; ++i)
            rows.quotes.push_back(Tickerdeck::TableOf(big->grid)->RowPrice(i * (kRows / kRemoved)));
        state.ResumeTiming();
        big->board->FindFeature<RowCommands>()->Remove(*big->board, rows);
        state.PauseTiming();
        if (big->grid->GetNumberRows() != kRows - kRemoved)
            state.SkipWithError("the rows were not removed");
        big.reset();
        state.ResumeTiming();
    }
}

void BM_CellMenuWithStoredWatchlists(benchmark::State& state)
{
    Stage::Get().WriteStore(kStoredWatchlists);
    BigBoard big;
    big.grid->SelectRow(5);
    for (auto _ : state)
    {
        std::unique_ptr<wxMenu> menu =
            big.board->FindFeature<GridMenus>()->BuildCellMenu(*big.board, SelectedTargets(big.grid), 5);
        benchmark::DoNotOptimize(menu->GetMenuItemCount());
    }
}

}  // namespace

BENCHMARK(BM_CopyAllRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyAllRows100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RemoveRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CellMenuWithStoredWatchlists)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv);
}
