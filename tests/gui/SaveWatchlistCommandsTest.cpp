// The watchlist commands on the store every board shares: two boards and a
// second writer of the file, each operation checked in the file and in the
// board that did not run it.

#include <functional>

#include "commands/RowCommands.h"
#include "controls/wxFlatNotebookEvent.h"
#include "store/WatchlistStoreService.h"
#include "support/BoardFixture.h"
#include "watchlist/TabMenu.h"
#include "watchlist/WatchlistCommands.h"
#include "watchlist/WatchlistTabs.h"

namespace
{

using layout::InstrumentRef;
using namespace testing_support;
using Refs = std::vector<InstrumentRef>;
using Names = std::vector<std::string>;

class SharedStore : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        WriteStore(StoreWith(""));
        a = LoadNode(kTabs);
        b = LoadNode(kTabs, 0, new wxPanel(frame));
    }

    // Core: CDG, BDI, TKE; First: ARPI; Last: empty. `coreExtra` is what a
    // second writer added to Core.
    static std::string StoreWith(const std::string& coreExtra)
    {
        return R"(<watchlist name="First"><instrument exchange="AMX" code="ARPI"/></watchlist>)"
               R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="AMX" code="BDI"/>)"
               R"(<instrument exchange="KTX" code="TKE"/>)" +
               coreExtra + R"(</watchlist><watchlist name="Last"/>)";
    }

public:
    // The rows of `board`'s tab `page` showing `codes`, as a command would point at them.
    static RowTargets Rows(Tickerdeck* board, size_t page, const std::vector<std::string>& codes)
    {
        board->Tabs().Notebook()->SetSelection(page);
        RowTargets targets;
        targets.grid = GridOfPage(board, page);
        for (const std::string& code : codes)
            for (Price* price : Tickerdeck::TableOf(targets.grid)->Members().List())
                if (price->instrument->code == code)
                    targets.quotes.push_back(price);
        return targets;
    }

protected:
    static constexpr const char* kTabs =
        R"(<watchlists><watchlist name="Core" type="1"/><watchlist name="First" type="1" current="false"/></watchlists>)";
    Tickerdeck* a = nullptr;
    Tickerdeck* b = nullptr;
};

struct Operation
{
    const char* what;
    std::function<void(Tickerdeck*)> run;
    Names names;                        // stored names afterwards
    Refs core;                          // the first list's instruments after the operation
    const char* coreName;               // and its name, which the other board's first tab shows
    std::vector<std::string> otherRows; // with these rows
};

std::vector<std::string> Codes(const std::vector<Instrument*>& instruments)
{
    std::vector<std::string> codes;
    for (const Instrument* instrument : instruments)
        codes.push_back(instrument->code);
    return codes;
}

class EveryOperation : public SharedStore, public ::testing::WithParamInterface<Operation>
{
};

// Each operation runs in board a after a second writer added KSM to Core.
TEST_P(EveryOperation, IsOneWriteThatTheOtherBoardFollowsAndTheSecondWritersChangeSurvives)
{
    const Operation& operation = GetParam();
    WriteStore(StoreWith(R"(<instrument exchange="KTX" code="KSM"/>)"));
    operation.run(a);

    EXPECT_EQ(operation.names, store::ListWatchlistNames(host.applicationFilePath));
    EXPECT_EQ(operation.core, Stored(operation.coreName));
    Flush();
    EXPECT_EQ(operation.names, b->Features().FindFeature<WatchlistCommands>()->GetTabMenu()->Names());
    EXPECT_EQ(operation.coreName, b->Tabs().Notebook()->GetPageText(0));
    EXPECT_EQ(operation.otherRows, Codes(Shown(b, 0)));
    Saved(a);
    Saved(b);
    EXPECT_EQ(operation.names, store::ListWatchlistNames(host.applicationFilePath))
        << "saving brings nothing back";
    EXPECT_EQ(operation.core, Stored(operation.coreName));
}

INSTANTIATE_TEST_SUITE_P(
    SharedStore, EveryOperation,
    ::testing::Values(
        Operation{"Edit",
                  [](Tickerdeck* board)
                  {
                      WatchlistTabs(*board).SaveEditedWatchlist(
                          "Core", "Core", {{"AMX", "CDG"}, {"AMX", "BDI"}, {"KTX", "TKE"}},
                          {{"KTX", "TKE"}, {"AMX", "CDG"}, {"AMX", "AI"}});
                  },
                  {"First", "Core", "Last"}, {{"KTX", "TKE"}, {"AMX", "CDG"}, {"AMX", "AI"}, {"KTX", "KSM"}}, "Core",
                  {"TKE", "CDG", "AI", "KSM"}},
        Operation{"Rename",
                  [](Tickerdeck* board) { WatchlistTabs(*board).RenameWatchlist("Core", "Renamed"); },
                  {"First", "Renamed", "Last"}, {{"AMX", "CDG"}, {"AMX", "BDI"}, {"KTX", "TKE"}, {"KTX", "KSM"}},
                  "Renamed", {"CDG", "BDI", "TKE", "KSM"}},
        Operation{"Delete",
                  [](Tickerdeck* board) { WatchlistTabs(*board).DeleteWatchlist("Core"); },
                  {"First", "Last"}, {}, "Core", {"CDG", "BDI", "TKE", "KSM"}}),
    [](const ::testing::TestParamInfo<Operation>& info) { return std::string(info.param.what); });

TEST_F(SharedStore, AMoveIsOnDiskAtOnceAndAFailedOneChangesNothingAndSaysWhy)
{
    const std::string readable = StoreBytes();
    ASSERT_TRUE(a->GetStore()->Refresh());
    WriteBytes(host.applicationFilePath, "broken <");
    RowCommands::MoveTo(*a, Rows(a, 0, {"CDG", "TKE"}), "Last");
    EXPECT_EQ("broken <", StoreBytes());
    EXPECT_EQ(Codes(Shown(a, 0)), (std::vector<std::string>{"CDG", "BDI", "TKE"}));
    // The tab menu names the problem and reads the file again when it opens.
    WatchlistCommands* commands = a->Features().FindFeature<WatchlistCommands>();
    const auto open = [this] {
        wxFlatNotebookEvent opening(wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU, a->Tabs().Notebook()->GetId(), 0, 0);
        a->Tabs().Notebook()->GetEventHandler()->ProcessEvent(opening);
    };
    open();
    wxMenu* watchlists = commands->GetTabMenu()->GetWatchlistsMenu();
    ASSERT_EQ(1u, watchlists->GetMenuItemCount());
    EXPECT_FALSE(watchlists->FindItemByPosition(0)->IsEnabled());

    WriteBytes(host.applicationFilePath, readable);
    open();
    EXPECT_EQ(3u, commands->GetTabMenu()->GetWatchlistsMenu()->GetMenuItemCount()) << "the problem is gone";

    RowCommands::MoveTo(*a, Rows(a, 0, {"CDG", "TKE"}), "Last");
    // Read straight from the file, as a process killed now would leave it.
    EXPECT_EQ((Refs{{"AMX", "CDG"}, {"KTX", "TKE"}}), Stored("Last"));
    EXPECT_EQ((Refs{{"AMX", "BDI"}}), Stored("Core"));
}

TEST_F(SharedStore, ALateAnswerForAnInstrumentTheEditTookOutBringsNothingBackNorDoesADeletedListsOtherTab)
{
    host.reply = FakeHost::Reply::Later;
    WatchlistTabs(*a).SaveEditedWatchlist("First", "First", {{"AMX", "ARPI"}},
                                          {{"AMX", "ARPI"}, {"AMX", "AI"}, {"KTX", "KSM"}});
    TableOfPage(a, 1)->Members().Bookmarks().insert(arpi);
    WatchlistTabs(*a).SaveEditedWatchlist("First", "First", {{"AMX", "ARPI"}, {"AMX", "AI"}, {"KTX", "KSM"}},
                                          {{"KTX", "KSM"}});
    host.DeliverPending();
    EXPECT_EQ((std::vector<Instrument*>{ksm}), Shown(a, 1));
    EXPECT_TRUE(TableOfPage(a, 1)->Members().Bookmarks().empty()) << "a bookmark goes with its row";
    Saved(a);
    EXPECT_EQ((Refs{{"KTX", "KSM"}}), Stored("First"));

    // The other board's tab of a deleted list keeps its rows as a plain tab.
    WatchlistTabs(*a).DeleteWatchlist("Core");
    EXPECT_EQ(layout::kPlainTab, TableOfPage(b, 0)->Identity().tabType);
    WatchlistTabs(*a).CreateWatchlistTab("Core", {{"AMX", "AI"}});
    Saved(b);
    EXPECT_EQ((Refs{{"AMX", "AI"}}), Stored("Core")) << "the plain tab is not saved into the new list";
}

TEST_F(SharedStore, ANameThatIsNotUtf8OrLooksLikeAnExchangeTabIsKnownByItsBytes)
{
    const std::string latin = "Caf\xE9";
    const std::string exchangeLike = "Atlantic Markets Exchange (AMX)";
    WriteStore(R"(<watchlist name=")" + latin + R"("><instrument exchange="AMX" code="AI"/></watchlist>)" +
               R"(<watchlist name=")" + exchangeLike +
               R"("><instrument exchange="KTX" code="TKE"/></watchlist>)");
    HoldControl(true);
    WatchlistCommands* commands = a->Features().FindFeature<WatchlistCommands>();
    WatchlistTabs(*a).BuildTab(layout::TabSource::WholeExchange("AMX"));
    const size_t exchangePage = a->Tabs().Notebook()->GetPageCount() - 1;
    ASSERT_EQ(wxString(exchangeLike), a->Tabs().Notebook()->GetPageText(exchangePage));
    commands->OpenWatchlist(exchangeLike);
    commands->OpenWatchlist(latin);
    const size_t latinPage = a->Tabs().Notebook()->GetPageCount() - 1;
    EXPECT_EQ(wxString::FromUTF8("Caf\xEF\xBF\xBD"), a->Tabs().Notebook()->GetPageText(latinPage));
    EXPECT_EQ((std::vector<Instrument*>{ai}), Shown(a, latinPage));
    EXPECT_EQ((std::vector<Instrument*>{tke}), Shown(a, latinPage - 1));
    EXPECT_EQ(4u, Shown(a, exchangePage).size()) << "the exchange tab is not taken for the watchlist";

    WatchlistTabs(*a).RenameWatchlist(latin, latin + " 2");
    EXPECT_EQ((Names{latin + " 2", exchangeLike}), store::ListWatchlistNames(host.applicationFilePath));
    commands->SetQuestion([](wxWindow*, const wxString&, const wxString&) { return true; });
    commands->DeleteWatchlist(latin + " 2");
    commands->DeleteWatchlist(exchangeLike);
    EXPECT_TRUE(store::ListWatchlistNames(host.applicationFilePath).empty());
    EXPECT_EQ(a->Tabs().Notebook()->GetPageText(a->Tabs().Notebook()->GetPageCount() - 1), wxString(exchangeLike));
    EXPECT_EQ(layout::kExchangeTab, TableOfPage(a, a->Tabs().Notebook()->GetPageCount() - 1)->Identity().tabType);
}

} // namespace
