// The margin the grid paints past the last cell, the scrollable area that
// follows its row count, and header clicks that sort.

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

class GridExTest : public testing_support::FrameTest
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "grid", wxDefaultPosition, wxSize(600, 400));
        panel = new wxPanel(frame);
        frame->Show();
        testing_support::Flush();
    }


    wxPanel* panel = nullptr;
};

TEST_F(GridExTest, MarginCoversTheClientAreaPastTheCells)
{
    auto* grid = new wxGridEx(panel, wxID_ANY, wxPoint(0, 0), wxSize(500, 350));
    grid->GetSplitter()->SetSize(0, 0, 500, 350);
    grid->CreateGrid(2, 2);
    grid->SetColSize(0, 60);
    grid->SetColSize(1, 70);
    grid->SetDefaultRowSize(20, true);
    testing_support::Flush();

    const wxSize client = grid->GetGridWindow()->GetClientSize();
    ASSERT_GT(client.x, 130);
    ASSERT_GT(client.y, 40);
    const wxRegion margin = grid->GetMarginRegion();

    EXPECT_EQ(margin.Contains(wxPoint(10, 10)), wxOutRegion);    // a cell
    EXPECT_EQ(margin.Contains(wxPoint(130, 5)), wxInRegion);     // right of the columns
    EXPECT_EQ(margin.Contains(wxPoint(10, 40)), wxInRegion);     // below the rows

    // Rows appended shrink the margin below.
    grid->AppendRows(3);
    EXPECT_EQ(grid->GetMarginRegion().Contains(wxPoint(10, 90)), wxOutRegion);
    EXPECT_EQ(grid->GetMarginRegion().Contains(wxPoint(10, 100)), wxInRegion);

    grid->DeleteRows(0, 5);
    grid->DeleteCols(0, 2);
    EXPECT_EQ(grid->GetMarginRegion().GetBox(), wxRect(wxPoint(0, 0), client)) << "an empty grid is all margin";
}

/// Rows the test sets without telling the grid, as the quote tables do.
class CountedTable : public wxGridTableBase
{
public:
    int rows = 100;
    int GetNumberRows() override { return rows; }
    int GetNumberCols() override { return 2; }
    wxString GetValue(int, int) override { return {}; }
    void SetValue(int, int, const wxString&) override {}
};

TEST_F(GridExTest, RowCountChangesResizeTheScrollableAreaOnceTheyPause)
{
    auto* grid = new wxGridEx(panel, wxID_ANY, wxPoint(0, 0), wxSize(400, 300));
    auto* table = new CountedTable;
    grid->SetTable(table, true);
    grid->SetDefaultRowSize(20, true);
    testing_support::Flush();
    const auto scrollHeight = [grid] { return grid->GetGridWindow()->GetVirtualSize().y; };
    const auto change = [grid, table](int by) {
        table->rows += by;
        wxGridTableMessage message(table, by > 0 ? wxGRIDTABLE_NOTIFY_ROWS_APPENDED : wxGRIDTABLE_NOTIFY_ROWS_DELETED,
                                   by > 0 ? by : 0, by > 0 ? 0 : -by);
        grid->ProcessRowCountMessage(message);
    };
    const int before = scrollHeight();

    change(10);
    change(-30);
    EXPECT_EQ(80, grid->GetNumberRows()) << "the rows count at once";
    EXPECT_EQ(before, scrollHeight()) << "the scroll bars wait for the changes to pause";
    ASSERT_TRUE(testing_support::PumpUntil([grid] { return !grid->IsRowCountSettling(); }));
    EXPECT_EQ(before - 20 * 20, scrollHeight());

    change(5);
    grid->SettleRowCount();
    EXPECT_FALSE(grid->IsRowCountSettling());
    EXPECT_EQ(before - 15 * 20, scrollHeight());
}

// A plain click on a column header must ask for a sort even when columns can
// be dragged; only a real drag moves the column instead.
TEST_F(GridExTest, ClickInsideAHeaderSortsThatColumnOnceAndADragMovesItWithoutSorting)
{
    auto* grid = new wxGridEx(panel, wxID_ANY, wxPoint(0, 0), wxSize(580, 280));
    grid->CreateGrid(5, 4);
    grid->EnableDragColMove(true);
    grid->EnableDragColSize(true);
    grid->HideRowLabels();
    for (int col = 0; col < 4; ++col)
        grid->SetColSize(col, 100);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid->GetSplitter(), 1, wxEXPAND);
    panel->SetSizer(sizer);
    panel->Layout();
    std::vector<int> sorted;
    // Handled and not vetoed: the grid then records the sort column.
    grid->Bind(wxEVT_GRID_COL_SORT, [&sorted](wxGridEvent& event) { sorted.push_back(event.GetCol()); });
    testing_support::Flush();
    const auto mouse = [grid](wxEventType type, int x) {
        const wxPoint at(x, grid->GetColLabelSize() / 2);
        testing_support::SendMouse(grid->GetGridColLabelWindow(), type, at, type != wxEVT_LEFT_UP);
    };

    mouse(wxEVT_LEFT_DOWN, 150);
    mouse(wxEVT_LEFT_UP, 150);
    testing_support::Flush();
    EXPECT_EQ(std::vector<int>{1}, sorted);
    EXPECT_EQ(1, grid->GetSortingColumn());

    // Only a real drag moves the column instead.
    mouse(wxEVT_LEFT_DOWN, 150);
    for (int x = 160; x <= 330; x += 10)
        mouse(wxEVT_MOTION, x);
    mouse(wxEVT_LEFT_UP, 330);
    testing_support::Flush();
    EXPECT_EQ(std::vector<int>{1}, sorted);
    EXPECT_NE(1, grid->GetColAt(1));
}

}  // namespace
