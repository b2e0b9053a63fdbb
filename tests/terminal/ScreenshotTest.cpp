// Screenshots of the terminal's windows under the test display.

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>

#include "Screenshot.h"
#include "support/EventLoop.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;

TEST(Screenshot, NumberedPathsSitBesideTheMainOne)
{
    EXPECT_EQ(NumberedScreenshotPath("/tmp/shot.png", 0), "/tmp/shot.png");
    EXPECT_EQ(NumberedScreenshotPath("/tmp/shot.png", 1), "/tmp/shot-1.png");
    EXPECT_EQ(NumberedScreenshotPath("/tmp/shot.png", 12), "/tmp/shot-12.png");
    EXPECT_EQ(NumberedScreenshotPath("/tmp/shot", 2), "/tmp/shot-2.png");
}

/// A shown frame filled with one colour.
wxFrame* ColouredFrame(const wxColour& colour, const wxPoint& where)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "shot", where, wxSize(200, 120));
    auto* panel = new wxPanel(frame);
    panel->SetBackgroundColour(colour);
    frame->Show();
    return frame;
}

TEST(Screenshot, CapturesWhatTheWindowsShow)
{
    TempFolder folder;
    wxFrame* main = ColouredFrame(wxColour(200, 30, 30), wxPoint(20, 20));
    wxFrame* other = ColouredFrame(wxColour(30, 30, 200), wxPoint(400, 300));
    testing_support::PumpUntil([&] { return main->IsShownOnScreen() && other->IsShownOnScreen(); });
    testing_support::Flush(10);
    wxMilliSleep(200);
    testing_support::Flush(5);

    const wxString path = wxString::FromUTF8(folder / "shot.png");
    const std::vector<wxString> written = CaptureTopLevelWindows(main, path);
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(written[0], path);
    EXPECT_EQ(written[1], NumberedScreenshotPath(path, 1));

    wxImage first(written[0], wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(first.IsOk());
    EXPECT_EQ(first.GetSize(), main->GetSize());
    const int x = first.GetWidth() / 2;
    const int y = first.GetHeight() / 2;
    EXPECT_EQ(wxColour(first.GetRed(x, y), first.GetGreen(x, y), first.GetBlue(x, y)), wxColour(200, 30, 30));

    wxImage second(written[1], wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(second.IsOk());
    EXPECT_GT(second.GetBlue(second.GetWidth() / 2, second.GetHeight() / 2), 150);

    delete main;
    delete other;
    EXPECT_FALSE(CaptureWindow(nullptr, path));
}

}  // namespace
