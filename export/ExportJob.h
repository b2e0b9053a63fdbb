#pragma once
// Writing a tab's snapshot to a workbook file, on a worker thread.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include <wx/datetime.h>

#include "model/TabSheet.h"

class wxWindow;

/// How one export ended.
struct ExportOutcome
{
    bool written = false;
    bool cancelled = false; // stopped at the user's request; nothing was left behind
    std::string path;       // the workbook written, when it was
    std::string folder;     // where it was to go
    std::string reason;     // the system's reason it was not, when it was not
};

/// A running export: how far it got, and a way to stop it. Both threads
/// hold it; the worker notes its progress, anyone may cancel.
class ExportJob
{
public:
    /// `rowsToTake`: rows still to be copied from the tab a slice at a time
    /// before the writing starts, 0 when the copy was made at once.
    explicit ExportJob(std::size_t rows = 0, std::size_t rowsToTake = 0) : m_rows(rows), m_toTake(rowsToTake) {}

    /// Asks the worker to stop; it removes what it wrote and reports a
    /// cancelled outcome. Harmless once the export has ended.
    void Cancel() { m_cancelled = true; }
    bool IsCancelled() const { return m_cancelled; }
    /// True once the outcome is known (and on its way to the GUI thread).
    bool IsFinished() const { return m_finished; }

    std::size_t RowCount() const { return m_rows; }
    std::size_t RowsWritten() const { return m_written; }
    std::size_t RowsToTake() const { return m_toTake; }
    std::size_t RowsTaken() const { return m_taken; }
    /// The GUI thread's side while it copies the tab.
    void NoteTaken(std::size_t rowsTaken) { m_taken = rowsTaken; }

    /// The worker's side: notes progress; false when it should stop.
    bool NoteProgress(std::size_t rowsWritten)
    {
        m_written = rowsWritten;
        return !m_cancelled;
    }
    void NoteFinished() { m_finished = true; }

private:
    const std::size_t m_rows;
    const std::size_t m_toTake;
    std::atomic<std::size_t> m_taken{0};
    std::atomic<std::size_t> m_written{0};
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_finished{false};
};

/// The workbook's file name: "<tab> <date> <time>.xlsx" with characters no
/// file system takes replaced, and the tab's part cut short so that the
/// name, numbered or not, stays within what a file system takes.
std::string ExportFileName(const std::string& tabText, const wxDateTime& when);

/// Writes the snapshot into `folder` (created when missing) under
/// `fileName` (with " (2)", " (3)" ... when it exists) and never over an
/// existing file. The workbook is written beside its final name and only
/// takes it once complete, so a failure or a cancel leaves no file behind;
/// the hidden file of an export that was killed goes at the next one.
/// Setting `stop` abandons the file as a cancel does.
ExportOutcome WriteExport(const sheet::TabSnapshot& snapshot, const std::string& folder,
                          const std::string& fileName, ExportJob* job = nullptr,
                          const std::atomic<bool>* stop = nullptr);

/// Receives an export's outcome on the GUI thread, with the window it was
/// started for.
using ExportDone = std::function<void(wxWindow& window, const ExportOutcome& outcome)>;

/// Runs WriteExport on a thread of the module's BackgroundWork and hands the
/// outcome to `done` on the GUI thread, only while `window` lives; `job`,
/// when given, is the one the tab's copy was made under. Throws
/// std::system_error when no thread can start.
std::shared_ptr<ExportJob> StartExport(wxWindow& window, sheet::TabSnapshot snapshot, std::string folder,
                                       std::string fileName, ExportDone done,
                                       std::shared_ptr<ExportJob> job = nullptr);

/// Cancels every running export (their files are removed), waits for their
/// threads and drops the outcomes not yet delivered. The module calls it
/// before it is unloaded: no thread or queued call may outlive its code.
void StopExports();
