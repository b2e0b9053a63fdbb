// Loading a board's tabs: labels, rows and types per tab kind, columns,
// selection, bookmarks and filters.

#include <algorithm>
#include <chrono>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include <wx/debug.h>

#include "LoadTestFixture.h"

namespace {

using testing_support::LoadFixture;
using testing_support::Tree;

class LoadTabs : public LoadFixture
{
protected:
    static std::vector<Instrument*> Shown(Tickerdeck* board, size_t page)
    {
        return InstrumentsShown(GridOfPage(board, page));
    }
};

TEST_F(LoadTabs, StoredWatchlistRowsFollowTheStoreAndSkipUnknownInstruments)
{
    WriteStore(R"(
        <watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="AMX" code="GONE"/>
          <instrument exchange="KTX" code="TKE"/><instrument code="BDI"/></watchlist>
        <watchlist name="Other"><instrument exchange="AMX" code="AI"/></watchlist>)");
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Core" type="1"/>
        <watchlist name="Nowhere"/>
      </watchlists>)");

    ASSERT_EQ((std::vector<wxString>{"Core", "Nowhere"}), PageLabels(board));
    EXPECT_EQ((std::vector<Instrument*>{cdg, tke}), Shown(board, 0));
    EXPECT_EQ(2, GridOfPage(board, 0)->GetNumberRows()) << "the unknown instrument is not counted";
    EXPECT_EQ(1, TableOfPage(board, 0)->GetTabType());
    EXPECT_EQ("Core", TableOfPage(board, 0)->GetWatchlistName());
    EXPECT_EQ(2u, host.subscribes.size());

    EXPECT_TRUE(Shown(board, 1).empty());
    EXPECT_EQ(0, GridOfPage(board, 1)->GetNumberRows());
    EXPECT_EQ("Nowhere", TableOfPage(board, 1)->GetWatchlistName());
    EXPECT_TRUE(log.str().empty()) << log.str();
}

TEST_F(LoadTabs, CategoryAndExchangeTabsComposeTheirLabels)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Tech" type="2" exchange="AMX" category="TECH"/>
        <watchlist name="Misc" type="2" exchange="AMX" category="MISC"/>
        <watchlist name="All KTX" type="7" exchange="KTX" category="TECH"/>
      </watchlists>)");

    ASSERT_EQ((std::vector<wxString>{"Technology (AMX)", "MISC (AMX)", "Kanto Exchange (KTX)"}), PageLabels(board));
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi}), Shown(board, 0)) << "the category's own order";
    EXPECT_EQ((std::vector<Instrument*>{cdg}), Shown(board, 1));
    EXPECT_EQ((std::vector<Instrument*>{tke, ksm}), Shown(board, 2));
    EXPECT_EQ(2, GridOfPage(board, 0)->GetNumberRows());
    EXPECT_EQ(2, GridOfPage(board, 2)->GetNumberRows());

    TickerdeckTable* tech = TableOfPage(board, 0);
    EXPECT_EQ(2, tech->GetTabType());
    EXPECT_EQ("AMX", tech->GetExchange());
    EXPECT_EQ("TECH", tech->GetCategory());
    TickerdeckTable* whole = TableOfPage(board, 2);
    EXPECT_EQ(7, whole->GetTabType());
    EXPECT_EQ("KTX", whole->GetExchange());
    EXPECT_TRUE(whole->GetCategory().empty());
}

TEST_F(LoadTabs, UnknownCategoriesExchangesAndTypesGiveEmptyTabsNamedAsStored)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Energy" type="2" exchange="AMX" category="ENGY"/>
        <watchlist name="Index" type="3" exchange="AMX" category="TECH"/>
        <watchlist name="Lost" type="7" exchange="ZZZ"/>
        <watchlist name="Future kind" type="9" exchange="AMX"/>
      </watchlists>)");
    ASSERT_EQ((std::vector<wxString>{"Energy", "Index", "Lost", "Future kind"}), PageLabels(board));
    for (size_t page = 0; page < 4; ++page)
    {
        EXPECT_TRUE(Shown(board, page).empty()) << page;
        EXPECT_EQ(0, GridOfPage(board, page)->GetNumberRows()) << page;
    }
    EXPECT_EQ(2, TableOfPage(board, 0)->GetTabType());
    EXPECT_EQ("ENGY", TableOfPage(board, 0)->GetCategory());
    EXPECT_EQ(3, TableOfPage(board, 1)->GetTabType()) << "kind 3 has no TECH category";
    EXPECT_EQ(7, TableOfPage(board, 2)->GetTabType());
    EXPECT_EQ(9, TableOfPage(board, 3)->GetTabType()) << "kept, so that saving cannot turn it into a watchlist";
    EXPECT_TRUE(host.subscribes.empty());
}

TEST_F(LoadTabs, ExchangeTabsWithoutExchangeKeepTheirOwnType)
{
    WriteStore(R"(<watchlist name="Tech"><instrument exchange="AMX" code="AI"/></watchlist>)");
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Tech" type="2" category="TECH"/>
        <watchlist name="Everything" type="7"/>
      </watchlists>)");
    ASSERT_EQ((std::vector<wxString>{"Tech", "Everything"}), PageLabels(board));
    EXPECT_TRUE(Shown(board, 0).empty()) << "not filled from the stored watchlist of the same name";
    EXPECT_TRUE(Shown(board, 1).empty());
    EXPECT_EQ(2, TableOfPage(board, 0)->GetTabType());
    EXPECT_EQ(7, TableOfPage(board, 1)->GetTabType());
}

TEST_F(LoadTabs, TheLastCurrentTabIsSelected)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="A" type="7" exchange="AMX"/>
        <watchlist name="B" type="7" exchange="KTX"/>
        <watchlist name="C" type="7" exchange="AMX" current="false"/>
      </watchlists>)");
    EXPECT_EQ(1, board->GetNotebook()->GetSelection());
    EXPECT_EQ(GridOfPage(board, 1), board->GetCurrentGrid());

    Tickerdeck* explicitly = LoadNode(R"(<watchlists>
        <watchlist name="A" type="7" exchange="AMX" current="true"/>
        <watchlist name="B" type="7" exchange="KTX" current="0"/>
      </watchlists>)");
    EXPECT_EQ(0, explicitly->GetNotebook()->GetSelection());
    EXPECT_EQ(GridOfPage(explicitly, 0), explicitly->GetCurrentGrid());
}

TEST_F(LoadTabs, ANamelessEntryAddsAGridButNoPageAndTouchesNoOtherTab)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Kanto" type="7" exchange="KTX">
          <bookmark><instrument exchange="KTX" code="TKE"/></bookmark>
        </watchlist>
        <watchlist type="7" exchange="AMX" current="true">
          <filters><column id="6"><filter condition="1" value="5"/></column></filters>
          <bookmark><instrument exchange="KTX" code="KSM"/></bookmark>
        </watchlist>
      </watchlists>)");
    ASSERT_EQ((std::vector<wxString>{"Kanto Exchange (KTX)"}), PageLabels(board));
    ASSERT_EQ(2u, board->GetGrids().size());
    wxGridEx* nameless = board->GetGrids()[1];
    EXPECT_EQ(0, nameless->GetNumberRows());
    EXPECT_FALSE(nameless->GetSplitter()->IsShown()) << "a grid without a page must not cover the board";
    EXPECT_EQ(nullptr, Tickerdeck::TableOf(nameless)->GetFilter());
    EXPECT_EQ(GridOfPage(board, 0), board->GetCurrentGrid()) << "the nameless entry took no selection";
    EXPECT_TRUE(board->TabFilters().empty());
    TickerdeckTable* kanto = TableOfPage(board, 0);
    EXPECT_EQ((std::set<Instrument*>{tke}), kanto->Bookmarks());
    EXPECT_EQ(nullptr, kanto->GetFilter());
    EXPECT_TRUE(host.subscribes.size() == 2u) << "only the named tab subscribed";
}

TEST_F(LoadTabs, ColumnsAreShownHiddenSortedSizedAndOrdered)
{
    Tickerdeck* board = LoadNode(R"(<setting><general auto_fit_column_width="false"/></setting>
      <watchlists><watchlist name="A" type="7" exchange="AMX"><columns>
        <column id="0" size="40" show="true" position="5"/>
        <column id="1" size="200" show="true" position="4"/>
        <column id="2" size="64" show="true" position="2" sort="true" ascending="false"/>
        <column id="3" size="0" show="false" position="3"/>
        <column id="4" size="55" show="true" position="1"/>
        <column id="5" size="30" show="true" position="0"/>
      </columns></watchlist>
      <watchlist name="B" type="7" exchange="AMX"><columns><column id="6"/></columns></watchlist>
      </watchlists>)");
    wxGridEx* grid = GridOfPage(board, 0);
    ASSERT_NE(nullptr, grid);

    // Positions 5,4,2,3,1,0 for ids 0..5: moving columns in document order
    // would leave them as 5,2,4,3,1,0.
    const std::vector<int> expectedOrder = {5, 4, 2, 3, 1, 0};
    for (int pos = 0; pos < 6; ++pos)
        EXPECT_EQ(expectedOrder[pos], grid->GetColAt(pos)) << "position " << pos;

    EXPECT_EQ(40, grid->GetColSize(0));
    EXPECT_EQ(200, grid->GetColSize(1));
    EXPECT_FALSE(grid->IsColShown(3));
    EXPECT_EQ(2, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());

    wxGridEx* bare = GridOfPage(board, 1);
    EXPECT_FALSE(bare->IsColShown(6)) << "a column without show is hidden";
    EXPECT_EQ(0, bare->GetColPos(6)) << "at the default position";
    bare->ShowCol(6);
    EXPECT_EQ(80, bare->GetColSize(6)) << "and keeps the default width for when it is shown";
}

TEST_F(LoadTabs, ColumnIdsAndPositionsOutsideTheGridAreIgnoredWithoutAssertions)
{
    static int assertions = 0;
    assertions = 0;
    wxAssertHandler_t previous = wxSetAssertHandler(
        [](const wxString&, int, const wxString&, const wxString&, const wxString&) { ++assertions; });

    Tickerdeck* board = LoadNode(R"(<setting><general auto_fit_column_width="false"/></setting>
      <watchlists><watchlist name="A" type="7" exchange="AMX"><columns>
        <column id="31" size="50" show="true" sort="true" position="0"/>
        <column id="-1" size="50" show="true" position="1"/>
        <column id="2147483647" show="false"/>
        <column id="7" size="90" show="true" position="99"/>
        <column id="8" size="-5" show="true" position="-3"/>
        <column id="9" size="-1" show="false" position="31"/>
        <column id="30" size="25" show="true" position="30"/>
      </columns></watchlist></watchlists>)");
    testing_support::Flush();
    wxSetAssertHandler(previous);

    EXPECT_EQ(0, assertions);
    wxGridEx* grid = GridOfPage(board, 0);
    ASSERT_NE(nullptr, grid);
    EXPECT_EQ(31, grid->GetNumberCols());
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn()) << "the sort flag of column 31 went nowhere";
    EXPECT_EQ(90, grid->GetColSize(7));
    EXPECT_EQ(7, grid->GetColPos(7)) << "position 99 was skipped";
    EXPECT_EQ(8, grid->GetColPos(8)) << "position -3 was skipped";
    EXPECT_TRUE(grid->IsColShown(8));
    EXPECT_FALSE(grid->IsColShown(9));
    EXPECT_EQ(30, grid->GetColAt(30));
    EXPECT_EQ(25, grid->GetColSize(30));
}

TEST_F(LoadTabs, BookmarksMarkOnlyInstrumentsTheTabShows)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
      <watchlist name="Tech" type="2" exchange="AMX" category="TECH"><bookmark>
        <instrument exchange="AMX" code="ARPI"/>
        <instrument exchange="AMX" code="CDG"/>
        <instrument exchange="AMX" code="GONE"/>
        <instrument exchange="" code="BDI"/>
      </bookmark></watchlist></watchlists>)");
    EXPECT_EQ((std::set<Instrument*>{arpi}), TableOfPage(board, 0)->Bookmarks())
        << "CDG is known but not on this tab; GONE is unknown; BDI lacks its exchange";
}

TEST_F(LoadTabs, FiltersAreBuiltHandedToTheTableAndMarkThePage)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
      <watchlist name="Plain" type="7" exchange="KTX"/>
      <watchlist name="Filtered" type="7" exchange="AMX"><filters>
        <column id="6"><filter condition="3" value="10"/><filter condition="1" value="20"/></column>
        <column id="14"><filter condition="2" value="100"/></column>
        <column id="6"><filter condition="4" value="15"/></column>
      </filters></watchlist></watchlists>)");
    ASSERT_EQ(2u, board->GetNotebook()->GetPageCount());
    EXPECT_EQ(-1, board->GetNotebook()->GetPageImage(0));
    EXPECT_EQ(0, board->GetNotebook()->GetPageImage(1));

    ASSERT_EQ(1u, board->TabFilters().size());
    wxWindow* page = board->GetNotebook()->GetPage(1);
    ASSERT_EQ(1u, board->TabFilters().count(page));
    const FilterSet* filter = board->TabFilters().at(page).get();
    EXPECT_EQ(filter, TableOfPage(board, 1)->GetFilter());
    EXPECT_EQ(nullptr, TableOfPage(board, 0)->GetFilter());

    ASSERT_EQ(2u, filter->columns.size());
    const std::vector<FilterCondition>& last = filter->columns.at(6);
    ASSERT_EQ(1u, last.size()) << "the later column 6 replaced the earlier";
    EXPECT_EQ(4, last[0].condition);
    EXPECT_EQ("15", last[0].value);
    EXPECT_EQ(2, filter->columns.at(14).at(0).condition);
}

TEST_F(LoadTabs, AnUnreadableStoreIsLoggedButLaterTabsAndAlertsStillLoad)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Core"/>
        <watchlist name="Again"/>
        <watchlist name="Kanto" type="7" exchange="KTX"/>
      </watchlists>
      <alerts><alert exchange="AMX" code="AI" value="5"/></alerts>)");
    ASSERT_EQ((std::vector<wxString>{"Core", "Again", "Kanto Exchange (KTX)"}), PageLabels(board));
    EXPECT_TRUE(Shown(board, 0).empty());
    EXPECT_EQ(2u, Shown(board, 2).size());
    EXPECT_EQ(1u, board->Alerts().count(ai));
    const std::string text = log.str();
    EXPECT_EQ(0u, text.find("[Tickerdeck] Tickerdeck::Load error:")) << text;
    EXPECT_NE(std::string::npos, text.find("cannot open file")) << text;
    EXPECT_EQ(1, std::count(text.begin(), text.end(), '\n')) << "reported once per load: " << text;
}

TEST_F(LoadTabs, AutoFitRunsOnEveryGridIncludingNamelessOnes)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="A" type="7" exchange="AMX"><columns><column id="1" size="3" show="true"/></columns></watchlist>
        <watchlist type="7" exchange="AMX"><columns><column id="1" size="3" show="true"/></columns></watchlist>
      </watchlists>)");
    ASSERT_EQ(2u, board->GetGrids().size());
    for (wxGridEx* grid : board->GetGrids())
        EXPECT_GT(grid->GetColSize(1), 3) << "fitting widened the stored width";
}

}  // namespace

namespace {

class LoadLargeExchange : public LoadFixture
{
};

TEST_F(LoadLargeExchange, AWholeExchangeFillsOneTabWithOneSubscriptionPerInstrument)
{
    constexpr int kInstruments = 20000;
    Exchange big;
    big.code = "BIG";
    big.name = "Big Board";
    big.instruments.reserve(kInstruments);
    for (int index = 0; index < kInstruments; ++index)
        big.instruments.push_back(host.AddInstrument("B" + std::to_string(index), "BIG"));
    host.exchanges.push_back(big);

    const auto started = std::chrono::steady_clock::now();
    Tickerdeck* board = LoadNode(R"(<setting><general auto_fit_column_width="false"/></setting>
        <watchlists><watchlist name="All" type="7" exchange="BIG"/></watchlists>)");
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::cout << "[ timing   ] 20000-instrument tab loaded in " << elapsed.count() << " ms\n";

    wxGridEx* grid = GridOfPage(board, 0);
    ASSERT_NE(nullptr, grid);
    EXPECT_EQ(kInstruments, grid->GetNumberRows());
    EXPECT_EQ(static_cast<size_t>(kInstruments), host.subscribes.size());
    EXPECT_EQ(static_cast<size_t>(kInstruments), board->GetSubscriptions().size());
    EXPECT_EQ(big.instruments.back(), Tickerdeck::TableOf(grid)->RowPrice(kInstruments - 1)->instrument);
}

}  // namespace
