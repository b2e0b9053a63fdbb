// The default chime player never opens a message box, neither for a missing
// file nor on a machine without a sound device.

#include <vector>

#include <gtest/gtest.h>
#include <wx/log.h>

#include "alert/AlertSound.h"
#include "support/EventLoop.h"

namespace {

class RecordingLog : public wxLog
{
public:
    std::vector<wxString> messages;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& text, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Warning)
            messages.push_back(text);
    }
};

TEST(AlertChime, PlaysWithoutBotheringTheUser)
{
    RecordingLog log;
    wxLog* previous = wxLog::SetActiveTarget(&log);
    alert_sound::PlayIfPresent(alert_sound::SoundPath());
    alert_sound::PlayIfPresent(alert_sound::SoundPathBeside("/no/such/folder/terminal"));
    testing_support::RunFor(300);  // asynchronous playing ends or fails meanwhile
    wxLog::FlushActive();
    wxLog::SetActiveTarget(previous);
    EXPECT_TRUE(log.messages.empty()) << log.messages.front();
}

}  // namespace
