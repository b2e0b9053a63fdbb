// The board's threads: results reach only windows that live, nothing
// outlives StopAll, and a thread that cannot start costs no work.

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include "kit/BackgroundWork.h"
#include "support/EventLoop.h"

namespace
{

using testing_support::Flush;
using testing_support::PumpUntil;

BackgroundWork::Result Number(int value)
{
    return std::make_shared<const int>(value);
}

struct Delivered
{
    std::vector<std::pair<wxWindow*, int>> calls;
    BackgroundWork::Deliver Into()
    {
        return [this](wxWindow& window, const BackgroundWork::Result& result)
        {
            EXPECT_TRUE(wxThread::IsMain());
            calls.emplace_back(&window, *static_cast<const int*>(result.get()));
        };
    }
};

TEST(BackgroundWork, DeliversOnTheGuiThreadOnlyToWindowsThatLiveAndAreNotClosing)
{
    BackgroundWork work;
    Delivered delivered;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "live");
    auto* panel = new wxPanel(frame);
    auto* gone = new wxFrame(nullptr, wxID_ANY, "destroyed");
    auto* closing = new wxFrame(nullptr, wxID_ANY, "closing");
    auto* inClosing = new wxPanel(closing);
    std::atomic<bool> release{false};
    const auto waitThen = [&release](int value)
    {
        return [&release, value](const std::atomic<bool>&)
        {
            while (!release)
                std::this_thread::yield();
            return Number(value);
        };
    };
    work.Start(*panel, waitThen(1), delivered.Into());
    work.Start(*gone, waitThen(2), delivered.Into());
    work.Start(*inClosing, waitThen(3), delivered.Into());
    EXPECT_EQ(3u, work.Pending());
    delete gone;
    // Queued for deletion at the next idle time, as a frame's close does.
    closing->Destroy();
    EXPECT_FALSE(MayReach(inClosing));
    EXPECT_TRUE(MayReach(panel));
    release = true;
    // The answers arrive before the idle time that deletes the closing frame.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (work.Pending() > 0 && std::chrono::steady_clock::now() < deadline)
        wxTheApp->ProcessPendingEvents();
    EXPECT_EQ((std::vector<std::pair<wxWindow*, int>>{{panel, 1}}), delivered.calls);
    frame->Destroy();
    Flush();
}

TEST(BackgroundWork, StopAllStopsAndJoinsEveryWorkerAndDropsWhatWasNotDelivered)
{
    BackgroundWork work;
    Delivered delivered;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "board");
    std::atomic<int> stopped{0};
    std::atomic<int> started{0};
    for (int i = 0; i < 3; ++i)
        work.Start(*frame,
                   [&](const std::atomic<bool>& stopping)
                   {
                       ++started;
                       while (!stopping)
                           std::this_thread::sleep_for(std::chrono::milliseconds(1));
                       ++stopped;
                       return Number(0);
                   },
                   delivered.Into());
    // One that finished and waits in the queue for the GUI thread.
    work.Start(*frame, [](const std::atomic<bool>&) { return Number(9); }, delivered.Into());
    while (started < 3)
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    work.StopAll();
    EXPECT_EQ(3, stopped.load()) << "every worker saw the stop and was waited for";
    EXPECT_EQ(0u, work.Pending());
    Flush();
    EXPECT_TRUE(delivered.calls.empty()) << "nothing reaches a window after StopAll";

    // Work goes on normally afterwards.
    work.Start(*frame, [](const std::atomic<bool>&) { return Number(5); }, delivered.Into());
    ASSERT_TRUE(PumpUntil([&] { return !delivered.calls.empty(); }, 5000));
    EXPECT_EQ(5, delivered.calls[0].second);
    frame->Destroy();
    Flush();
}

TEST(BackgroundWork, PartsWhoseThreadCannotStartRunOnTheCallerAndEveryPartRunsOnce)
{
    for (const int refuseFrom : {2, 1, 1000})
    {
        int starts = 0;
        BackgroundWork work(
            [&starts, refuseFrom](std::function<void()> body)
            {
                if (++starts >= refuseFrom)
                    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
                return std::thread(std::move(body));
            });
        std::mutex mutex;
        std::multiset<std::size_t> ran;
        std::set<std::thread::id> threads;
        work.RunParts(5,
                      [&](std::size_t part)
                      {
                          std::lock_guard<std::mutex> lock(mutex);
                          ran.insert(part);
                          threads.insert(std::this_thread::get_id());
                      });
        EXPECT_EQ((std::multiset<std::size_t>{0, 1, 2, 3, 4}), ran) << "refusing from start " << refuseFrom;
        EXPECT_EQ(std::min(5, refuseFrom), static_cast<int>(threads.size())) << refuseFrom;
        EXPECT_EQ(1u, threads.count(std::this_thread::get_id()));
    }
    // A worker that cannot start is said so, and nothing waits for it.
    BackgroundWork refusing([](std::function<void()>) -> std::thread
                            { throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)); });
    wxFrame frame(nullptr, wxID_ANY, "board");
    EXPECT_THROW(refusing.Start(frame, [](const std::atomic<bool>&) { return Number(1); }, {}), std::system_error);
    EXPECT_EQ(0u, refusing.Pending());
}

} // namespace
