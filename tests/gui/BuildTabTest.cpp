// Opening watchlists, categories and exchanges as tabs, with and without Ctrl.

#include "support/BoardFixture.h"
#include "watchlist/WatchlistTabs.h"
#include "layout/TabSource.h"

namespace {

using layout::TabSource;
using namespace testing_support;

class BuildTab : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        // One category in each of the kinds 3 to 6 of AMX.
        Exchange& amx = host.exchanges[0];
        for (int kind = 3; kind <= 6; ++kind)
        {
            CategoryGroup& group = amx.groups[kind - 2];
            const std::string key = "K" + std::to_string(kind);
            group.categories.push_back(Category{key, {kind % 2 ? ai : cdg}});
            // The host's names may hold line breaks; a tab label never does.
            if (kind != 5)
                group.displayNames[key] = (kind == 3 ? "Kind\r\n" : "Kind ") + std::to_string(kind);
        }
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="AMX" code="NOPE"/>)"
                   R"(<instrument exchange="KTX" code="TKE"/></watchlist>)"
                   R"(<watchlist name="Pair"><instrument exchange="AMX" code="AI"/></watchlist>)"
                   R"(<watchlist name="Pair"><instrument exchange="AMX" code="BDI"/></watchlist>)");
        board = LoadNode(R"(<setting><general auto_fit_column_width="false"/></setting><watchlists>
            <watchlist name="Start" type="1"/></watchlists>)");
        start = GridOfPage(board, 0);
        for (Instrument* instrument : {arpi, ksm})
            board->Rows().SubscribeRow(instrument, start, BoardRows::Delivery::Interactive);
        start->SetSortingColumn(6, true);
    }

    size_t Pages() const { return board->Tabs().Notebook()->GetPageCount(); }
    wxString CurrentLabel() const
    {
        return board->Tabs().Notebook()->GetPageText(static_cast<size_t>(board->Tabs().Notebook()->GetSelection()));
    }

    WatchlistTabs Tabs() const { return WatchlistTabs(*board); }

    wxGridEx* start = nullptr;
};

TEST_F(BuildTab, WithoutCtrlTheCurrentTabIsRepointedForEveryTypeAndUnknownSourcesChangeNothing)
{
    HoldControl(false);
    Tabs().BuildTab(TabSource::WholeExchange("NOPE"));
    Tabs().BuildTab(TabSource::Category(3, "AMX", "TECH"));  // TECH is a kind-2 category
    Tabs().BuildTab(TabSource::Category(2, "AMX", "GONE"));
    const std::string store = StoreBytes();
    WriteBytes(host.applicationFilePath, "<application><watch");
    Tabs().BuildTab(TabSource::Watchlist("Core"));
    EXPECT_EQ(1u, Pages());
    EXPECT_EQ("Start", CurrentLabel());
    EXPECT_EQ((std::vector<Instrument*>{arpi, ksm}), InstrumentsShown(start));
    EXPECT_TRUE(host.unsubscribes.empty());
    EXPECT_EQ("<application><watch", StoreBytes());
    WriteBytes(host.applicationFilePath, store);

    const std::vector<std::pair<TabSource, wxString>> cases{
        {TabSource::Watchlist("Core"), "Core"},
        {TabSource::Category(2, "AMX", "TECH"), "Technology (AMX)"},
        {TabSource::Category(2, "AMX", "MISC"), "MISC (AMX)"},
        {TabSource::Category(3, "AMX", "K3"), "Kind 3 (AMX)"},
        {TabSource::Category(5, "AMX", "K5"), "K5 (AMX)"},
        {TabSource::WholeExchange("KTX"), "Kanto Exchange (KTX)"},
    };
    const std::vector<std::vector<Instrument*>> rows{{cdg, tke}, {bdi, arpi}, {cdg}, {ai}, {ai}, {tke, ksm}};
    Tickerdeck::TableOf(start)->Members().Bookmarks().insert(arpi);
    for (size_t i = 0; i < cases.size(); ++i)
    {
        Tabs().BuildTab(cases[i].first);
        EXPECT_EQ(start, board->Tabs().CurrentGrid());
        EXPECT_EQ(cases[i].second, CurrentLabel());
        EXPECT_EQ(rows[i], InstrumentsShown(start)) << i;
        EXPECT_EQ(static_cast<int>(rows[i].size()), start->GetNumberRows());
        EXPECT_EQ(wxNOT_FOUND, start->GetSortingColumn()) << "re-pointing clears the sort";
        TickerdeckTable* table = Tickerdeck::TableOf(start);
        EXPECT_EQ(cases[i].first.type, table->Identity().tabType);
        EXPECT_EQ(cases[i].first.category, table->Identity().category);
    }
    // Every instrument the tab showed before was released once.
    EXPECT_EQ(1, host.ActiveSubscriptions(board, ksm, ""));
    EXPECT_EQ(0, host.ActiveSubscriptions(board, arpi, ""));
    EXPECT_EQ(0, host.ActiveSubscriptions(board, cdg, ""));
    TickerdeckTable* table = Tickerdeck::TableOf(start);
    EXPECT_EQ("KTX", table->Identity().exchange);
    EXPECT_EQ("", table->Identity().watchlistName);
    EXPECT_TRUE(table->Members().Bookmarks().empty()) << "bookmarks of rows the tab no longer shows";

    Tickerdeck* restored =
        LoadNode(R"(<watchlists><watchlist name="x" type="3" exchange="AMX" category="K3"/></watchlists>)");
    EXPECT_EQ("Kind 3 (AMX)", restored->Tabs().Notebook()->GetPageText(0));
}

TEST_F(BuildTab, WithCtrlANewTabOpensBesideTheCurrentOne)
{
    HoldControl(true);
    Tabs().BuildTab(TabSource::Watchlist("Pair"));
    ASSERT_EQ(2u, Pages());
    wxGridEx* grid = board->Tabs().CurrentGrid();
    ASSERT_NE(start, grid);
    EXPECT_EQ("Pair", CurrentLabel());
    EXPECT_EQ((std::vector<Instrument*>{ai, bdi}), InstrumentsShown(grid)) << "both watchlists of the name";
    EXPECT_EQ("Pair", Tickerdeck::TableOf(grid)->Identity().watchlistName);
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn());
    EXPECT_EQ((std::vector<Instrument*>{arpi, ksm}), InstrumentsShown(start)) << "the old tab is untouched";

    Tabs().BuildTab(TabSource::Category(2, "AMX", "TECH"));
    Tabs().BuildTab(TabSource::WholeExchange("AMX"));
    EXPECT_EQ(4u, Pages());
    EXPECT_EQ("Atlantic Markets Exchange (AMX)", CurrentLabel());
    EXPECT_EQ(4, board->Tabs().CurrentGrid()->GetNumberRows());
    Tabs().BuildTab(TabSource::Watchlist("Pair"));
    EXPECT_EQ(4u, Pages()) << "a list open in a tab already is shown there";
    EXPECT_EQ(grid, board->Tabs().CurrentGrid());
}

}  // namespace
