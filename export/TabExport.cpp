#include "export/TabExport.h"

#include <algorithm>
#include <string>
#include <utility>

#include <type_traits> // wx/weakref.h needs it and does not include it

#include <wx/cmndata.h>
#include <wx/intl.h>
#include <wx/printdlg.h>
#include <wx/toplevel.h>
#include <wx/weakref.h>

#include "board/Tickerdeck.h"
#include "contract/CommandIds.h"
#include "export/ExportJob.h"
#include "export/ExportNotice.h"
#include "export/ExportProgress.h"
#include "export/GridPreview.h"
#include "export/TabSnapshot.h"

namespace {

wxString FailureMessage(const ExportOutcome& outcome)
{
    return wxString::Format(_("Cannot write to %s: %s"), wxString::FromUTF8(outcome.folder),
                            wxString::FromUTF8(outcome.reason));
}

/// Opens the written workbook and tells the user where it is.
void Finish(const ExportOutcome& outcome, wxWindow* parent)
{
    ExportDesktop& desktop = TheExportDesktop();
    if (outcome.cancelled)
        return; // the user asked for it and saw the window go
    if (!outcome.written)
    {
        desktop.notify(parent, ExportNoticeKind::Failed, FailureMessage(outcome));
        return;
    }
    const wxString path = wxString::FromUTF8(outcome.path);
    switch (desktop.open(outcome.path))
    {
    case desktop::OpenResult::Opened:
        desktop.notify(parent, ExportNoticeKind::Opened, wxString::Format(_("Saved to %s"), path));
        break;
    case desktop::OpenResult::NoApplication:
        desktop.notify(parent, ExportNoticeKind::NotOpened,
                       wxString::Format(_("Saved to %s\nNo application is registered to open .xlsx files, so "
                                          "the workbook was not opened."),
                                        path));
        break;
    case desktop::OpenResult::Failed:
        desktop.notify(parent, ExportNoticeKind::NotOpened,
                       wxString::Format(_("Saved to %s\nThe application registered for .xlsx files did not "
                                          "start."),
                                        path));
        break;
    }
}

}  // namespace

TabExport::TabExport()
    : m_pageSetup(
          [](wxWindow* parent, wxPageSetupDialogData& data)
          {
              wxPageSetupDialog dialog(parent, &data);
              if (dialog.ShowModal() != wxID_OK)
                  return false;
              data = dialog.GetPageSetupDialogData();
              return true;
          })
{
}

// A board that goes takes its exports with it, as their Cancel would: at a
// quit nothing may be left to tell a window that is gone.
TabExport::~TabExport()
{
    CancelExports();
}

void TabExport::CancelExports()
{
    for (const auto& job : RunningExports())
        job->Cancel();
    for (Running& running : m_jobs)
        if (ExportProgress* shown = running.progress.get())
            shown->Finish();
}

std::vector<std::shared_ptr<ExportJob>> TabExport::RunningExports() const
{
    std::vector<std::shared_ptr<ExportJob>> running;
    for (const Running& known : m_jobs)
        if (auto job = known.job.lock(); job && !job->IsFinished())
            running.push_back(std::move(job));
    return running;
}

std::vector<int> TabExport::Commands() const
{
    return {cmd::ExportExcel, cmd::PrintPreview, cmd::PageSetup};
}

void TabExport::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::ExportExcel)
        ExportCurrentTab(board);
    else if (event.GetId() == cmd::PrintPreview)
        PreviewCurrentTab(board);
    else if (event.GetId() == cmd::PageSetup)
        SetUpPage(board);
}

void TabExport::ExportCurrentTab(Tickerdeck& board)
{
    std::optional<sheet::TabSnapshot> snapshot = SnapshotCurrentTab(board);
    if (!snapshot)
        return;
    const std::string fileName = ExportFileName(snapshot->tabText, wxDateTime::Now());
    const std::string folder = TheExportDesktop().documentsFolder();
    const wxString tabText = wxString::FromUTF8(snapshot->tabText);
    // Made, read and dropped on the GUI thread only; the worker never sees it.
    auto progress = std::make_shared<wxWeakRef<ExportProgress>>();
    auto done = [progress](wxWindow& window, const ExportOutcome& outcome)
    {
        if (ExportProgress* shown = progress->get())
            shown->Finish();
        Finish(outcome, static_cast<Tickerdeck&>(window).GetOwnerFrame());
    };
    try
    {
        std::shared_ptr<ExportJob> job = StartExport(board, std::move(*snapshot), folder, fileName, done);
        m_jobs.erase(std::remove_if(m_jobs.begin(), m_jobs.end(),
                                    [](const Running& known) { return known.job.expired(); }),
                     m_jobs.end());
        *progress = new ExportProgress(board.GetOwner(), wxGetTopLevelParent(&board), tabText, job);
        m_jobs.push_back({job, *progress});
    }
    catch (const std::exception& error)   // no thread could be started
    {
        ExportOutcome failed;
        failed.folder = folder;
        failed.reason = error.what();
        Finish(failed, board.GetOwnerFrame());
    }
}

wxPreviewFrame* TabExport::PreviewCurrentTab(Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return nullptr;
    return ShowGridPreview(grid, TabTextOf(board, grid), board.GetOwnerFrame(),
                           PrintDataOf(board.Settings()));
}

void TabExport::SetUpPage(Tickerdeck& board)
{
    wxPageSetupDialogData data(PrintDataOf(board.Settings()));
    if (m_pageSetup && m_pageSetup(wxGetTopLevelParent(&board), data))
        KeepPrintData(data.GetPrintData(), board.Settings());
}
