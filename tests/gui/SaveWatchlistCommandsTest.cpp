// Creating, editing and moving rows into stored watchlists: the tabs and the
// shared store change together.

#include <string>
#include <vector>

#include "support/BoardFixture.h"
#include "commands/RowCommands.h"
#include "watchlist/WatchlistTabs.h"

namespace {

using layout::InstrumentRef;
using testing_support::BoardFixture;

class WatchlistCommands : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        testing_support::WriteBytes(host.layoutFilePath, R"(<application><layout><default><tickerdeck><watchlists>
            <watchlist name="Default"><columns><column id="0" size="0" show="false"/></columns></watchlist>
          </watchlists></tickerdeck></default></layout></application>)");
        WriteStore(R"(<watchlist name="First"><instrument exchange="AMX" code="ARPI"/></watchlist>)"
                   R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="AMX" code="BDI"/>)"
                   R"(<instrument exchange="KTX" code="TKE"/></watchlist>)"
                   R"(<watchlist name="Last"/>)");
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/><watchlist name="First" type="1" current="false"/>
            </watchlists>)");
        core = GridOfPage(board, 0);
        first = GridOfPage(board, 1);
    }

    WatchlistTabs Tabs() const { return WatchlistTabs(*board); }

    Tickerdeck* board = nullptr;
    wxGridEx* core = nullptr;
    wxGridEx* first = nullptr;
};

TEST_F(WatchlistCommands, ANewWatchlistGetsATabAndGoesToTheEndOfTheStore)
{
    Tabs().CreateWatchlistTab(wxString::FromUTF8("Fresh \xC3\xA9"), {ai, tke});
    ASSERT_EQ(3u, board->GetNotebook()->GetPageCount());
    wxGridEx* grid = board->GetCurrentGrid();
    EXPECT_EQ((std::vector<Instrument*>{ai, tke}), InstrumentsShown(grid));
    EXPECT_FALSE(grid->IsColShown(0)) << "the Default column template applies";
    EXPECT_EQ((std::vector<std::string>{"First", "Core", "Last", "Fresh \xC3\xA9"}),
              layout::ListWatchlistNames(host.applicationFilePath));
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "AI"}, {"KTX", "TKE"}}), Stored("Fresh \xC3\xA9"));

    // A name that already has a tab changes nothing.
    const std::string before = StoreBytes();
    Tabs().CreateWatchlistTab("Core", {ai});
    EXPECT_EQ(3u, board->GetNotebook()->GetPageCount());
    EXPECT_EQ(before, StoreBytes());
}

TEST_F(WatchlistCommands, EditingRenamesInPlaceAndReconcilesTheRows)
{
    // The dropped BDI is bookmarked and hidden by the tab's filter: it
    // leaves the tab all the same.
    TickerdeckTable* table = Tickerdeck::TableOf(core);
    testing_support::HideInstruments hideBdi({bdi});
    table->SetFilter(&hideBdi);
    table->Bookmarks().insert(bdi);
    table->RebuildRowsFromMembers();
    Tickerdeck::SyncRowCount(core);

    Tabs().SaveEditedWatchlist("Core", "Renamed", {tke, ai, cdg});
    EXPECT_EQ("Renamed", board->GetNotebook()->GetPageText(0));
    EXPECT_EQ((std::vector<Instrument*>{cdg, tke, ai}), InstrumentsShown(core));
    EXPECT_EQ(3, core->GetNumberRows());
    EXPECT_EQ(0, host.ActiveSubscriptions(board, bdi, ""));
    EXPECT_FALSE(table->IsMember(host.PriceOf(bdi)));
    EXPECT_EQ(0u, table->Bookmarks().count(bdi));
    table->SetFilter(nullptr);
    EXPECT_EQ((std::vector<std::string>{"First", "Renamed", "Last"}),
              layout::ListWatchlistNames(host.applicationFilePath));
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}, {"AMX", "AI"}}), Stored("Renamed"));

    // Without a tab of the old name the store still gets it, at the end.
    Tabs().SaveEditedWatchlist("Nowhere", "Elsewhere", {bdi});
    EXPECT_EQ((std::vector<std::string>{"First", "Renamed", "Last", "Elsewhere"}),
              layout::ListWatchlistNames(host.applicationFilePath));
}

TEST_F(WatchlistCommands, MovingRemovesTheRowsOnlyOnceTheyAreStored)
{
    core->SelectRow(2);
    core->SelectRow(0, true);
    testing_support::WriteBytes(host.applicationFilePath, "broken <");
    RowCommands::MoveTo(*board, board->CommandTargets(), "Last");
    EXPECT_EQ(3, core->GetNumberRows()) << "an unreadable store keeps the rows where they are";
    EXPECT_EQ("broken <", StoreBytes());
    EXPECT_NE(log.str().find("adding rows to watchlist \"Last\" in " + host.applicationFilePath), std::string::npos)
        << log.str();

    WriteStore(R"(<watchlist name="Last"/>)");
    RowCommands::MoveTo(*board, board->CommandTargets(), "Last");
    // The grid reports its selection top to bottom.
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}}), Stored("Last"));
    EXPECT_EQ((std::vector<Instrument*>{bdi}), InstrumentsShown(core));
    EXPECT_EQ(1, core->GetNumberRows());
    EXPECT_EQ(0, host.ActiveSubscriptions(board, tke, "")) << "the moved rows are released";
    EXPECT_EQ(0, host.ActiveSubscriptions(board, cdg, ""));
    EXPECT_EQ(1, host.ActiveSubscriptions(board, bdi, ""));
}

TEST_F(WatchlistCommands, AnOpenTabGainsRowsOnlyOnceStoredAndSavingLeavesAnotherProgramsAdditions)
{
    HoldControl(true);
    Tabs().BuildTab(layout::TabSource::Watchlist("Last"));
    // An open target tab gains the rows only once they are stored.
    const std::string store = host.applicationFilePath;
    host.applicationFilePath = (folder / "gone" / "watchlists.xml").string();
    board->GetNotebook()->SetSelection(0);
    core->SelectRow(0);
    EXPECT_FALSE(RowCommands::AddTo(*board, board->CommandTargets(), "Last"));
    EXPECT_TRUE(Shown(board, 2).empty());
    EXPECT_NE(log.str().find("adding rows to watchlist \"Last\" in " + host.applicationFilePath), std::string::npos)
        << log.str();
    host.applicationFilePath = store;

    Tabs().CreateWatchlistTab("Fresh", {ai});
    Tabs().SaveEditedWatchlist("Core", "Core", {cdg, tke});
    board->GetNotebook()->SetSelection(1);
    first->SelectRow(0);
    ASSERT_TRUE(RowCommands::AddTo(*board, board->CommandTargets(), "Last"));
    ASSERT_EQ((std::vector<Instrument*>{arpi}), Shown(board, 2));

    const char* const ksm = R"(<instrument exchange="KTX" code="KSM"/>)";
    WriteStore(std::string(R"(<watchlist name="First"><instrument exchange="AMX" code="ARPI"/>)") + ksm +
               R"(</watchlist><watchlist name="Core"><instrument exchange="AMX" code="CDG"/>)"
               R"(<instrument exchange="KTX" code="TKE"/>)" + ksm +
               R"(</watchlist><watchlist name="Last"><instrument exchange="AMX" code="ARPI"/>)" + ksm +
               R"(</watchlist><watchlist name="Fresh"><instrument exchange="AMX" code="AI"/>)" + ksm + "</watchlist>");
    const std::string theirs = StoreBytes();
    Saved(board);
    EXPECT_EQ(theirs, StoreBytes()) << "every tab still holds what this board last read or wrote";
}

TEST_F(WatchlistCommands, RewritingAWatchlistKeepsTheInstrumentsTheHostDoesNotKnow)
{
    WriteStore(R"(<watchlist name="First"><instrument exchange="AMX" code="ARPI"/></watchlist>)"
               R"(<watchlist name="Mixed"><instrument exchange="SYN" code="LEAD"/><instrument exchange="AMX" code="CDG"/>)"
               R"(<instrument exchange="SYN" code="GHOST"/><instrument exchange="AMX" code="BDI"/></watchlist>)"
               R"(<watchlist name="Last"/>)");
    HoldControl(false);
    Tabs().BuildTab(layout::TabSource::Watchlist("Mixed"));
    ASSERT_EQ((std::vector<Instrument*>{cdg, bdi}), InstrumentsShown(core));

    board->GetNotebook()->SetSelection(1);
    first->SelectRow(0);
    ASSERT_TRUE(RowCommands::AddTo(*board, board->CommandTargets(), "Mixed"));
    board->GetNotebook()->SetSelection(0);
    core->SelectRow(0);
    RowCommands::MoveTo(*board, board->CommandTargets(), "Last");
    ASSERT_EQ((std::vector<Instrument*>{bdi, arpi}), InstrumentsShown(core));

    // GHOST's place was after CDG, which the user moved away: it follows
    // the row before that.
    Tabs().SaveEditedWatchlist("Mixed", "Renamed", {bdi, arpi, tke});
    const std::vector<InstrumentRef> expected{{"SYN", "LEAD"}, {"SYN", "GHOST"}, {"AMX", "BDI"}, {"AMX", "ARPI"},
                                              {"KTX", "TKE"}};
    EXPECT_EQ(expected, Stored("Renamed"));
    Saved(board);
    EXPECT_EQ(expected, Stored("Renamed"));
}

}  // namespace
