// Adding to watchlists by typing, pasting and importing, on a catalogue of
// 100,000 generated instruments beside the demo exchanges: one keystroke's
// lookup, a paste of 1,000 codes up to the written store and the tab that
// follows it, and a file of 10,000 lines read, resolved and stored.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "LargeCatalogueStage.h"
#include "board/Tickerdeck.h"
#include "files/DurableFile.h"
#include "store/WatchlistFile.h"
#include "store/WatchlistStoreService.h"
#include "model/InstrumentLookup.h"
#include "plugin/Application.h"
#include "watchlist/PasteCodes.h"
#include "watchlist/WatchlistFiles.h"
#include "watchlist/WatchlistTabs.h"

namespace {

const char* const kTypedWord = "meridian";
const char* const kFolderName = "tickerdeck-lists-bench";

using bench_support::Flush;
using ListsStage = bench_support::LargeCatalogueStage;

std::filesystem::path Folder()
{
    return std::filesystem::temp_directory_path() / kFolderName;
}

// Codes of every hundredth instrument, the generated ones included.
std::vector<Instrument*> Spread(const std::vector<Instrument*>& instruments, size_t count)
{
    std::vector<Instrument*> picked;
    const size_t step = std::max<size_t>(1, instruments.size() / count);
    for (size_t index = 0; index < instruments.size() && picked.size() < count; index += step)
        picked.push_back(instruments[index]);
    return picked;
}

// Each iteration types the word letter by letter; a keystroke is one lookup.
void BM_LookupKeystroke(benchmark::State& state)
{
    ListsStage& stage = ListsStage::Get(kFolderName);
    // Made once per board until the catalogue changes: the first keystroke waits for it.
    const auto built = std::chrono::steady_clock::now();
    const InstrumentLookup lookup(stage.Instruments());
    state.counters["build_ms"] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - built).count();
    const wxString word(kTypedWord);
    std::vector<double> keystrokes;
    for (auto _ : state)
        for (size_t length = 1; length <= word.length(); ++length)
        {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(lookup.Find(word.Left(length)));
            keystrokes.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    std::sort(keystrokes.begin(), keystrokes.end());
    state.counters["keystroke_median_ms"] = keystrokes[keystrokes.size() / 2];
    state.counters["keystroke_max_ms"] = keystrokes.back();
}
BENCHMARK(BM_LookupKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// From the pasted text to the written store and the board's tab holding the rows.
void BM_Paste1000Codes(benchmark::State& state)
{
    ListsStage& stage = ListsStage::Get(kFolderName);
    wxString text;
    for (const Instrument* instrument : Spread(stage.Instruments(), 1000))
        text += wxString::FromUTF8(instrument->exchange + ":" + instrument->code) + ", ";
    auto store = stage.Board().GetStore();
    for (auto _ : state)
    {
        state.PauseTiming();
        store->Delete("Paste");
        WatchlistTabs(stage.Board()).CreateWatchlistTab("Paste", {});
        Flush();
        wxGridEx* grid = stage.Board().Tabs().FindStored("Paste");
        if (!grid)
        {
            state.SkipWithError("the watchlist could not be stored");
            break;
        }
        state.ResumeTiming();
        const PasteCodes::Outcome outcome = PasteCodes::Paste(stage.Board(), grid, text);
        Flush();
        if (outcome.added != 1000)
            state.SkipWithError("not every code was added");
    }
}
BENCHMARK(BM_Paste1000Codes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Reading, parsing, resolving and storing; the naming dialog is left out.
void BM_Import10000Lines(benchmark::State& state)
{
    ListsStage& stage = ListsStage::Get(kFolderName);
    std::vector<store::WatchlistFileRow> rows;
    for (const Instrument* instrument : Spread(stage.Instruments(), 10000))
        rows.push_back({instrument->exchange, instrument->code, instrument->name});
    const std::string path = (Folder() / "import.csv").string();
    std::ofstream(path, std::ios::binary) << store::WatchlistCsv(rows);
    auto store = stage.Board().GetStore();
    for (auto _ : state)
    {
        state.PauseTiming();
        store->Delete("Imported");
        state.ResumeTiming();
        const store::WatchlistFileContents contents = store::ReadWatchlistText(files::ReadFileBytes(path));
        const WatchlistFiles::Resolved resolved = WatchlistFiles::Resolve(stage.Board(), contents.entries);
        store->Create("Imported", resolved.refs);
        if (resolved.found != 10000)
            state.SkipWithError("not every line resolved");
    }
}
BENCHMARK(BM_Import10000Lines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv, [] { ListsStage::Close(); });
}
