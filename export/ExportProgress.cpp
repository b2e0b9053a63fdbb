#include "export/ExportProgress.h"

#include <algorithm>

#include <wx/gauge.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "contract/Theme.h"
#include "controls/wxButtonEx.h"
#include "export/ExportJob.h"

namespace
{

constexpr int kTickMs = 100;
// An export quicker than this ends without a window flashing up.
constexpr std::chrono::milliseconds kShowAfter(400);
constexpr int kGaugeRange = 1000;

} // namespace

ExportProgress::ExportProgress(BoardOwner* owner, wxWindow* parent, const wxString& tabText,
                               std::shared_ptr<ExportJob> job)
    : ThemedDialog(owner, parent, wxID_ANY, _("Export to Excel"), wxDefaultPosition, wxDefaultSize,
                   ParentLock::Untouched),
      m_job(std::move(job))
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    m_label = new wxStaticText(this, wxID_ANY, wxString::Format(_("Exporting %s..."), tabText));
    if (const Theme* theme = GetTheme())
        m_label->SetForegroundColour(theme->TextColour());
    m_gauge = new wxGauge(this, wxID_ANY, kGaugeRange, wxDefaultPosition, wxSize(320, -1));
    wxButtonEx* cancel = MakeButton(this, wxID_CANCEL, _("Cancel"));
    main->Add(m_label, 0, wxEXPAND | wxALL, 10);
    main->Add(m_gauge, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    main->Add(cancel, 0, wxALIGN_RIGHT | wxALL, 10);
    SetSizerAndFit(main);
    Centre();
    // Closed by Cancel, Escape or the close box: the export stops and
    // removes what it wrote.
    std::weak_ptr<ExportJob> watched = m_job;
    SetCloseHandler(
        [watched]
        {
            if (const auto running = watched.lock())
                running->Cancel();
        });
    m_timer.SetOwner(this);
    Bind(wxEVT_TIMER, &ExportProgress::OnTimer, this, m_timer.GetId());
    m_timer.Start(kTickMs);
}

ExportProgress::~ExportProgress()
{
    m_timer.Stop();
}

void ExportProgress::Finish()
{
    m_timer.Stop();
    SetCloseHandler(nullptr);
    Close(true);
}

void ExportProgress::Update()
{
    // Copying the tab, when it is done a slice at a time, counts as much as writing it.
    const std::size_t rows = m_job->RowCount() + m_job->RowsToTake();
    const std::size_t done = m_job->RowsWritten() + m_job->RowsTaken();
    m_gauge->SetValue(rows == 0 ? kGaugeRange : static_cast<int>(std::min(done, rows) * kGaugeRange / rows));
    if (!IsShown() && std::chrono::steady_clock::now() - m_started >= kShowAfter)
        Show();
}

void ExportProgress::OnTimer(wxTimerEvent& /*event*/)
{
    if (!IsClosing())
        Update();
}
