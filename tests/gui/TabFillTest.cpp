// Filling a tab of a long list a slice at a time, and stopping it.

#include <set>

#include "kit/BoardNotice.h"
#include "board/TabFill.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

class TabFill : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        board = CreateBoard(window_flag::OwnFrame);
        for (int i = 0; i < 10; ++i)
            list.push_back(host.AddInstrument("F" + std::to_string(i), "SYN"));
        list.push_back(list[2]);  // a list may name an instrument twice
        grid = AddTab(board, {}, "Fill");
        board->Rows().GetTabFills().SetSliceBounds(3, std::chrono::hours(1));
    }

    void Start() { board->Rows().GetTabFills().Start(grid, list, "SYN"); }
    wxString Progress() const { return board->Toolbar().Notice()->Get("tab-fill"); }
    size_t Subscribed() const { return host.subscribes.size(); }

    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
    std::vector<Instrument*> list;
};

TEST_F(TabFill, SlicesAddUpToExactlyTheListInItsOrderAndTheNoticeCountsThem)
{
    host.ClearCalls();
    Start();
    EXPECT_TRUE(board->Rows().IsFilling(grid));
    EXPECT_EQ(3, grid->GetNumberRows()) << "the first slice shows at once";
    EXPECT_EQ("Opening SYN: 3 of 11 rows (Esc stops)", Progress());
    std::vector<int> shown{grid->GetNumberRows()};
    while (board->Rows().GetTabFills().Step())
        shown.push_back(grid->GetNumberRows());
    EXPECT_EQ((std::vector<int>{3, 6, 9, 11}), shown);
    EXPECT_EQ(list, InstrumentsShown(grid));
    EXPECT_EQ(11u, Tickerdeck::TableOf(grid)->Members().size());
    EXPECT_EQ(11u, Subscribed()) << "each listed row asked once";
    EXPECT_EQ(2u, board->Rows().GetSubscriptions().at(host.PriceOf(list[2])).grids.size());
    EXPECT_FALSE(board->Rows().IsFilling(grid));
    EXPECT_EQ("", Progress());
}

TEST_F(TabFill, EscapeOnTheGridStopsItLeavingTheRowsReachedInTheTabsOrder)
{
    for (int i = 0; i < 10; ++i)
        host.PriceOf(list[i])->last = 10 - i;
    grid->SetSortingColumn(column::Last, true);
    SendKey(grid->GetGridWindow(), wxEVT_KEY_DOWN, WXK_ESCAPE);  // nothing to stop
    host.ClearCalls();
    Start();
    board->Rows().GetTabFills().Step();
    SendKey(grid->GetGridWindow(), wxEVT_KEY_DOWN, WXK_ESCAPE);
    EXPECT_FALSE(board->Rows().IsFilling(grid));
    EXPECT_FALSE(board->Rows().GetTabFills().Step());
    EXPECT_EQ((std::vector<Instrument*>{list[5], list[4], list[3], list[2], list[1], list[0]}), InstrumentsShown(grid))
        << "sorted once stopped";
    EXPECT_EQ(6u, Tickerdeck::TableOf(grid)->Members().size());
    EXPECT_EQ(6u, Subscribed()) << "nothing asked for past the stop";
    EXPECT_EQ("", Progress());

    board->Rows().ClearRows(grid);
    Start();
    while (board->Rows().GetTabFills().Step())
        ;
    EXPECT_EQ((std::vector<Instrument*>{list[9], list[8], list[7], list[6], list[5], list[4], list[3], list[2], list[2],
                                        list[1], list[0]}),
              InstrumentsShown(grid))
        << "sorted once complete";
}

TEST_F(TabFill, ClosingTheTabOrTheBoardOrRepointingItMidwayLeavesNothingBehind)
{
    Start();
    EXPECT_EQ(std::vector<Instrument*>(list.begin() + 3, list.end()), board->Rows().ClearRows(grid))
        << "what a fill did not reach belongs to the tab as well";
    EXPECT_EQ(0, grid->GetNumberRows());
    EXPECT_FALSE(board->Rows().IsFilling(grid));

    // A history date re-subscribes the tab whole, the part not reached too.
    Start();
    board->Rows().SetTodayClock([] { return wxDateTime(6, wxDateTime::Dec, 2026); });
    PostCommand(board, cmd::HistoryDate, "20240105");
    EXPECT_EQ(list.size(), static_cast<size_t>(grid->GetNumberRows()));
    EXPECT_EQ(list.size(), Tickerdeck::TableOf(grid)->Members().size());

    wxGridEx* other = AddTab(board, {}, "Other");
    board->Rows().GetTabFills().Start(other, list, "SYN");
    board->Tabs().Remove(other);
    EXPECT_FALSE(board->Rows().GetTabFills().Step());

    Start();
    host.ClearCalls();
    application.CloseWindow(container, true);
    RunFor(100);  // a slice's timer would have fired by now
    EXPECT_EQ(0u, host.subscribes.size());
}

TEST_F(TabFill, AWholeExchangeInTheSavedLayoutOpensASliceAtATimeAndKeepsTheMarksOfRowsStillToCome)
{
    Exchange& syn = host.exchanges.emplace_back();
    syn.code = "SYN";
    syn.name = "Synthetic";
    syn.instruments.assign(list.begin(), list.begin() + 10);
    Tickerdeck* opened = CreateBoard();
    TabFills& fills = opened->Rows().GetTabFills();
    fills.SetSliceBounds(3, std::chrono::hours(1));
    fills.SetRowsAtOnce(4);
    Tree node = Node(R"(<watchlists><watchlist name="SYN" type="7" exchange="SYN" current="true">
        <bookmark><instrument exchange="SYN" code="F8"/><instrument exchange="SYN" code="F1"/></bookmark>
        </watchlist></watchlists>)");
    opened->Load(nullptr, &node);
    wxGridEx* loaded = opened->Tabs().CurrentGrid();
    ASSERT_NE(nullptr, loaded);
    EXPECT_TRUE(opened->Rows().IsFilling(loaded));
    EXPECT_EQ(3, loaded->GetNumberRows());
    while (fills.Step())
        ;
    EXPECT_EQ(syn.instruments, InstrumentsShown(loaded));
    EXPECT_EQ((std::set<Instrument*>{list[1], list[8]}), Tickerdeck::TableOf(loaded)->Bookmarks());
}

}  // namespace
