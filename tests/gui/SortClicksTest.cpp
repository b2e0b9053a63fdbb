// Header clicks cycle a column through both directions and the stored order,
// and activating a tab re-sorts and re-filters it.

#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

class SortCycle : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        SetLasts({{arpi, 2.0}, {bdi, 3.0}, {cdg, 1.0}});
        board = CreateBoard();
        grid = AddTab(board, {arpi, bdi, cdg}, "Stocks");
        frame->SendSizeEvent();
        Flush();
    }

    void ClickHeader(int col)
    {
        const wxRect cell = grid->CellToRect(0, col);
        ClickAt(grid->GetGridColLabelWindow(), wxPoint(cell.x + cell.width / 2, grid->GetColLabelSize() / 2));
    }

    std::vector<Instrument*> ShownRows() const { return InstrumentsShown(grid); }
    Instrument* SelectedInstrument() const
    {
        const wxArrayInt rows = grid->GetSelectedRows();
        return rows.empty() ? nullptr : Tickerdeck::TableOf(grid)->RowPrice(rows[0])->instrument;
    }

    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
};

TEST_F(SortCycle, ClicksCycleEachColumnThroughDescendingAscendingAndStoredOrderKeepingTheSelection)
{
    grid->SelectRow(1);  // BDI
    ClickHeader(column::Last);
    EXPECT_EQ(column::Last, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), ShownRows()) << "rows follow the grid's arrow";
    EXPECT_EQ(bdi, SelectedInstrument());
    EXPECT_EQ(0, grid->GetSelectedRows()[0]);

    ClickHeader(column::Last);
    EXPECT_TRUE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{cdg, arpi, bdi}), ShownRows());
    EXPECT_EQ(2, grid->GetSelectedRows()[0]);

    ClickHeader(column::Last);
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn()) << "the third click is vetoed";
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), ShownRows());
    EXPECT_EQ(1, grid->GetSelectedRows()[0]);

    ClickHeader(column::Last);
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), ShownRows()) << "the cycle starts again";

    // Another column starts its own cycle, the arrow over its rows.
    ClickHeader(column::Code);
    EXPECT_EQ(column::Code, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{cdg, bdi, arpi}), ShownRows());
}

TEST_F(SortCycle, ActivatingATabResortsAndRefiltersItAndNextClickRestoresStoredOrder)
{
    AddTab(board, {arpi}, "Other");
    board->Tabs().Notebook()->SetSelection(0);
    ClickHeader(column::Last);  // descending: BDI ARPI CDG
    ASSERT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), ShownRows());

    board->Tabs().Notebook()->SetSelection(1);
    host.PriceOf(cdg)->last = 10.0;  // moves while its tab is in the background
    grid->SelectRow(2);            // CDG
    board->Tabs().Notebook()->SetSelection(0);
    EXPECT_EQ(0, board->Sorting().GetSortClickCount());
    EXPECT_EQ((std::vector<Instrument*>{cdg, bdi, arpi}), ShownRows());
    EXPECT_EQ(cdg, SelectedInstrument());

    host.PriceOf(cdg)->last = 1.0;
    ClickHeader(column::Last);
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn());
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), ShownRows());

    // A filter changed while the tab was in the background applies when it comes back.
    HideInstruments filter;
    Tickerdeck::TableOf(grid)->Filter().Set(&filter);
    board->Tabs().Notebook()->SetSelection(1);
    filter.hidden = {bdi};
    board->Tabs().Notebook()->SetSelection(0);
    EXPECT_EQ((std::vector<Instrument*>{arpi, cdg}), ShownRows());
    EXPECT_EQ(2, grid->GetNumberRows());
    Tickerdeck::TableOf(grid)->Filter().Set(nullptr);
}

TEST_F(SortCycle, TheTabShownTakesTheKeyboardWithItsRowSelected)
{
    wxGridEx* other = AddTab(board, {arpi, bdi}, "Other", false);
    grid->GetGridWindow()->SetFocus();
    if (!PumpUntil([&] { return grid->HasFocus(); }, 1000))
        GTEST_SKIP() << "the display gives the grid no keyboard focus";

    board->Tabs().Notebook()->SelectByUser(1); // as a click on its tab does
    EXPECT_TRUE(PumpUntil([&] { return other->HasFocus(); }, 1000))
        << "the keys would go to a hidden page or the toolbar";
    EXPECT_EQ(1u, other->GetSelectedRows().size()) << "Down, F2 and Ctrl+C need a selected row";
}

}  // namespace
