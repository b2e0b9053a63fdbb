// Header clicks cycle a column through both directions and the stored order,
// and activating a tab re-sorts and re-filters it.

#include <future>
#include <memory>
#include <thread>

#include <gmock/gmock.h>

#include "board/BoardToolbar.h"
#include "kit/BackgroundWork.h"
#include "kit/BoardNotice.h"
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
    /// The instruments of the selected rows, by code.
    std::vector<Instrument*> Selected() const
    {
        std::vector<Instrument*> selected;
        for (int row : grid->GetSelectedRows())
            selected.push_back(Tickerdeck::TableOf(grid)->RowPrice(row)->instrument);
        std::sort(selected.begin(), selected.end(), [](Instrument* a, Instrument* b) { return a->code < b->code; });
        return selected;
    }
};

TEST_F(SortCycle, ClicksCycleEachColumnThroughDescendingAscendingAndStoredOrderKeepingTheSelection)
{
    grid->SelectRow(1);  // BDI
    ClickHeader(column::Last);
    EXPECT_EQ(column::Last, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), ShownRows()) << "rows follow the grid's arrow";
    EXPECT_EQ(std::vector<Instrument*>{bdi}, Selected());

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

TEST_F(SortCycle, SortsAndFiltersKeepEverySelectedQuoteSelected)
{
    // The grid keeps its blocks in an order of its own: the lower row first.
    grid->SelectRow(2);        // CDG
    grid->SelectRow(0, true);  // ARPI
    ClickHeader(column::Last); // BDI ARPI CDG
    ASSERT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), ShownRows());
    EXPECT_EQ((std::vector<Instrument*>{arpi, cdg}), Selected());
    EXPECT_EQ(1u, grid->GetSelectedRowBlocks().size()) << "rows 1 and 2 make one block";

    grid->SelectAll();
    ClickHeader(column::Last); // CDG ARPI BDI
    ASSERT_EQ((std::vector<Instrument*>{cdg, arpi, bdi}), ShownRows());
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), Selected()) << "Ctrl+A then a sort copies every row";

    // A filter keeps the selected quotes it still shows.
    grid->SelectRow(0);        // CDG
    grid->SelectRow(2, true);  // BDI
    SetTabFilter(*board, grid,
                 std::make_unique<FilterSet>(FilterSet::Columns{{column::Last, {{filter_op::Above, "1.5"}}}}));
    ASSERT_EQ((std::vector<Instrument*>{arpi, bdi}), ShownRows());
    EXPECT_EQ((std::vector<Instrument*>{bdi}), Selected());
}

TEST_F(SortCycle, ActivatingATabResortsAndRefiltersItKeepingItsSelectionAndNextClickRestoresStoredOrder)
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
    EXPECT_EQ(std::vector<Instrument*>{cdg}, Selected());

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
    // Applied from its dialog, the filter leaves BDI out of the index as well:
    // the tab must find the row it lets back when it comes back.
    ApplyFilter(grid, &filter);
    filter.hidden.clear();
    board->Tabs().Notebook()->SetSelection(1);
    board->Tabs().Notebook()->SetSelection(0);
    ASSERT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), ShownRows()) << "and lets rows back";
    EXPECT_EQ(1, Tickerdeck::TableOf(grid)->Index().RowOf(host.PriceOf(bdi))) << "a row let back is indexed";
    Tickerdeck::TableOf(grid)->Filter().Set(nullptr);

    grid->SelectRow(0);
    grid->SelectRow(2, true);
    board->Tabs().Notebook()->SetSelection(1);
    board->Tabs().Notebook()->SetSelection(0);
    EXPECT_EQ(2u, grid->GetSelectedRows().size()) << "only a tab without a selection gets its cursor row selected";
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

/// Every tab counts as long; each sort's thread waits for its own gate,
/// which the test opens, so that results arrive in the order it chooses.
class LongTextSort : public SortCycle
{
protected:
    void SetUp() override
    {
        SortCycle::SetUp();
        board->Sorting().LongSorts().SetRowsSortedAtOnce(1);
        board->Sorting().LongSorts().SetWorkers(workers);
    }
    void TearDown() override
    {
        for (std::size_t nth = 0; nth < gates.size(); ++nth)
            if (!opened.count(nth))
                gates[nth].set_value();
        workers.StopAll();
        SortCycle::TearDown();
    }

    /// Lets the sort started `nth` (from 0) run, and waits for its result.
    void Finish(std::size_t nth)
    {
        gates.at(nth).set_value();
        opened.insert(nth);
        ASSERT_TRUE(PumpUntil([&] { return workers.Pending() + opened.size() == started; }, 5000));
    }

    std::string SortNotice() const { return board->Toolbar().Notice()->Get("sort").ToStdString(); }

    std::vector<std::promise<void>> gates{8};
    std::set<std::size_t> opened;
    std::size_t started = 0;
    BackgroundWork workers{[this](std::function<void()> body) {
        std::shared_future<void> gate = gates.at(started++).get_future().share();
        return std::thread([gate, body = std::move(body)] { gate.wait(); body(); });
    }};
};

TEST_F(LongTextSort, RowsTakeTheirOrderWhenTheLatestSortArrivesKeepingTheSelection)
{
    ClickHeader(column::Last);  // numbers sort at once
    ASSERT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), ShownRows());
    EXPECT_EQ(0u, started);

    grid->SelectRow(1);  // ARPI
    ClickHeader(column::Code);
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), ShownRows()) << "the window did not wait";
    EXPECT_THAT(SortNotice(), testing::HasSubstr("Sorting 3 rows"));
    ClickHeader(column::Code);  // ascending, before the descending sort came back
    Finish(0);
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), ShownRows()) << "a sort overtaken was used";
    Finish(1);
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), ShownRows());
    EXPECT_EQ(std::vector<Instrument*>{arpi}, Selected());
    EXPECT_EQ("", SortNotice());

    ClickHeader(column::Status);  // the quote's own texts change on the window's thread
    EXPECT_EQ(2u, started);
}

TEST_F(LongTextSort, RowsThatChangedMeanwhileAreSortedAgainAndAHoldWaitsForItsEnd)
{
    HideInstruments filter;
    Tickerdeck::TableOf(grid)->Filter().Set(&filter);
    ClickHeader(column::Code);  // descending: CDG BDI ARPI
    filter.hidden = {bdi};
    board->ProcessWindowEvent(*QuoteEvent(host.PriceOf(bdi), kLastMask).Clone());
    ASSERT_EQ((std::vector<Instrument*>{arpi, cdg}), ShownRows());
    Finish(0);
    EXPECT_EQ((std::vector<Instrument*>{arpi, cdg}), ShownRows()) << "sorted rows that were gone";
    Finish(1);
    EXPECT_EQ((std::vector<Instrument*>{cdg, arpi}), ShownRows());

    board->Sorting().HoldForMenu(true);
    board->Sorting().SortByItsColumn(grid);
    grid->SetSortingColumn(column::Code, true);
    board->Sorting().SortByItsColumn(grid);
    Finish(3);
    EXPECT_EQ((std::vector<Instrument*>{cdg, arpi}), ShownRows()) << "rows moved while a menu was open";
    int64_t now = 0;
    board->Sorting().SetSteadyClock([&now] { return now; });
    board->Sorting().HoldForMenu(false);
    now += 60000;
    board->Sorting().UpdateSortHold();
    Finish(4);
    EXPECT_EQ((std::vector<Instrument*>{arpi, cdg}), ShownRows());
    Tickerdeck::TableOf(grid)->Filter().Set(nullptr);
}
}  // namespace
