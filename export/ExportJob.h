#pragma once
// Writing a tab's snapshot to a workbook file, on a worker thread.

#include <atomic>
#include <functional>
#include <string>

#include <wx/datetime.h>

#include "model/TabSheet.h"

/// How one export ended.
struct ExportOutcome
{
    bool written = false;
    std::string path;     // the workbook written, when it was
    std::string reason;   // why it was not, when it was not
};

/// The workbook's file name: "<tab> <date> <time>.xlsx" with characters no
/// file system takes replaced.
std::string ExportFileName(const std::string& tabText, const wxDateTime& when);

/// Writes the snapshot into `folder` under `fileName` (with " (2)", " (3)"
/// ... when it exists) and never over an existing file. The workbook is
/// written beside its final name and only takes it once complete, so a
/// failure leaves no file behind. Setting `stop` abandons the file.
ExportOutcome WriteExport(const sheet::TabSnapshot& snapshot, const std::string& folder,
                          const std::string& fileName, const std::atomic<bool>* stop = nullptr);

/// Runs WriteExport on a thread of its own and hands the outcome to `done`
/// on the GUI thread. Nothing waits for the thread but StopExports.
void StartExport(sheet::TabSnapshot snapshot, std::string folder, std::string fileName,
                 std::function<void(const ExportOutcome&)> done);

/// Abandons every running export (their files are removed), waits for their
/// threads and drops the outcomes not yet delivered. The module calls it
/// before it is unloaded: no thread or queued call may outlive its code.
void StopExports();
