// Sizing of the self-painted label and separator line.

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/toolbar.h>

#include "support/EventLoop.h"
#include "wxFlatNotebook.h"
#include "wxStaticLineEx.h"
#include "wxStaticTextEx.h"

namespace {

class StaticControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "static", wxDefaultPosition, wxSize(500, 300));
        panel = new wxPanel(frame);
        frame->Show();
        testing_support::Flush();
    }
    void TearDown() override
    {
        frame->Destroy();
        testing_support::Flush();
    }
    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
};

TEST_F(StaticControlsTest, LabelGrowsWithItsTextAndFont)
{
    auto* label = new wxStaticTextEx(panel, wxID_ANY, "Ticker");
    const wxSize small = label->GetSize();
    EXPECT_GT(small.x, 0);
    EXPECT_GT(small.y, 0);

    label->SetLabel("Ticker Deck with a longer title");
    EXPECT_GT(label->GetSize().x, small.x);
    EXPECT_EQ(label->GetLabel(), "Ticker Deck with a longer title");

    const wxSize before = label->GetSize();
    wxFont big = label->GetFont();
    big.SetPointSize(big.GetPointSize() * 2);
    label->SetFont(big);
    EXPECT_GT(label->GetSize().y, before.y);
    EXPECT_GT(label->GetSize().x, before.x);
}

TEST_F(StaticControlsTest, LabelWithFixedSizeKeepsIt)
{
    auto* label = new wxStaticTextEx(panel, wxID_ANY, "A", wxDefaultPosition, wxSize(120, 20),
                                     wxST_NO_AUTORESIZE);
    label->SetLabel("A label far wider than one hundred and twenty pixels surely");
    EXPECT_EQ(label->GetSize(), wxSize(120, 20));
}

TEST_F(StaticControlsTest, LabelTakesTheBackgroundOfItsParentUnlessItHasItsOwn)
{
    panel->SetBackgroundColour(wxColour(30, 34, 39));
    auto* label = new wxStaticTextEx(panel, wxID_ANY, "Title");
    EXPECT_EQ(label->GetEffectiveBackgroundColour(), wxColour(30, 34, 39));
    label->SetBackgroundColour(wxColour(45, 51, 59));
    EXPECT_EQ(label->GetEffectiveBackgroundColour(), wxColour(45, 51, 59));
    EXPECT_FALSE(label->AcceptsFocus());
}

TEST_F(StaticControlsTest, LabelCanLiveOnAToolBar)
{
    auto* toolbar = new wxToolBar(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER);
    toolbar->SetBackgroundColour(wxColour(30, 34, 39));
    auto* label = new wxStaticTextEx(toolbar, wxID_ANY, "Ticker Deck");
    label->SetForegroundColour(wxColour(230, 230, 230));
    ASSERT_NE(toolbar->AddControl(label), nullptr);
    ASSERT_TRUE(toolbar->Realize());
    testing_support::Flush();
    EXPECT_EQ(label->GetParent(), toolbar);
    EXPECT_EQ(label->GetEffectiveBackgroundColour(), wxColour(30, 34, 39));
    EXPECT_GE(toolbar->GetBestSize().y, label->GetSize().y);
}

TEST_F(StaticControlsTest, LinesAreThinAcrossAndStretchAlong)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* horizontal = new wxStaticLineEx(panel);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* vertical = new wxStaticLineEx(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL);
    auto* thick = new wxStaticLineEx(panel, wxID_ANY, wxDefaultPosition, wxSize(-1, 3));
    sizer->Add(horizontal, 0, wxEXPAND | wxALL, 5);
    row->Add(vertical, 0, wxEXPAND);
    sizer->Add(row, 1, wxEXPAND);
    sizer->Add(thick, 0, wxEXPAND);
    panel->SetSizer(sizer);
    panel->SetSize(400, 200);
    panel->Layout();

    EXPECT_FALSE(horizontal->IsVertical());
    EXPECT_TRUE(vertical->IsVertical());
    EXPECT_EQ(horizontal->GetSize().y, 1);
    EXPECT_EQ(horizontal->GetSize().x, 390);
    EXPECT_EQ(vertical->GetSize().x, 1);
    EXPECT_GT(vertical->GetSize().y, 100);
    EXPECT_EQ(thick->GetSize().y, 3);
    EXPECT_FALSE(horizontal->AcceptsFocus());
}

TEST_F(StaticControlsTest, NotebookAsksForRoomForItsLargestPage)
{
    // A dialog fits itself to this, so its pages must not be cut off.
    auto* notebook = new wxFlatNotebook(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                        wxFLATNB_FLAT_TABS | wxFLATNB_PAGE_BORDER);
    auto* general = new wxPanel(notebook, wxID_ANY, wxDefaultPosition, wxSize(480, 300));
    auto* controls = new wxPanel(notebook, wxID_ANY, wxDefaultPosition, wxSize(500, 280));
    general->SetMinSize(wxSize(480, 300));
    controls->SetMinSize(wxSize(500, 280));
    notebook->AddPage(general, "General", true);
    notebook->AddPage(controls, "Controls", true);

    const wxSize best = notebook->GetBestSize();
    const int strip = notebook->GetTabStrip()->GetSize().y > 0 ? notebook->GetTabStrip()->GetBestSize().y
                                                               : 0;
    EXPECT_GE(best.x, 500);
    EXPECT_GE(best.y, 300 + strip);
    EXPECT_GT(strip, 0);
}

}  // namespace
