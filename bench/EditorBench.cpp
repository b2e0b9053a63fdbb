// Costs of the watchlist editor on a large catalogue: opening it (building
// the catalogue and its tree) and rebuilding the tree for each keystroke of
// a search, with 100,000 generated instruments beside the demo exchanges.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "LargeCatalogueStage.h"
#include "board/Tickerdeck.h"
#include "plugin/Application.h"
#include "watchlist/WatchlistEditor.h"

namespace {

// A word typed into the search one letter at a time.
const char* const kTypedWord = "meridian";

using bench_support::Flush;

const char* const kFolderName = "tickerdeck-editor-bench";

using EditorStage = bench_support::LargeCatalogueStage;

/// A shown editor over the whole catalogue, as New Watchlist opens it.
WatchlistEditor* OpenEditor(EditorStage& stage)
{
    auto* editor = new WatchlistEditor(&stage.App(), stage.Board(), stage.Frame(), "New Watchlist");
    editor->ShowToSave(nullptr);
    return editor;
}

void CloseEditor(WatchlistEditor* editor)
{
    editor->Close();
    Flush();
}

void BM_EditorOpen(benchmark::State& state)
{
    EditorStage& stage = EditorStage::Get(kFolderName);
    for (auto _ : state)
    {
        WatchlistEditor* editor = OpenEditor(stage);
        Flush();  // shown and painted
        state.PauseTiming();
        benchmark::DoNotOptimize(editor->GetCatalogueModel().RowCount());
        CloseEditor(editor);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Each iteration types the word letter by letter; a keystroke's time runs
// from the text change to the repainted tree.
void BM_EditorSearch(benchmark::State& state)
{
    EditorStage& stage = EditorStage::Get(kFolderName);
    WatchlistEditor* editor = OpenEditor(stage);
    Flush();
    std::vector<double> keystrokes;
    const wxString word(kTypedWord);
    for (auto _ : state)
    {
        for (size_t length = 1; length <= word.length(); ++length)
        {
            const auto start = std::chrono::steady_clock::now();
            editor->Search(word.Left(length));
            Flush();
            keystrokes.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        state.PauseTiming();
        editor->Search(wxString());
        Flush();
        state.ResumeTiming();
    }
    std::sort(keystrokes.begin(), keystrokes.end());
    state.counters["keystroke_median_ms"] = keystrokes[keystrokes.size() / 2];
    state.counters["keystroke_max_ms"] = keystrokes.back();
    CloseEditor(editor);
}
BENCHMARK(BM_EditorSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    return bench_support::RunWithApp(argc, argv, [] { EditorStage::Close(); });
}
