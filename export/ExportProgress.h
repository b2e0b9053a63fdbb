#pragma once
// The window that shows a long export's progress and lets the user stop it.

#include <chrono>
#include <memory>

#include <wx/timer.h>

#include "kit/ThemedDialog.h"

class ExportJob;
class wxGauge;
class wxStaticText;

/// Appears once an export has run for a moment, shows the rows written and
/// cancels the export when closed by Cancel; the board stays usable meanwhile.
class ExportProgress : public ThemedDialog
{
public:
    ExportProgress(BoardOwner* owner, wxWindow* parent, const wxString& tabText,
                   std::shared_ptr<ExportJob> job);
    ~ExportProgress() override;

    /// Closes the window without cancelling: the export has ended.
    void Finish();
    /// Brings the gauge up to the job's progress, showing the window once
    /// the export has taken longer than a glance.
    void Update();

    wxGauge* GetGauge() const { return m_gauge; }

private:
    void OnTimer(wxTimerEvent& event);

    std::shared_ptr<ExportJob> m_job;
    wxGauge* m_gauge = nullptr;
    wxStaticText* m_label = nullptr;
    wxTimer m_timer;
    std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
};
