// Column fitting on command and on resize, and the history tool's look.

#include <numeric>

#include <wx/toolbar.h>

#include "BoardFixture.h"
#include "board/ColumnSpec.h"
#include "plugin/CommandIds.h"

namespace {

using testing_support::BoardFixture;
using testing_support::Flush;

void Post(wxWindow* window, int id, const wxString& text = wxString())
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetString(text);
    wxPostEvent(window, event);
    Flush();
}

int VisibleWidth(const wxGrid* grid)
{
    int total = 0;
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        total += grid->GetColSize(col);
    return total;
}

bool SamePixels(const wxBitmap& a, const wxBitmap& b)
{
    const wxImage left = a.ConvertToImage();
    const wxImage right = b.ConvertToImage();
    if (left.GetSize() != right.GetSize())
        return false;
    const size_t bytes = static_cast<size_t>(left.GetWidth()) * left.GetHeight() * 3;
    return std::equal(left.GetData(), left.GetData() + bytes, right.GetData());
}

class BoardColumns : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        frame->SetSize(wxSize(2400, 500));  // wider than all columns together
        board = CreateBoard();
        board->Settings().autoFitColumns = false;
        grid = AddTab(board, {host.AddInstrument("AAA")}, "One");
        frame->SendSizeEvent();
        Flush();
    }

    int GridWidth() const { return grid->GetGridWindow()->GetClientSize().GetWidth(); }

    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
};

TEST_F(BoardColumns, FittingStretchesShownColumnsAndKeepsHiddenOnes)
{
    grid->HideCol(column::Status);
    grid->HideCol(column::Flag);
    ASSERT_LT(VisibleWidth(grid), GridWidth());

    Post(board, cmd::FitAllColumns);

    EXPECT_EQ(0, grid->GetColSize(column::Status));
    EXPECT_EQ(0, grid->GetColSize(column::Flag));
    const int width = GridWidth();
    EXPECT_LE(VisibleWidth(grid), width);
    EXPECT_GE(VisibleWidth(grid), width - grid->GetNumberCols()) << "only rounding is lost";
}

TEST_F(BoardColumns, FitToolAndAutoFitToggle)
{
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        grid->SetColSize(col, 10);
    Post(board, cmd::FitColumns);
    EXPECT_GT(VisibleWidth(grid), GridWidth() - grid->GetNumberCols());
    EXPECT_FALSE(board->Settings().autoFitColumns) << "the fit tool does not change the setting";

    for (int col = 0; col < grid->GetNumberCols(); ++col)
        grid->SetColSize(col, 10);
    Post(board, cmd::ToggleAutoFit);
    EXPECT_TRUE(board->Settings().autoFitColumns);
    EXPECT_GT(VisibleWidth(grid), GridWidth() - grid->GetNumberCols());

    Post(board, cmd::ToggleAutoFit);
    EXPECT_FALSE(board->Settings().autoFitColumns);
}

TEST_F(BoardColumns, ResizingRefitsOnlyWithAutoFit)
{
    const int before = VisibleWidth(grid);
    frame->SetSize(wxSize(2000, 500));
    Flush();
    EXPECT_EQ(before, VisibleWidth(grid)) << "no fitting while auto fit is off";

    board->Settings().autoFitColumns = true;
    frame->SetSize(wxSize(2600, 500));
    Flush();
    EXPECT_GT(VisibleWidth(grid), before);
    EXPECT_GE(VisibleWidth(grid), GridWidth() - grid->GetNumberCols());
}

TEST_F(BoardColumns, ScrollCommandReturnsEveryGridToTheTopLeft)
{
    std::vector<Instrument*> many;
    for (int i = 0; i < 60; ++i)
        many.push_back(host.AddInstrument(wxString::Format("I%02d", i).ToStdString()));
    wxGridEx* tall = AddTab(board, many, "Tall");
    frame->SetSize(wxSize(600, 300));
    Flush();
    tall->Scroll(40, 400);
    grid->Scroll(40, 0);
    ASSERT_NE(wxPoint(0, 0), tall->GetViewStart());

    Post(board, cmd::ScrollToTop);
    EXPECT_EQ(wxPoint(0, 0), tall->GetViewStart());
    EXPECT_EQ(wxPoint(0, 0), grid->GetViewStart());
}

TEST_F(BoardColumns, HistoryToolTurnsRedForAPastDay)
{
    auto tool = [this] { return board->GetToolbar()->FindById(cmd::OpenAnotherWindow)->GetNormalBitmap(); };
    const wxBitmap plain = LoadIconBitmap("./icon/history.png");
    const wxBitmap red = LoadIconBitmap("./icon/history_red.png");
    ASSERT_FALSE(SamePixels(plain, red)) << "the two icons must differ for this test";

    Post(board, cmd::HistoryDate, "20240105");
    EXPECT_TRUE(SamePixels(red, tool()));
    Post(board, cmd::HistoryDate, wxDateTime::Today().Format("%Y%m%d"));
    EXPECT_TRUE(SamePixels(plain, tool()));
}

}  // namespace
