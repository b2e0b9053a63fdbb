#pragma once
// The board's "Export to Excel" and "Print Preview" commands.

#include <functional>
#include <memory>
#include <vector>

#include "board/BoardFeature.h"

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
    /// later on the GUI thread, whether the board still exists or not.
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

    /// Stops every export of this board that is still writing; each removes
    /// its unfinished file and ends without a notice.
    void CancelExports();
    /// The exports of this board still writing.
    std::vector<std::shared_ptr<ExportJob>> RunningExports() const;

private:
    std::vector<std::weak_ptr<ExportJob>> m_jobs;
    PageSetupRunner m_pageSetup;
    // Gone with the feature, which goes with its board: a late outcome
    // checks it before it touches the board.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
