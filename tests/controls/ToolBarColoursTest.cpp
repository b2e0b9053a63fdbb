// A dark board needs a dark toolbar: GTK ignores the plain background colour,
// so check the pixels that actually reach the screen.

#include <gtest/gtest.h>

#include <wx/utils.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/toolbar.h>

#include "ToolBarColours.h"
#include "support/EventLoop.h"
#include "support/FrameTest.h"

namespace {

// Reads the pixel from the X server the way a person would see it; the
// toolkit's screen DC can miss what GTK composited.
wxColour ScreenPixel(wxWindow* window, const wxPoint& local)
{
    const wxPoint at = window->ClientToScreen(local);
    wxArrayString output;
    const wxString command = wxString::Format("import -silent -window root -crop 1x1+%d+%d txt:-", at.x, at.y);
    if (wxExecute(command, output, wxEXEC_SYNC | wxEXEC_NODISABLE) != 0 || output.size() < 2)
        return wxNullColour;
    const int hash = output[1].Find('#');
    return hash == wxNOT_FOUND ? wxNullColour : wxColour(output[1].Mid(hash, 7));
}

bool Near(const wxColour& a, const wxColour& b)
{
    return a.IsOk() && b.IsOk() && std::abs(a.Red() - b.Red()) < 12 && std::abs(a.Green() - b.Green()) < 12 &&
           std::abs(a.Blue() - b.Blue()) < 12;
}

class ToolBarColoursTest : public testing_support::FrameTest
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "toolbar", wxPoint(0, 0), wxSize(400, 120));
        auto* panel = new wxPanel(frame);
        toolbar = new wxToolBar(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER);
        toolbar->AddStretchableSpace();
        toolbar->AddTool(1, "", wxBitmap(16, 16));
        toolbar->Realize();
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(toolbar, 0, wxEXPAND);
        panel->SetSizer(sizer);
        frame->Show();
        frame->Raise();
    }
    wxColour EmptyAreaPixel() { return ScreenPixel(toolbar, wxPoint(20, toolbar->GetClientSize().y / 2)); }

    // GTK restyles on its frame clock; give it a running loop to get there.
    bool ShowsSoon(const wxColour& expected)
    {
        for (int attempt = 0; attempt < 10 && !Near(EmptyAreaPixel(), expected); ++attempt)
            testing_support::RunFor(100);
        return Near(EmptyAreaPixel(), expected);
    }

    wxToolBar* toolbar = nullptr;
};

TEST_F(ToolBarColoursTest, DarkAndThenLightBackgroundReachTheScreenAndAnInvalidColourChangesNothing)
{
    const wxColour dark("#1e2227");
    ApplyToolBarBackground(toolbar, dark);
    EXPECT_TRUE(ShowsSoon(dark)) << EmptyAreaPixel().GetAsString().ToStdString();

    // A theme switch must replace the earlier rule, not stack under it.
    const wxColour light("#e8eaed");
    ApplyToolBarBackground(toolbar, light);
    ApplyToolBarBackground(toolbar, wxNullColour);
    ApplyToolBarBackground(nullptr, dark);
    EXPECT_TRUE(ShowsSoon(light)) << EmptyAreaPixel().GetAsString().ToStdString();
}

}  // namespace
