#include "export/ExportJob.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <list>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include <wx/event.h>

#include "model/Spreadsheet.h"

namespace {

/// Thrown out of a workbook being written when the module stops its exports.
struct ExportStopped
{
};

/// A sheet that stops writing once `stop` is set: an export left running at
/// quit must not keep the program waiting for a large tab's last row.
class StoppableSheet : public sheet::Sheet
{
public:
    StoppableSheet(sheet::Sheet& sheet, const std::atomic<bool>& stop) : m_sheet(sheet), m_stop(stop) {}

    void SetColumnAsText(int col) override { m_sheet.SetColumnAsText(col); }
    void SetColumnWidth(int col, double characters) override { m_sheet.SetColumnWidth(col, characters); }
    void WriteText(int row, int col, std::string_view utf8) override
    {
        CheckStop();
        m_sheet.WriteText(row, col, utf8);
    }
    void WriteNumber(int row, int col, double value) override
    {
        CheckStop();
        m_sheet.WriteNumber(row, col, value);
    }

private:
    void CheckStop() const
    {
        if (m_stop.load(std::memory_order_relaxed))
            throw ExportStopped();
    }

    sheet::Sheet& m_sheet;
    const std::atomic<bool>& m_stop;
};

class StoppableWorkbook : public sheet::Workbook
{
public:
    StoppableWorkbook(std::unique_ptr<sheet::Workbook> book, const std::atomic<bool>& stop)
        : m_book(std::move(book)), m_stop(stop)
    {
    }

    sheet::Sheet& AddSheet(const std::string& name) override
    {
        m_sheets.push_back(std::make_unique<StoppableSheet>(m_book->AddSheet(name), m_stop));
        return *m_sheets.back();
    }
    void Close() override { m_book->Close(); }

private:
    std::unique_ptr<sheet::Workbook> m_book;
    const std::atomic<bool>& m_stop;
    std::list<std::unique_ptr<StoppableSheet>> m_sheets;
};

/// The export threads still known. A finished one is joined when the next
/// starts; the rest are stopped and joined when the module goes away
/// (StopAll), so no thread runs on in code that is unloaded. Outcomes reach
/// the GUI thread through a handler of the module's own: the toolkit's
/// application object would keep a queued call into unloaded code.
class Workers
{
public:
    ~Workers() { StopAll(); }

    const std::atomic<bool>& Stopping() const { return m_stopping; }

    /// Queues `deliver` for the GUI thread unless the exports are stopping.
    void Deliver(std::function<void()> deliver)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_stopping)
            m_deliverer.CallAfter(std::move(deliver));
    }

    void StopAll()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        // Joined without the lock: a finishing worker takes it to deliver.
        for (Worker& worker : m_workers)
            if (worker.thread.joinable())
                worker.thread.join();
        m_workers.clear();
        m_deliverer.DeletePendingEvents();
        m_stopping = false;
    }

    void Start(std::function<void()> work)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
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
        auto finished = std::make_shared<std::atomic<bool>>(false);
        m_workers.push_back({std::thread([work = std::move(work), finished] {
                                 work();
                                 *finished = true;
                             }),
                             finished});
    }

private:
    struct Worker
    {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    std::mutex m_mutex;
    std::list<Worker> m_workers;
    std::atomic<bool> m_stopping{false};
    wxEvtHandler m_deliverer;
};

Workers& RunningWorkers()
{
    static Workers workers;
    return workers;
}

std::string SystemReason(int error)
{
    return std::strerror(error);
}

/// A new empty file in `folder` that no other export uses, created with the
/// permissions the user's umask gives any new document; throws the reason.
std::string ReserveTemporaryFile(const std::string& folder)
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (;;)
    {
        const std::string name = folder + "/.tickerdeck-export-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(counter++) + "-" + std::to_string(random());
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
        {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST)
            throw sheet::WriteError(SystemReason(errno));
    }
}

std::string Numbered(const std::string& fileName, int number)
{
    if (number == 1)
        return fileName;
    const size_t dot = fileName.rfind('.');
    const std::string suffix = " (" + std::to_string(number) + ")";
    return dot == std::string::npos ? fileName + suffix : fileName.substr(0, dot) + suffix + fileName.substr(dot);
}

/// Gives the finished file its name, the first free one of the numbered
/// series; a hard link fails rather than replace a file that appeared
/// meanwhile, even one another export just finished.
std::string Publish(const std::string& temporary, const std::string& folder, const std::string& fileName)
{
    for (int number = 1;; ++number)
    {
        const std::string target = folder + "/" + Numbered(fileName, number);
        if (::link(temporary.c_str(), target.c_str()) == 0)
        {
            ::unlink(temporary.c_str());
            return target;
        }
        if (errno == EEXIST)
            continue;
        // File systems without hard links: the check and the rename are two
        // steps, good enough where links are missing.
        std::error_code error;
        if (std::filesystem::exists(target, error))
            continue;
        std::filesystem::rename(temporary, target, error);
        if (error)
            throw sheet::WriteError(error.message());
        return target;
    }
}

}  // namespace

std::string ExportFileName(const std::string& tabText, const wxDateTime& when)
{
    return sheet::FileNameStem(tabText) + " " + std::string(when.Format("%Y-%m-%d %H-%M-%S").utf8_str()) + ".xlsx";
}

ExportOutcome WriteExport(const sheet::TabSnapshot& snapshot, const std::string& folder,
                          const std::string& fileName, const std::atomic<bool>* stop)
{
    ExportOutcome outcome;
    std::string temporary;
    try
    {
        temporary = ReserveTemporaryFile(folder);
        std::unique_ptr<sheet::Workbook> book = sheet::CreateXlsxWorkbook(temporary);
        if (stop)
            book = std::make_unique<StoppableWorkbook>(std::move(book), *stop);
        sheet::WriteTabSheet(snapshot, *book);
        book->Close();
        outcome.path = Publish(temporary, folder, fileName);
        outcome.written = true;
    }
    catch (const std::exception& error)
    {
        if (!temporary.empty())
            ::unlink(temporary.c_str());
        outcome.reason = error.what();
    }
    catch (const ExportStopped&)
    {
        ::unlink(temporary.c_str());
        outcome.reason = "stopped";
    }
    return outcome;
}

void StartExport(sheet::TabSnapshot snapshot, std::string folder, std::string fileName,
                 std::function<void(const ExportOutcome&)> done)
{
    // Shared, not copied: a thread's work is a copyable function.
    auto shared = std::make_shared<const sheet::TabSnapshot>(std::move(snapshot));
    Workers& workers = RunningWorkers();
    workers.Start(
        [&workers, shared, folder = std::move(folder), fileName = std::move(fileName), done = std::move(done)]
        {
            ExportOutcome outcome = WriteExport(*shared, folder, fileName, &workers.Stopping());
            workers.Deliver([done, outcome] { done(outcome); });
        });
}

void StopExports()
{
    RunningWorkers().StopAll();
}
