// The grid printout: which rows and columns land on which page, drawn into
// a memory DC the way the preview draws it.

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/grid.h>

#include "controls/GridPageLayout.h"
#include "controls/wxGridPrintout.h"
#include "support/FrameTest.h"

namespace {

// US legal at 96 dots per inch: 816 by 1345 logical units, 726 by 1255 inside the margins.
constexpr int kPageWidthMM = 216;
constexpr int kPageHeightMM = 356;

class GridPrintout : public testing_support::FrameTest
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Printout");
        grid = new wxGrid(frame, wxID_ANY);
        grid->CreateGrid(0, 0);
    }

    void Shape(int rows, int columns, int columnWidth)
    {
        grid->AppendRows(rows);
        grid->AppendCols(columns);
        grid->SetDefaultRowSize(20, true);
        grid->SetColLabelSize(24);
        for (int col = 0; col < columns; ++col)
            grid->SetColSize(col, columnWidth);
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < columns; ++col)
                grid->SetCellValue(row, col, wxString::Format("r%dc%d", row, col));
    }

    /// Lays the printout out on a legal page drawn into `bitmap`.
    void Prepare(wxGridPrintout& printout)
    {
        dc.SelectObject(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        printout.SetPPIScreen(96, 96);
        printout.SetPPIPrinter(96, 96);
        printout.SetPageSizeMM(kPageWidthMM, kPageHeightMM);
        printout.SetPageSizePixels(bitmap.GetWidth(), bitmap.GetHeight());
        printout.SetDC(&dc);
        printout.OnPreparePrinting();
    }

    static std::vector<int> Range(int first, int last)
    {
        std::vector<int> values;
        for (int value = first; value <= last; ++value)
            values.push_back(value);
        return values;
    }

    wxGrid* grid = nullptr;
    wxBitmap bitmap{816, 1345};
    wxMemoryDC dc;
};

TEST_F(GridPrintout, AWideGridSplitsItsShownColumnsAcrossPagesInTheOrderShownIdentifyingColumnsStartingEach)
{
    Shape(3, 20, 100);
    wxGridPrintout repeating(grid, "Wide");
    repeating.SetRepeatedColumns({0, 1, 25}); // 25 is no column of this grid
    Prepare(repeating);
    // 526 left beside the two repeated columns: 5 others a page.
    ASSERT_EQ(4, repeating.PageCount());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6}), repeating.ColumnsOnPage(1));
    EXPECT_EQ((std::vector<int>{0, 1, 7, 8, 9, 10, 11}), repeating.ColumnsOnPage(2));
    EXPECT_EQ((std::vector<int>{0, 1, 17, 18, 19}), repeating.ColumnsOnPage(4));

    grid->HideCol(4);
    grid->SetColPos(19, 0);   // shown first
    wxGridPrintout printout(grid, "Wide");
    Prepare(printout);
    // 7 columns of 100 fit in 726: 19 shown columns make 3 bands across.
    ASSERT_EQ(3, printout.PageCount());
    EXPECT_EQ((std::vector<int>{19, 0, 1, 2, 3, 5, 6}), printout.ColumnsOnPage(1));
    EXPECT_EQ(Range(7, 13), printout.ColumnsOnPage(2));
    EXPECT_EQ(Range(14, 18), printout.ColumnsOnPage(3));
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(Range(0, 2), printout.RowsOnPage(page));
    EXPECT_FALSE(printout.HasPage(4));
}

TEST_F(GridPrintout, ALongGridSplitsItsRowsAcrossPages)
{
    Shape(130, 3, 100);
    wxGridPrintout printout(grid, "Long");
    Prepare(printout);

    // 1255 less the title (20), the labels (24) and the footer (20): 59 rows of 20.
    ASSERT_EQ(3, printout.PageCount());
    EXPECT_EQ(Range(0, 58), printout.RowsOnPage(1));
    EXPECT_EQ(Range(59, 117), printout.RowsOnPage(2));
    EXPECT_EQ(Range(118, 129), printout.RowsOnPage(3));

    EXPECT_TRUE(printout.OnPrintPage(3));
}

TEST(GridPageLayout, RowsAndColumnsThatExactlyFillThePageShareIt)
{
    const GridPageLayout layout({100, 100, 100}, {20, 20}, 200, 40);
    ASSERT_EQ(2, layout.PageCount());
    EXPECT_EQ(1, layout.ColumnsOfPage(1).last);
    EXPECT_EQ(1, layout.RowsOfPage(2).last);
}

TEST_F(GridPrintout, AGridDestroyedUnderAnOpenPrintoutLeavesBlankPages)
{
    Shape(5, 3, 100);
    wxGridPrintout printout(grid, "Gone");
    Prepare(printout);
    grid->Destroy();
    EXPECT_TRUE(printout.OnPrintPage(1));
    printout.OnPreparePrinting();
    EXPECT_EQ(1, printout.PageCount());
    EXPECT_TRUE(printout.RowsOnPage(1).empty());
}

}  // namespace
