// Fitting a tab's columns: a bounded measurement on huge tabs that still fits
// what is on screen, and columns refitted when their figures or a filter
// change what they must hold.

#include <numeric>

#include <wx/dcclient.h>

#include "filter/TabFilter.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

class FitColumns : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        frame->SetSize(wxSize(2400, 900));  // wider than all columns together
        board = CreateBoard();
        board->Settings().autoFitColumns = false;
    }

    /// `count` instruments with texts of varying length.
    std::vector<Instrument*> Instruments(int count)
    {
        std::vector<Instrument*> instruments;
        for (int i = 0; i < count; ++i)
        {
            Instrument* instrument = host.AddInstrument("C" + std::to_string(i));
            instrument->name = "Name " + std::string(static_cast<size_t>(i % 7), 'x');
            Price* price = host.PriceOf(instrument);
            price->prevClose = 10.0;
            price->last = 10.0 + (i % 13) * 7.25;
            price->cumVolume = 1000.0 * (i % 5 + 1);
            instruments.push_back(instrument);
        }
        return instruments;
    }

    wxGridEx* Tab(const std::vector<Instrument*>& instruments)
    {
        wxGridEx* grid = AddTab(board, instruments, "Tab");
        frame->SendSizeEvent();
        Flush();
        return grid;
    }

    static std::vector<int> Widths(const wxGrid* grid)
    {
        std::vector<int> widths;
        for (int col = 0; col < grid->GetNumberCols(); ++col)
            widths.push_back(grid->GetColSize(col));
        return widths;
    }

    static void ExpectStretchedToTheWindow(const wxGrid* grid)
    {
        const std::vector<int> widths = Widths(grid);
        const int total = std::accumulate(widths.begin(), widths.end(), 0);
        const int room = grid->GetGridWindow()->GetClientSize().GetWidth();
        EXPECT_LE(total, room);
        EXPECT_GE(total, room - grid->GetNumberCols()) << "only rounding is lost";
    }

    /// What the renderer asks for to show the cell in full, with the attribute the grid paints it with.
    static int BestWidth(wxGrid* grid, int row, int col)
    {
        struct Painted : wxGrid
        {
            static wxGridCellAttrPtr Attr(const wxGrid& grid, int row, int col)
            {
                const auto lookup = static_cast<wxGridCellAttr* (wxGrid::*)(int, int) const>(&Painted::GetCellAttr);
                return wxGridCellAttrPtr((grid.*lookup)(row, col));
            }
        };
        wxClientDC dc(grid->GetGridWindow());
        const wxGridCellAttrPtr attr = Painted::Attr(*grid, row, col);
        return attr->GetRendererPtr(grid, row, col)->GetBestWidth(*grid, *attr, dc, row, col, grid->GetRowSize(row));
    }
};

TEST_F(FitColumns, AFigureOutgrowingItsColumnWidensItWhereColumnsAreFittedElseItsToolTipGivesIt)
{
    const std::vector<Instrument*> instruments = Instruments(3);
    wxGridEx* grid = Tab(instruments);
    board->Settings().autoFitColumns = true;
    PostCommand(board, cmd::FitAllColumns);
    RunFor(100); // the resizes that fitting brings refit on their own
    const int fitted = grid->GetColSize(column::CumValue);
    const auto paint = [grid]
    {
        grid->GetGridWindow()->Refresh();
        grid->GetGridWindow()->Update();
        Flush();
    };

    host.PriceOf(instruments[0])->cumValue = 184887094123.60;
    ASSERT_GT(BestWidth(grid, 0, column::CumValue), fitted) << "the figure must outgrow its column";
    paint();
    EXPECT_GE(grid->GetColSize(column::CumValue), BestWidth(grid, 0, column::CumValue));

    board->Settings().autoFitColumns = false;
    grid->SetColSize(column::CumValue, 60); // as the user drags it narrow
    paint();
    EXPECT_EQ(60, grid->GetColSize(column::CumValue)) << "a width the user chose stays";
    const wxRect cell = grid->CellToRect(0, column::CumValue);
    SendMouse(grid->GetGridWindow(), wxEVT_MOTION,
              grid->CalcScrolledPosition(cell.GetPosition() + cell.GetSize() / 2));
    EXPECT_EQ(Tickerdeck::TableOf(grid)->GetValue(0, column::CumValue),
              grid->GetGridWindow()->GetToolTipText());
}

TEST_F(FitColumns, AFilterFitsWhatItShowsSoANameCutWhileNoRowsShowedComesBackWhole)
{
    frame->SetSize(wxSize(700, 500));  // narrower than the columns: nothing is stretched
    std::vector<Instrument*> instruments = Instruments(3);
    instruments[2]->name = "Feldhaus Bancorp GmbH & Co. KGaA";
    wxGridEx* grid = Tab(instruments);
    board->Settings().autoFitColumns = true;
    const int whole = BestWidth(grid, 2, column::Name);
    const auto showNothing = [&] {
        SetTabFilter(*board, grid, std::make_unique<FilterSet>(FilterSet::Columns{{column::Last, {{filter_op::Above, "1000"}}}}));
        ASSERT_EQ(0, grid->GetNumberRows());
        PostCommand(board, cmd::FitAllColumns);  // as a resize meanwhile does: the header alone is measured
        ASSERT_LT(grid->GetColSize(column::Name), whole);
    };

    showNothing();
    SetTabFilter(*board, grid, std::make_unique<FilterSet>(FilterSet::Columns{{column::Last, {{filter_op::AtMost, "1000"}}}}));
    ASSERT_EQ(3, grid->GetNumberRows());
    EXPECT_GE(grid->GetColSize(column::Name), whole) << "a filter showing rows again";
    showNothing();
    SetTabFilter(*board, grid, nullptr);
    EXPECT_GE(grid->GetColSize(column::Name), whole) << "the filter taken off";

    board->Settings().autoFitColumns = false;
    showNothing();
    SetTabFilter(*board, grid, nullptr);
    EXPECT_LT(grid->GetColSize(column::Name), whole) << "widths of the user's own stay";
}

}  // namespace
