#pragma once
// Work the board does off the GUI thread: an export's workbook, a long copy's lines.

#include <atomic>
#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include <type_traits> // wx/weakref.h needs it and does not include it

#include <wx/event.h>
#include <wx/weakref.h>
#include <wx/window.h>

/// The board module's threads. A worker's result reaches the GUI thread
/// only for a window that still lives and is not closing; whatever refers to
/// windows (the handler, the window's weak reference) is made, copied and
/// dropped on the GUI thread alone, the worker holds plain data. StopAll,
/// which the factory calls before the module is unloaded, stops and joins
/// every worker and drops what was not yet delivered.
class BackgroundWork
{
public:
    /// Starts a thread running `body`; throws std::system_error when none
    /// can start. Tests replace it to refuse.
    using ThreadStarter = std::function<std::thread(std::function<void()> body)>;
    /// A worker's result, as plain data the GUI thread takes over.
    using Result = std::shared_ptr<const void>;
    using Work = std::function<Result(const std::atomic<bool>& stopping)>;
    using Deliver = std::function<void(wxWindow& window, const Result& result)>;

    explicit BackgroundWork(ThreadStarter start = {});
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    /// The module's own, stopped by the factory as it goes.
    static BackgroundWork& Module();

    /// On the GUI thread: runs `work` on a thread of its own, then `deliver`
    /// on the GUI thread with `window` if it still lives then. `work` should
    /// end soon once `stopping` is set. Throws std::system_error when no
    /// thread can start.
    void Start(wxWindow& window, Work work, Deliver deliver);

    /// Runs `part(0)` .. `part(parts - 1)`, the first here and the others
    /// on threads of their own, and returns once all are done. A part whose
    /// thread cannot start runs here instead.
    void RunParts(std::size_t parts, const std::function<void(std::size_t part)>& part);

    /// On the GUI thread: asks every worker to stop, waits for them and
    /// drops every delivery not yet made. New work may start afterwards.
    void StopAll();
    /// Workers started and not yet delivered or dropped.
    std::size_t Pending() const;

private:
    struct Worker
    {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    struct Waiting
    {
        wxWeakRef<wxWindow> window;
        Deliver deliver;
    };

    /// The worker's side: hands the result to the GUI thread unless stopping.
    void Post(std::size_t id, Result result);
    void Arrive(std::size_t id, const Result& result);
    void JoinFinished();

    ThreadStarter m_start;
    mutable std::mutex m_mutex;
    std::list<Worker> m_workers;
    std::atomic<bool> m_stopping{false};
    // GUI thread only.
    std::map<std::size_t, Waiting> m_waiting;
    std::size_t m_nextId = 0;
    wxEvtHandler m_deliverer;
};

/// True while `window` may be shown something: it exists, it is not being
/// destroyed and neither is its top-level window.
bool MayReach(const wxWindow* window);
