#include "kit/BackgroundWork.h"

#include <system_error>
#include <utility>
#include <vector>

#include <wx/app.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

namespace
{

std::thread StartThread(std::function<void()> body)
{
    return std::thread(std::move(body));
}

/// Joins the threads it holds however the caller's own part ends.
class JoinAll
{
public:
    explicit JoinAll(std::vector<std::thread>& threads) : m_threads(threads) {}
    ~JoinAll()
    {
        for (std::thread& thread : m_threads)
            if (thread.joinable())
                thread.join();
    }

private:
    std::vector<std::thread>& m_threads;
};

} // namespace

bool MayReach(const wxWindow* window)
{
    if (!window || window->IsBeingDeleted())
        return false;
    // A frame's Destroy only queues it; until the next idle time it still
    // exists, closing, and a box over it would outlive it.
    const wxWindow* top = wxGetTopLevelParent(const_cast<wxWindow*>(window));
    return !top || !wxPendingDelete.Member(const_cast<wxWindow*>(top));
}

BackgroundWork::BackgroundWork(ThreadStarter start) : m_start(start ? std::move(start) : StartThread) {}

BackgroundWork::~BackgroundWork()
{
    StopAll();
}

BackgroundWork& BackgroundWork::Module()
{
    static BackgroundWork work;
    return work;
}

void BackgroundWork::Start(wxWindow& window, Work work, Deliver deliver)
{
    const std::size_t id = m_nextId++;
    std::lock_guard<std::mutex> lock(m_mutex);
    JoinFinished();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    // The thread gets the work and an id, nothing that refers to a window.
    std::thread thread = m_start(
        [this, id, work = std::move(work), finished]
        {
            Result result = work(m_stopping);
            Post(id, std::move(result));
            *finished = true;
        });
    m_workers.push_back({std::move(thread), std::move(finished)});
    m_waiting[id] = Waiting{wxWeakRef<wxWindow>(&window), std::move(deliver)};
}

void BackgroundWork::Post(std::size_t id, Result result)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_stopping)
        m_deliverer.CallAfter([this, id, result = std::move(result)] { Arrive(id, result); });
}

void BackgroundWork::Arrive(std::size_t id, const Result& result)
{
    const auto entry = m_waiting.find(id);
    if (entry == m_waiting.end())
        return;
    const Waiting waiting = std::move(entry->second);
    m_waiting.erase(entry);
    if (MayReach(waiting.window.get()))
        waiting.deliver(*waiting.window.get(), result);
}

void BackgroundWork::JoinFinished()
{
    for (auto it = m_workers.begin(); it != m_workers.end();)
    {
        if (*it->finished)
        {
            it->thread.join();
            it = m_workers.erase(it);
        }
        else
            ++it;
    }
}

void BackgroundWork::RunParts(std::size_t parts, const std::function<void(std::size_t part)>& part)
{
    if (parts == 0)
        return;
    std::vector<std::thread> helpers;
    helpers.reserve(parts);
    std::vector<std::size_t> here{0};
    JoinAll joinAll(helpers);
    for (std::size_t index = 1; index < parts; ++index)
    {
        try
        {
            helpers.push_back(m_start([&part, index] { part(index); }));
        }
        catch (const std::system_error&)
        {
            here.push_back(index);
        }
    }
    for (const std::size_t index : here)
        part(index);
}

void BackgroundWork::StopAll()
{
    std::list<Worker> workers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        workers.swap(m_workers);
    }
    // Joined without the lock: a finishing worker takes it to post.
    for (Worker& worker : workers)
        if (worker.thread.joinable())
            worker.thread.join();
    // The queued calls go, and so does the application's note that this
    // handler has some: it would look for them at its next turn.
    m_deliverer.DeletePendingEvents();
    if (wxTheApp)
        wxTheApp->RemovePendingEventHandler(&m_deliverer);
    m_waiting.clear();
    m_stopping = false;
}

std::size_t BackgroundWork::Pending() const
{
    return m_waiting.size();
}
