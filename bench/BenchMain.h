#pragma once
// Benchmarks that build windows need one application object for the run.

#include <functional>

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
