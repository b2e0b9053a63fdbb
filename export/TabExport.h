#pragma once
// The board's "Export to Excel" and "Print Preview" commands.

#include <functional>
#include <memory>
#include <vector>

#include <type_traits> // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "export/ExportProgress.h"

class ExportJob;
class wxPageSetupDialogData;
class wxPreviewFrame;
class wxWindow;

/// Takes the current tab out of the program: into a workbook written on a
/// worker thread from a copy of the tab, or into a print preview frame.
class TabExport : public BoardFeature
{
public:
    TabExport();
    ~TabExport() override;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    /// Copies the current tab and starts writing it; the outcome arrives
    /// later on the GUI thread while the board lives. A board that goes
    /// cancels its exports.
    void ExportCurrentTab(Tickerdeck& board);
    /// The preview frame of the current tab, or null (the user was told why).
    wxPreviewFrame* PreviewCurrentTab(Tickerdeck& board);
    /// Asks for the paper and its orientation; the board keeps them, and
    /// its layout with it.
    void SetUpPage(Tickerdeck& board);

    /// Shows the page setup and says whether the user confirmed it; tests
    /// answer without the toolkit's modal dialog.
    using PageSetupRunner = std::function<bool(wxWindow* parent, wxPageSetupDialogData& data)>;
    void SetPageSetupRunner(PageSetupRunner runner) { m_pageSetup = std::move(runner); }

    /// Stops every export of this board that is still writing and closes
    /// its progress window; each removes its unfinished file and ends
    /// without a notice.
    void CancelExports();
    /// The exports of this board still writing.
    std::vector<std::shared_ptr<ExportJob>> RunningExports() const;

private:
    struct Running
    {
        std::weak_ptr<ExportJob> job;
        wxWeakRef<ExportProgress> progress;
    };
    std::vector<Running> m_jobs;
    PageSetupRunner m_pageSetup;
};
