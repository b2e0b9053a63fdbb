// The grid's splitter ownership and the margin it paints past the last cell.

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/weakref.h>

#include "support/EventLoop.h"
#include "wxFlatNotebook.h"
#include "wxGridEx.h"

namespace {

class GridExTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "grid", wxDefaultPosition, wxSize(600, 400));
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

TEST_F(GridExTest, GridIsTheOnlyPaneOfItsOwnSplitter)
{
    auto* grid = new wxGridEx(panel, 42, wxPoint(0, 0), wxSize(400, 300), wxHSCROLL | wxVSCROLL);
    wxSplitterWindow* splitter = grid->GetSplitter();

    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->GetParent(), panel);
    EXPECT_EQ(grid->GetParent(), splitter);
    EXPECT_EQ(grid->GetId(), 42);
    EXPECT_EQ(splitter->GetWindow1(), grid);
    EXPECT_FALSE(splitter->IsSplit());
    ASSERT_FALSE(splitter->GetChildren().empty());
    EXPECT_EQ(splitter->GetChildren().GetFirst()->GetData(), grid);
    EXPECT_EQ(splitter->GetSize(), wxSize(400, 300));
}

TEST_F(GridExTest, BoardFindsTheGridAsFirstChildOfANotebookPage)
{
    auto* notebook = new wxFlatNotebook(panel, 7160);
    auto* grid = new wxGridEx(panel, wxID_ANY, wxPoint(0, 0), wxSize(400, 300));
    ASSERT_TRUE(notebook->AddPage(grid->GetSplitter(), "Tab", true));

    wxWindow* page = notebook->GetPage(0);
    ASSERT_FALSE(page->GetChildren().empty());
    EXPECT_EQ(wxDynamicCast(page->GetChildren().GetFirst()->GetData(), wxGridEx), grid);
}

TEST_F(GridExTest, RunTimeTypeTellsAGridExFromAPlainGrid)
{
    // The board recognises its grids among a page's children by this test.
    auto* plain = new wxGrid(panel, wxID_ANY);
    auto* extended = new wxGridEx(panel, wxID_ANY);
    EXPECT_FALSE(plain->IsKindOf(wxCLASSINFO(wxGridEx)));
    EXPECT_FALSE(extended->GetSplitter()->IsKindOf(wxCLASSINFO(wxGridEx)));
    EXPECT_TRUE(extended->IsKindOf(wxCLASSINFO(wxGridEx)));
    EXPECT_TRUE(extended->IsKindOf(wxCLASSINFO(wxGrid)));
    EXPECT_STREQ(wxString(extended->GetClassInfo()->GetClassName()).utf8_str(), "wxGridEx");
}

TEST_F(GridExTest, DestroyingTheSplitterDestroysTheGrid)
{
    auto* grid = new wxGridEx(panel, wxID_ANY);
    grid->CreateGrid(3, 3);
    wxWeakRef<wxGridEx> gridRef(grid);
    wxWeakRef<wxWindow> gridWindow(grid->GetGridWindow());

    delete grid->GetSplitter();
    EXPECT_FALSE(gridRef);
    EXPECT_FALSE(gridWindow);
}

TEST_F(GridExTest, DeletingTheNotebookPageDestroysTheGrid)
{
    auto* notebook = new wxFlatNotebook(panel, 7160);
    auto* grid = new wxGridEx(panel, wxID_ANY);
    notebook->AddPage(grid->GetSplitter(), "Tab");
    wxWeakRef<wxGridEx> gridRef(grid);

    ASSERT_TRUE(notebook->DeletePage(0));
    EXPECT_FALSE(gridRef);
}

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
    EXPECT_EQ(margin.Contains(wxPoint(129, 39)), wxOutRegion);   // last pixel of the last cell
    EXPECT_EQ(margin.Contains(wxPoint(130, 5)), wxInRegion);     // right of the columns
    EXPECT_EQ(margin.Contains(wxPoint(10, 40)), wxInRegion);     // below the rows
    EXPECT_EQ(margin.Contains(wxPoint(client.x - 1, client.y - 1)), wxInRegion);

    // Rows appended shrink the margin below.
    grid->AppendRows(3);
    EXPECT_EQ(grid->GetMarginRegion().Contains(wxPoint(10, 90)), wxOutRegion);
    EXPECT_EQ(grid->GetMarginRegion().Contains(wxPoint(10, 100)), wxInRegion);
}

TEST_F(GridExTest, AnEmptyGridIsAllMargin)
{
    auto* grid = new wxGridEx(panel, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
    grid->CreateGrid(0, 0);
    testing_support::Flush();
    const wxSize client = grid->GetGridWindow()->GetClientSize();
    const wxRect box = grid->GetMarginRegion().GetBox();
    EXPECT_EQ(box, wxRect(wxPoint(0, 0), client));
}

TEST_F(GridExTest, SurvivesRepaintsAndDestructionWithTheMarginPainterInstalled)
{
    auto* grid = new wxGridEx(panel, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
    grid->CreateGrid(4, 4);
    grid->SetMarginColour(*wxRED);
    grid->GetGridWindow()->Refresh();
    grid->GetGridWindow()->Update();
    testing_support::Flush();
    // The grid window's own handler must still be the next one after ours.
    EXPECT_EQ(grid->GetGridWindow()->GetEventHandler()->GetNextHandler(), grid->GetGridWindow());
    delete grid->GetSplitter();
    testing_support::Flush();
}

}  // namespace
