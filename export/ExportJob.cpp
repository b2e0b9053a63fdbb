#include "export/ExportJob.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include "kit/BackgroundWork.h"
#include "model/Spreadsheet.h"

namespace {

constexpr const char* kTemporaryPrefix = ".tickerdeck-export-";
// What a file name may take on the common file systems, in bytes.
constexpr std::size_t kNameMax = 255;
// Room kept for the " (12)" of a later file of the same name.
constexpr std::size_t kNumberRoom = 8;

std::string SystemReason(int error)
{
    return std::strerror(error);
}

/// Removes the hidden files that exports of processes no longer running
/// left in `folder` when they were killed half-way.
void RemoveStaleTemporaries(const std::string& folder)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    {
        const std::string name = it->path().filename().string();
        if (name.rfind(kTemporaryPrefix, 0) != 0)
            continue;
        const long pid = std::strtol(name.c_str() + std::strlen(kTemporaryPrefix), nullptr, 10);
        if (pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            ::unlink(it->path().c_str());
    }
}

/// The bytes of a UTF-8 text cut to at most `room`, never inside a character.
std::string CutUtf8(const std::string& text, std::size_t room)
{
    if (text.size() <= room)
        return text;
    std::size_t end = room;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

/// A new empty file in `folder` that no other export uses, created with the
/// permissions the user's umask gives any new document; throws the reason.
std::string ReserveTemporaryFile(const std::string& folder)
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (;;)
    {
        const std::string name = folder + "/" + kTemporaryPrefix + std::to_string(::getpid()) + "-" +
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

/// Waits until what was written to `path` is on the disk: a workbook that
/// takes its name before its contents are stored can be empty after a power
/// cut. A folder whose file system cannot sync one (EINVAL) is let be.
void SyncToDisk(const std::string& path, bool folder)
{
    const int fd = ::open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_WRONLY) | O_CLOEXEC);
    if (fd < 0)
        throw sheet::WriteError(SystemReason(errno));
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0 && !(folder && error == EINVAL))
        throw sheet::WriteError(SystemReason(error));
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
    const std::string ending = " " + std::string(when.Format("%Y-%m-%d %H-%M-%S").utf8_str()) + ".xlsx";
    // The date and time stay whole; the tab's full name is inside the workbook.
    std::string stem = CutUtf8(sheet::FileNameStem(tabText), kNameMax - kNumberRoom - ending.size());
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    return stem + ending;
}

ExportOutcome WriteExport(const sheet::TabSnapshot& snapshot, const std::string& folder,
                          const std::string& fileName, ExportJob* job, const std::atomic<bool>* stop)
{
    ExportOutcome outcome;
    outcome.folder = folder;
    std::string temporary;
    try
    {
        // As desktop applications do, a documents folder that is not there yet is made.
        std::error_code missing;
        std::filesystem::create_directories(folder, missing);
        if (missing)
            throw sheet::WriteError(missing.message());
        RemoveStaleTemporaries(folder);
        temporary = ReserveTemporaryFile(folder);
        auto book = sheet::CreateXlsxWorkbook(temporary);
        sheet::WriteProgress progress;
        if (job || stop)
            progress = [job, stop](std::size_t rows)
            {
                const bool wanted = job ? job->NoteProgress(rows) : true;
                return wanted && !(stop && stop->load(std::memory_order_relaxed));
            };
        sheet::WriteTabSheet(snapshot, *book, progress);
        book->Close();
        SyncToDisk(temporary, false);
        outcome.path = Publish(temporary, folder, fileName);
        temporary.clear();
        SyncToDisk(folder, true);
        outcome.written = true;
    }
    catch (const sheet::Cancelled&)
    {
        outcome.cancelled = true;
    }
    catch (const std::exception& error)
    {
        outcome.reason = error.what();
    }
    if (!outcome.written && !temporary.empty())
        ::unlink(temporary.c_str());
    // Named but not known to be stored: no workbook is better than a hollow one.
    if (!outcome.written && !outcome.path.empty())
    {
        ::unlink(outcome.path.c_str());
        outcome.path.clear();
    }
    return outcome;
}

std::shared_ptr<ExportJob> StartExport(wxWindow& window, sheet::TabSnapshot snapshot, std::string folder,
                                       std::string fileName, ExportDone done, std::shared_ptr<ExportJob> job)
{
    if (!job)
        job = std::make_shared<ExportJob>(snapshot.RowCount());
    // Shared, not copied: a thread's work is a copyable function.
    auto shared = std::make_shared<const sheet::TabSnapshot>(std::move(snapshot));
    BackgroundWork::Module().Start(
        window,
        [shared, job, folder = std::move(folder), fileName = std::move(fileName)](const std::atomic<bool>& stopping)
        {
            auto outcome = std::make_shared<ExportOutcome>(WriteExport(*shared, folder, fileName, job.get(), &stopping));
            job->NoteFinished();
            return BackgroundWork::Result(std::move(outcome));
        },
        [done = std::move(done)](wxWindow& target, const BackgroundWork::Result& outcome)
        { done(target, *static_cast<const ExportOutcome*>(outcome.get())); });
    return job;
}

void StopExports()
{
    BackgroundWork::Module().StopAll();
}
