// A plain click on a column header must ask for a sort even when columns can
// be dragged; only a real drag moves the column instead.

#include <gtest/gtest.h>

#include <vector>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "support/EventLoop.h"
#include "support/FrameTest.h"
#include "support/UserInput.h"
#include "wxGridEx.h"

namespace {

class GridExSortClickTest : public testing_support::FrameTest
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "sort", wxPoint(0, 0), wxSize(600, 300));
        auto* panel = new wxPanel(frame);
        grid = new wxGridEx(panel, wxID_ANY, wxPoint(0, 0), wxSize(580, 280));
        grid->CreateGrid(5, 4);
        grid->EnableDragColMove(true);
        grid->EnableDragColSize(true);
        grid->HideRowLabels();
        for (int col = 0; col < 4; ++col)
            grid->SetColSize(col, 100);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(grid->GetSplitter(), 1, wxEXPAND);
        panel->SetSizer(sizer);
        frame->Show();
        frame->Layout();
        grid->Bind(wxEVT_GRID_COL_SORT, [this](wxGridEvent& event) {
            // Handled and not vetoed: the grid then records the sort column.
            sorted.push_back(event.GetCol());
        });
        testing_support::Flush();
    }

    void Mouse(wxEventType type, int x)
    {
        const wxPoint at(x, grid->GetColLabelSize() / 2);
        testing_support::SendMouse(grid->GetGridColLabelWindow(), type, at, type != wxEVT_LEFT_UP);
    }

    wxGridEx* grid = nullptr;
    std::vector<int> sorted;
};

TEST_F(GridExSortClickTest, ClickInsideAHeaderSortsThatColumnOnceAndADragMovesItWithoutSorting)
{
    Mouse(wxEVT_LEFT_DOWN, 150);
    Mouse(wxEVT_LEFT_UP, 150);
    testing_support::Flush();
    ASSERT_EQ(1u, sorted.size());
    EXPECT_EQ(1, sorted[0]);
    EXPECT_EQ(1, grid->GetSortingColumn());

    // Only a real drag moves the column instead.
    Mouse(wxEVT_LEFT_DOWN, 150);
    for (int x = 160; x <= 330; x += 10)
        Mouse(wxEVT_MOTION, x);
    Mouse(wxEVT_LEFT_UP, 330);
    testing_support::Flush();
    EXPECT_EQ(1u, sorted.size());
    EXPECT_NE(1, grid->GetColAt(1));
}

}  // namespace
