// Filling a tab of a long list a slice at a time, stopping it, and letting
// go of a long tab's rows a slice at a time.

#include <set>
#include <utility>

#include "board/SlicedSteps.h"
#include "board/SortWarmup.h"
#include "board/TabFill.h"
#include "board/TabRelease.h"
#include "kit/BoardNotice.h"
#include "model/KeyedSort.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

TEST(SlicedSteps, ASliceEndsAtItsRowBoundOrAtTheFirstClockReadPastItsTimeAndNeverPastTheList)
{
    int steps = 0;
    SlicedSteps slices([&steps] { ++steps; }, 10, 4);
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    const auto record = [&ranges](std::size_t begin, std::size_t end) { ranges.emplace_back(begin, end); };
    slices.SetSliceBounds(10, std::chrono::hours(1));
    EXPECT_EQ(13u, slices.Slice(3, 25, record));
    EXPECT_EQ((std::vector<std::pair<std::size_t, std::size_t>>{{3, 7}, {7, 11}, {11, 13}}), ranges);
    ranges.clear();
    EXPECT_EQ(25u, slices.Slice(23, 25, record));
    EXPECT_EQ(25u, slices.Slice(25, 25, record));
    EXPECT_EQ((std::vector<std::pair<std::size_t, std::size_t>>{{23, 25}}), ranges);
    // Out of time after the first few rows: the clock is read after them.
    ranges.clear();
    slices.SetSliceBounds(10, std::chrono::milliseconds(0));
    EXPECT_EQ(4u, slices.Slice(0, 25, record));
    EXPECT_EQ(1u, ranges.size());
    EXPECT_EQ(0, steps) << "slicing alone schedules nothing";
}

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
        board->Rows().GetTabFills().Steps().SetSliceBounds(3, std::chrono::hours(1));
    }

    void Start() { board->Rows().GetTabFills().Start(grid, list, "SYN"); }
    wxString Progress() const { return board->Toolbar().Notice()->Get("tab-fill"); }
    size_t Subscribed() const { return host.subscribes.size(); }

    std::vector<Instrument*> list;
};

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
    EXPECT_EQ(6u, Tickerdeck::TableOf(grid)->Members().List().size());
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

TEST_F(TabFill, ALongFillGetsTheRoomOfItsFirstSortByANumberReadyAStepAtATime)
{
    SortWarmup& warmup = board->Sorting().Warmup();
    warmup.SetRowsWarmed(list.size() + 1);
    Start();
    EXPECT_FALSE(warmup.IsWarming()) << "a short tab sorts fast enough on fresh memory";
    board->Rows().ClearRows(grid);

    warmup.SetRowsWarmed(list.size());
    KeyedRowsBuffer() = {};
    SpareRowsBuffer() = {};
    Start();
    int steps = 0;
    for (; warmup.IsWarming() && steps < 10; ++steps)
        warmup.Step();
    EXPECT_EQ(3, steps) << "a step each for the keyed rows, the spare rows and the tab's keys";
    EXPECT_GE(KeyedRowsBuffer().capacity(), list.size());
    EXPECT_GE(SpareRowsBuffer().capacity(), list.size());
    EXPECT_GE(Tickerdeck::TableOf(grid)->Order().Keys().TakeBuffer().capacity(), list.size());

    board->Rows().ClearRows(grid);
    Start();
    warmup.Step();
    board->Tabs().Remove(grid);
    while (warmup.IsWarming())
        warmup.Step();  // a closed tab's keys are not reached
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
    EXPECT_EQ(list.size(), Tickerdeck::TableOf(grid)->Members().List().size());

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

TEST_F(TabFill, ANewHistoryDateSubscribesALongTabAgainASliceAtATimeWithTheNewDate)
{
    board->Rows().SubscribeRows(list, grid);
    board->Rows().GetTabFills().Steps().SetRowsAtOnce(4);
    board->Rows().SetTodayClock([] { return wxDateTime(6, wxDateTime::Dec, 2026); });
    host.ClearCalls();
    // Called straight: a posted command would let the slices' timer run.
    board->Rows().SetHistoryDate(wxDateTime(5, wxDateTime::Jan, 2024));
    EXPECT_TRUE(board->Rows().IsFilling(grid));
    EXPECT_EQ(3u, Subscribed()) << "one slice within the command";
    EXPECT_EQ(3, grid->GetNumberRows());
    EXPECT_EQ(Progress(), wxString::Format("Opening Fill: 3 of %d rows (Esc stops)", static_cast<int>(list.size())));
    while (board->Rows().GetTabFills().Step())
        ;
    EXPECT_EQ(list, InstrumentsShown(grid));
    for (const SubscriptionCall& call : host.subscribes)
        EXPECT_EQ("20240105", call.date) << call.instrument->code;
    EXPECT_EQ(list.size(), Subscribed());

    // Back to live quotes, stopped midway: the rows reached stay, the rest
    // is asked for with no date at all.
    host.ClearCalls();
    board->Rows().SetHistoryDate(wxDateTime());
    EXPECT_TRUE(board->Rows().StopFilling(grid));
    EXPECT_EQ(std::vector<Instrument*>(list.begin(), list.begin() + 3), InstrumentsShown(grid));
    EXPECT_EQ(3u, Subscribed());
    for (const SubscriptionCall& call : host.subscribes)
        EXPECT_EQ("", call.date);
    EXPECT_FALSE(board->Rows().GetTabFills().Step());
}

TEST_F(TabFill, AWholeExchangeInTheSavedLayoutOpensASliceAtATimeAndKeepsTheMarksOfRowsStillToCome)
{
    Exchange& syn = host.exchanges.emplace_back();
    syn.code = "SYN";
    syn.name = "Synthetic";
    syn.instruments.assign(list.begin(), list.begin() + 10);
    Tickerdeck* opened = CreateBoard();
    TabFills& fills = opened->Rows().GetTabFills();
    fills.Steps().SetSliceBounds(3, std::chrono::hours(1));
    fills.Steps().SetRowsAtOnce(4);
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
    EXPECT_EQ((std::set<Instrument*>{list[1], list[8]}), Tickerdeck::TableOf(loaded)->Members().Bookmarks());
}

class TabRelease : public TabFill
{
protected:
    void SetUp() override
    {
        TabFill::SetUp();
        board->Rows().SubscribeRows(list, grid);
        board->Rows().GetTabReleases().Steps().SetRowsAtOnce(4);
        board->Rows().GetTabReleases().Steps().SetSliceBounds(3, std::chrono::hours(1));
        host.ClearCalls();
    }

    bool Step() { return board->Rows().GetTabReleases().Step(); }
    std::vector<wxGridEx*> Claims(Instrument* instrument)
    {
        const auto& subscriptions = board->Rows().GetSubscriptions();
        const auto found = subscriptions.find(host.PriceOf(instrument));
        if (found == subscriptions.end())
            return {};
        return std::vector<wxGridEx*>(found->second.grids.begin(), found->second.grids.end());
    }
};

TEST_F(TabRelease, ALongTabLeavesAtOnceAndLetsGoOfItsQuotesInSlicesEachOnceWhenNoRowShowsItAnyMore)
{
    wxGridEx* other = AddTab(board, {list[0]}, "Other", false);
    ASSERT_EQ(grid, board->Tabs().CurrentGrid());
    host.ClearCalls();
    board->Rows().ClearRows(grid);
    EXPECT_EQ(0, grid->GetNumberRows());
    EXPECT_TRUE(Tickerdeck::TableOf(grid)->Members().List().empty());
    EXPECT_TRUE(host.unsubscribes.empty()) << "nothing let go of within the command";

    // Quotes keep coming until the host is told; they find no row.
    for (Instrument* quoted : {list[5], list[2]})
    {
        wxCommandEvent quote = QuoteEvent(host.PriceOf(quoted), kLastMask, true);
        board->ProcessWindowEvent(quote);
    }
    EXPECT_EQ(0, grid->GetNumberRows());
    EXPECT_EQ(0, Tickerdeck::TableOf(grid)->GetNumberRows());
    std::vector<size_t> released{host.unsubscribes.size()};
    while (Step())
        released.push_back(host.unsubscribes.size());
    // F0 is shown on the other tab; F2, listed twice, goes with its second row.
    EXPECT_EQ((std::vector<size_t>{0, 1, 4, 7, 9}), released);
    for (size_t i = 1; i < 10; ++i)
        EXPECT_EQ(1, host.Unsubscribed(board, list[i])) << list[i]->code;
    EXPECT_EQ(0, host.Unsubscribed(board, list[0]));
    EXPECT_EQ(std::vector<wxGridEx*>{other}, Claims(list[0]));
    EXPECT_EQ(1u, board->Rows().GetSubscriptions().size());

    // A short tab is let go of at once.
    board->Tabs().Remove(other);
    EXPECT_EQ(1, host.Unsubscribed(board, list[0]));
    EXPECT_FALSE(board->Rows().GetTabReleases().IsReleasing());
}

}  // namespace
