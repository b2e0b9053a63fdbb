#include "export/TabExport.h"

#include <string>
#include <utility>

#include <wx/intl.h>

#include "board/Tickerdeck.h"
#include "contract/CommandIds.h"
#include "export/ExportJob.h"
#include "export/ExportNotice.h"
#include "export/GridPreview.h"
#include "export/TabSnapshot.h"

namespace {

wxString FailureMessage(const std::string& reason)
{
    return _("Failed to create Excel") + "\n" + wxString::FromUTF8(reason);
}

/// Opens the written workbook and tells the user where it is.
void Finish(const ExportOutcome& outcome, wxWindow* parent)
{
    ExportDesktop& desktop = TheExportDesktop();
    if (!outcome.written)
    {
        desktop.notify(parent, ExportNoticeKind::Failed, FailureMessage(outcome.reason));
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

TabExport::TabExport() = default;

TabExport::~TabExport()
{
    *m_alive = false;
}

std::vector<int> TabExport::Commands() const
{
    return {cmd::ExportExcel, cmd::PrintPreview};
}

void TabExport::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::ExportExcel)
        ExportCurrentTab(board);
    else if (event.GetId() == cmd::PrintPreview)
        PreviewCurrentTab(board);
}

void TabExport::ExportCurrentTab(Tickerdeck& board)
{
    std::optional<sheet::TabSnapshot> snapshot = SnapshotCurrentTab(board);
    if (!snapshot)
        return;
    const std::string fileName = ExportFileName(snapshot->tabText, wxDateTime::Now());
    const std::string folder = TheExportDesktop().documentsFolder();
    std::weak_ptr<bool> alive = m_alive;
    Tickerdeck* boardPointer = &board;
    auto done = [alive, boardPointer](const ExportOutcome& outcome) {
        const auto live = alive.lock();
        Finish(outcome, live && *live ? boardPointer->GetOwnerFrame() : nullptr);
    };
    try
    {
        StartExport(std::move(*snapshot), folder, fileName, done);
    }
    catch (const std::exception& error)   // no thread could be started
    {
        Finish(ExportOutcome{false, {}, error.what()}, board.GetOwnerFrame());
    }
}

wxPreviewFrame* TabExport::PreviewCurrentTab(Tickerdeck& board)
{
    wxGridEx* grid = board.GetCurrentGrid();
    if (!grid)
        return nullptr;
    return ShowGridPreview(grid, TabTextOf(board, grid), board.GetOwnerFrame());
}
