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

#include "board/SlicedSteps.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
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

/// A long tab's export while its rows are copied: the quotes in the order
/// shown at the command, and where the copy has got to.
struct TabExport::Taking
{
    Tickerdeck* board;
    wxGridEx* grid;
    wxString tabText;
    std::string folder;
    std::string fileName;
    std::vector<Price*> rows;
    sheet::TabSnapshot snapshot;
    std::shared_ptr<ExportJob> job;
    ProgressRef progress;
    std::unique_ptr<SlicedSteps> steps;
    std::size_t next = 0;
    bool over = false;
};

TabExport::TabExport()
    : m_rowsAtOnce(SlicedSteps::kRowsAtOnce),
      m_pageSetup(
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

void TabExport::SetTakingBounds(std::size_t rowsAtOnce, std::size_t sliceRows)
{
    m_rowsAtOnce = rowsAtOnce;
    m_sliceRows = std::max<std::size_t>(sliceRows, 1);
}

void TabExport::ExportCurrentTab(Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return;
    // Ended copies go here, never from their own timer's event.
    m_takings.erase(std::remove_if(m_takings.begin(), m_takings.end(),
                                   [](const std::unique_ptr<Taking>& taking) { return taking->over; }),
                    m_takings.end());
    const wxString tabText = TabTextOf(board, grid);
    const std::string fileName = ExportFileName(std::string(tabText.utf8_str()), wxDateTime::Now());
    const std::string folder = TheExportDesktop().documentsFolder();
    const std::vector<Price*>& rows = Tickerdeck::TableOf(grid)->Rows();
    sheet::TabSnapshot snapshot = SnapshotFrame(grid, tabText, rows.size());
    if (rows.size() <= m_rowsAtOnce)
    {
        AddSnapshotRows(grid, rows, 0, rows.size(), false, snapshot);
        Launch(board, std::move(snapshot), folder, fileName, nullptr, nullptr);
        return;
    }
    auto job = std::make_shared<ExportJob>(rows.size(), rows.size());
    auto progress = std::make_shared<wxWeakRef<ExportProgress>>();
    Track(board, tabText, job, *progress);
    m_takings.push_back(std::unique_ptr<Taking>(
        new Taking{&board, grid, tabText, folder, fileName, rows, std::move(snapshot), job, progress, nullptr}));
    Taking& taking = *m_takings.back();
    taking.steps = std::make_unique<SlicedSteps>([this, &taking] { TakeSlice(taking); }, m_sliceRows,
                                                 kRowsPerClockRead);
    TakeSlice(taking);
}

void TabExport::TakeSlice(Taking& taking)
{
    if (taking.over)
        return;
    const std::vector<wxGridEx*>& grids = taking.board->Tabs().Grids();
    const bool tabGone = std::find(grids.begin(), grids.end(), taking.grid) == grids.end();
    if (taking.job->IsCancelled() || tabGone)
    {
        taking.over = true;
        taking.job->Cancel();
        taking.job->NoteFinished();
        if (ExportProgress* shown = taking.progress->get(); shown && !shown->IsClosing())
            shown->Finish();
        if (tabGone)   // its quotes may be gone with it
        {
            TheExportDesktop().notify(
                taking.board->GetOwnerFrame(), ExportNoticeKind::Failed,
                wxString::Format(_("The export of %s stopped: the tab was closed before its rows were copied."),
                                 taking.tabText));
        }
        taking.rows = {};
        taking.snapshot = {};
        return;
    }
    // The first slice is taken at the command itself: every row is still there.
    const bool rowsMayBeGone = taking.next > 0;
    taking.next = taking.steps->Slice(taking.next, taking.rows.size(),
                                      [&taking, rowsMayBeGone](std::size_t begin, std::size_t end) {
                                          AddSnapshotRows(taking.grid, taking.rows, begin, end, rowsMayBeGone,
                                                          taking.snapshot);
                                      });
    taking.job->NoteTaken(taking.next);
    if (taking.next < taking.rows.size())
    {
        taking.steps->Again();
        return;
    }
    taking.over = true;
    taking.rows = {};
    Launch(*taking.board, std::move(taking.snapshot), taking.folder, taking.fileName, std::move(taking.job),
           std::move(taking.progress));
}

void TabExport::Track(Tickerdeck& board, const wxString& tabText, const std::shared_ptr<ExportJob>& job,
                      wxWeakRef<ExportProgress>& window)
{
    m_jobs.erase(std::remove_if(m_jobs.begin(), m_jobs.end(),
                                [](const Running& known) { return known.job.expired(); }),
                 m_jobs.end());
    window = new ExportProgress(board.GetOwner(), wxGetTopLevelParent(&board), tabText, job);
    m_jobs.push_back({job, window});
}

void TabExport::Launch(Tickerdeck& board, sheet::TabSnapshot snapshot, const std::string& folder,
                       const std::string& fileName, std::shared_ptr<ExportJob> job, ProgressRef progress)
{
    const wxString tabText = wxString::FromUTF8(snapshot.tabText);
    // Made, read and dropped on the GUI thread only; the worker never sees it.
    auto shown = progress ? progress : std::make_shared<wxWeakRef<ExportProgress>>();
    auto done = [shown](wxWindow& window, const ExportOutcome& outcome)
    {
        if (ExportProgress* progressWindow = shown->get())
            progressWindow->Finish();
        Finish(outcome, static_cast<Tickerdeck&>(window).GetOwnerFrame());
    };
    try
    {
        std::shared_ptr<ExportJob> started = StartExport(board, std::move(snapshot), folder, fileName, done, job);
        if (!progress)
            Track(board, tabText, started, *shown);
    }
    catch (const std::exception& error)   // no thread could be started
    {
        if (ExportProgress* window = shown->get())
            window->Finish();
        if (job)
            job->NoteFinished();
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
