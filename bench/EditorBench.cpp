// Costs of the watchlist editor on a large catalogue: opening it (building
// the catalogue and its tree) and rebuilding the tree for each keystroke of
// a search, with 100,000 generated instruments beside the demo exchanges.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include "BenchMain.h"
#include "board/Tickerdeck.h"
#include "host/TerminalHost.h"
#include "host/UserFiles.h"
#include "host/market/Catalogue.h"
#include "host/market/QuoteBook.h"
#include "host/theme/ThemeSwitch.h"
#include "plugin/Application.h"
#include "watchlist/WatchlistEditor.h"

namespace {

constexpr int kCatalogueSize = 100000;
constexpr uint32_t kMarketSeed = 20240115;
// A word typed into the search one letter at a time.
const char* const kTypedWord = "meridian";

void Flush()
{
    for (int i = 0; i < 3; ++i)
    {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

/// The demo catalogue with 100,000 generated instruments, a host over it
/// and one empty board in a shown frame; one per process.
class EditorStage
{
public:
    EditorStage()
        : m_catalogue(Catalogue::FromFile("data/catalogue.xml")),
          m_quotes(m_catalogue),
          m_files((std::filesystem::temp_directory_path() / "tickerdeck-editor-bench").string(), "", ""),
          m_host(m_catalogue, m_quotes, m_themes, m_files, false, nullptr),
          m_application(&m_host),
          m_frame(new wxFrame(nullptr, wxID_ANY, "Board", wxPoint(0, 0), wxSize(1000, 700)))
    {
        m_catalogue.AddSynthetic(kCatalogueSize, kMarketSeed);
        auto* container = new wxPanel(m_frame);
        m_frame->Show();
        m_board = static_cast<Tickerdeck*>(m_application.CreateWindow(1, container, nullptr, nullptr, 0));
        Flush();
    }

    ~EditorStage()
    {
        m_board->Destroy();
        m_frame->Destroy();
        Flush();
    }

    static EditorStage& Get()
    {
        if (!Instance())
            Instance() = std::make_unique<EditorStage>();
        return *Instance();
    }
    static void Close() { Instance().reset(); }

    /// A shown editor over the whole catalogue, as New Watchlist opens it.
    WatchlistEditor* OpenEditor()
    {
        auto* editor = new WatchlistEditor(&m_application, *m_board, m_frame, "New Watchlist");
        editor->ShowToSave(nullptr);
        return editor;
    }

private:
    static std::unique_ptr<EditorStage>& Instance()
    {
        static std::unique_ptr<EditorStage> stage;
        return stage;
    }

    Catalogue m_catalogue;
    QuoteBook m_quotes;
    ThemeSwitch m_themes;
    UserFiles m_files;
    TerminalHost m_host;
    Application m_application;
    wxFrame* m_frame;
    Tickerdeck* m_board = nullptr;
};

void CloseEditor(WatchlistEditor* editor)
{
    editor->Close();
    Flush();
}

void BM_EditorOpen(benchmark::State& state)
{
    EditorStage& stage = EditorStage::Get();
    for (auto _ : state)
    {
        WatchlistEditor* editor = stage.OpenEditor();
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
    EditorStage& stage = EditorStage::Get();
    WatchlistEditor* editor = stage.OpenEditor();
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
