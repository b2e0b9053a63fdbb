#pragma once
// Benchmarks that build windows need one application object for the run.

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

namespace bench_support {

class BenchApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        return true;
    }
};

/// Lets queued events, idle handlers and paints run, `rounds` times over.
inline void Flush(int rounds = 3)
{
    for (int i = 0; i < rounds; ++i)
    {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

/// Runs `work` and reports, as the counter "first_use_ms", how long it took
/// the first time this process ran it under `name`. Later runs (repetitions
/// of the benchmark) skip the work and report the same figure, so that the
/// aggregates carry it: a first use happens once per process, the steady
/// state is what the timed loop measures.
inline void ReportFirstUse(benchmark::State& state, const std::string& name, const std::function<void()>& work)
{
    static std::map<std::string, double> firstUse;
    auto found = firstUse.find(name);
    if (found == firstUse.end())
    {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        found = firstUse.emplace(name, took.count()).first;
    }
    state.counters["first_use_ms"] = found->second;
}

/// Starts the toolkit, runs every registered benchmark, then `beforeExit`
/// while the toolkit is still up.
inline int RunWithApp(int argc, char** argv, const std::function<void()>& beforeExit = {})
{
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 2;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit)
        beforeExit();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}

}  // namespace bench_support
