#pragma once
// The board's "Export to Excel" and "Print Preview" commands.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <type_traits> // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "export/ExportProgress.h"
#include "model/TabSheet.h"

class ExportJob;
class SlicedSteps;
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
    /// cancels its exports. A long tab is copied a slice at a time, the
    /// window answering between slices, in the order it showed at the command.
    void ExportCurrentTab(Tickerdeck& board);
    /// Tabs up to `rowsAtOnce` long are copied at once, longer ones at most
    /// `sliceRows` at a time (tests lower both).
    void SetTakingBounds(std::size_t rowsAtOnce, std::size_t sliceRows);
    /// Most rows a slice copies, and how often it reads the clock.
    static constexpr std::size_t kSliceRows = 50000;
    static constexpr std::size_t kRowsPerClockRead = 256;
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
    struct Taking;
    using ProgressRef = std::shared_ptr<wxWeakRef<ExportProgress>>;

    /// Shows the progress of `job` in `window` and keeps it among this board's exports.
    void Track(Tickerdeck& board, const wxString& tabText, const std::shared_ptr<ExportJob>& job,
               wxWeakRef<ExportProgress>& window);
    /// Hands a whole copy to a worker, under `job` when it was copied in slices.
    void Launch(Tickerdeck& board, sheet::TabSnapshot snapshot, const std::string& folder,
                const std::string& fileName, std::shared_ptr<ExportJob> job, ProgressRef progress);
    void TakeSlice(Taking& taking);

    struct Running
    {
        std::weak_ptr<ExportJob> job;
        wxWeakRef<ExportProgress> progress;
    };
    std::vector<Running> m_jobs;
    // Copying a 100,000-row tab held the window for a tenth of a second.
    std::vector<std::unique_ptr<Taking>> m_takings;
    std::size_t m_rowsAtOnce;
    std::size_t m_sliceRows = kSliceRows;
    PageSetupRunner m_pageSetup;
};
