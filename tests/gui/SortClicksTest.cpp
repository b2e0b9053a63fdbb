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
        SetLasts({{a, 2.0}, {b, 3.0}, {c, 1.0}});
        board = CreateBoard();
        grid = AddTab(board, {a, b, c}, "Stocks");
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

    Instrument*& a = arpi;
    Instrument*& b = bdi;
    Instrument*& c = cdg;
    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
};

TEST_F(SortCycle, ClicksCycleThroughDescendingAscendingAndStoredOrderKeepingTheSelection)
{
    grid->SelectRow(1);  // b
    ClickHeader(column::Last);
    EXPECT_EQ(column::Last, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{b, a, c}), ShownRows()) << "rows follow the grid's arrow";
    EXPECT_EQ(b, SelectedInstrument());
    EXPECT_EQ(0, grid->GetSelectedRows()[0]);

    ClickHeader(column::Last);
    EXPECT_TRUE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{c, a, b}), ShownRows());
    EXPECT_EQ(2, grid->GetSelectedRows()[0]);

    ClickHeader(column::Last);
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn()) << "the third click is vetoed";
    EXPECT_EQ((std::vector<Instrument*>{a, b, c}), ShownRows());
    EXPECT_EQ(1, grid->GetSelectedRows()[0]);

    ClickHeader(column::Last);
    EXPECT_EQ((std::vector<Instrument*>{b, a, c}), ShownRows()) << "the cycle starts again";
}

TEST_F(SortCycle, AnotherColumnStartsItsOwnCycleWithTheArrowOverItsRows)
{
    grid->SetSortingColumn(column::Last, true);  // as a saved layout leaves it
    ClickHeader(column::Code);
    EXPECT_EQ(column::Code, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{c, b, a}), ShownRows());

    ClickHeader(column::Last);
    ClickHeader(column::Last);
    ASSERT_TRUE(grid->IsSortOrderAscending());
    ClickHeader(column::Code);  // at the last step of the other column's cycle
    EXPECT_EQ(column::Code, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{c, b, a}), ShownRows());
}

TEST_F(SortCycle, ActivatingATabResortsAndRefiltersItAndNextClickRestoresStoredOrder)
{
    AddTab(board, {a}, "Other");
    board->GetNotebook()->SetSelection(0);
    ClickHeader(column::Last);  // descending: b a c
    ASSERT_EQ((std::vector<Instrument*>{b, a, c}), ShownRows());

    board->GetNotebook()->SetSelection(1);
    host.PriceOf(c)->last = 10.0;  // moves while its tab is in the background
    grid->SelectRow(2);            // c
    board->GetNotebook()->SetSelection(0);
    EXPECT_EQ(0, board->GetSortClickCount());
    EXPECT_EQ((std::vector<Instrument*>{c, b, a}), ShownRows());
    EXPECT_EQ(c, SelectedInstrument());

    host.PriceOf(c)->last = 1.0;
    ClickHeader(column::Last);
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn());
    EXPECT_EQ((std::vector<Instrument*>{a, b, c}), ShownRows());

    // A filter changed while the tab was in the background applies when it comes back.
    HideInstruments filter;
    Tickerdeck::TableOf(grid)->SetFilter(&filter);
    board->GetNotebook()->SetSelection(1);
    filter.hidden = {b};
    board->GetNotebook()->SetSelection(0);
    EXPECT_EQ((std::vector<Instrument*>{a, c}), ShownRows());
    EXPECT_EQ(2, grid->GetNumberRows());
    Tickerdeck::TableOf(grid)->SetFilter(nullptr);
}

TEST_F(SortCycle, TheTabShownTakesTheKeyboardWithItsRowSelected)
{
    wxGridEx* other = AddTab(board, {a, b}, "Other", false);
    grid->GetGridWindow()->SetFocus();
    if (!PumpUntil([&] { return grid->HasFocus(); }, 1000))
        GTEST_SKIP() << "the display gives the grid no keyboard focus";

    board->GetNotebook()->SelectByUser(1); // as a click on its tab does
    EXPECT_TRUE(PumpUntil([&] { return other->HasFocus(); }, 1000))
        << "the keys would go to a hidden page or the toolbar";
    EXPECT_EQ(1u, other->GetSelectedRows().size()) << "Down, F2 and Ctrl+C need a selected row";
}

}  // namespace
