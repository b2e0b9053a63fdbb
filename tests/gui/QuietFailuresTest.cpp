// Icons and the chime fail quietly: a missing or damaged PNG or a missing
// sound never reaches the user as a toolkit message, and the blank icon
// stand-in keeps the size asked for.

#include <vector>

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/log.h>

#include "alert/AlertSound.h"
#include "kit/PngFile.h"
#include "support/EventLoop.h"
#include "support/TempFolder.h"

namespace {

using namespace testing_support;

/// Keeps what would otherwise go to the toolkit's message boxes while it is the log target.
class RecordingLog : public wxLog
{
public:
    RecordingLog() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~RecordingLog() override { wxLog::SetActiveTarget(m_previous); }

    std::vector<wxString> messages;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& text, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Warning)
            messages.push_back(text);
    }

private:
    wxLog* m_previous;
};

TEST(PngFile, ABrokenOrMissingIconLogsNothingAndKeepsItsSlot)
{
    const TempFolder folder("png-file");
    const std::string broken = (folder / "broken.png").string();
    WriteBytes(broken, std::string("\x89PNG\r\n\x1a\n", 8) + "no picture follows");
    const std::string good = (folder / "good.png").string();
    ASSERT_TRUE(wxImage(3, 5).SaveFile(good, wxBITMAP_TYPE_PNG));

    RecordingLog recorded;
    const wxBitmap blank = LoadPngOrBlank(broken, wxSize(20, 12));
    const wxBitmap damaged = LoadPng(broken);
    const wxBitmap missing = LoadPngOrBlank((folder / "missing.png").string());
    const wxBitmap loaded = LoadPngOrBlank(good);

    EXPECT_TRUE(recorded.messages.empty()) << recorded.messages.front();
    ASSERT_TRUE(blank.IsOk());
    EXPECT_EQ(wxSize(20, 12), blank.GetSize());
    const wxImage blankImage = blank.ConvertToImage();
    EXPECT_TRUE(blankImage.HasAlpha() && blankImage.GetAlpha(0, 0) == 0) << "the stand-in is transparent";
    EXPECT_FALSE(damaged.IsOk());
    EXPECT_TRUE(missing.IsOk());
    EXPECT_EQ(wxSize(3, 5), loaded.GetSize());
}

TEST(AlertChime, PlaysWithoutBotheringTheUser)
{
    RecordingLog recorded;
    alert_sound::PlayIfPresent(alert_sound::SoundPath());
    alert_sound::PlayIfPresent(alert_sound::SoundPathBeside("/no/such/folder/terminal"));
    RunFor(300);  // asynchronous playing ends or fails meanwhile
    wxLog::FlushActive();
    EXPECT_TRUE(recorded.messages.empty()) << recorded.messages.front();
}

}  // namespace
