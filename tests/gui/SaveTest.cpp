// Saving a board into its window node and its stored watchlists into the
// shared store, including damaged nodes and stores that cannot be read.

#include <set>
#include <string>
#include <vector>

#include <wx/translation.h>

#include "layout/WindowNodeReader.h"
#include "support/BoardFixture.h"

namespace {

using layout::InstrumentRef;
using testing_support::Tree;
using testing_support::Xml;

// The alert's codes are outside the tables a newer program may have written.
const char* const kArranged = R"(
  <setting>
    <controls control_by_instrument="true" control_by_order="true" control_by_position="false" control_instrument="false" control_autoinstrument="true"/>
    <general autoinstrument="true" f1_change_instrument="false" title="Desk &lt;1&gt; &#233;" auto_fit_column_width="false" show_volume_ink="true" stale_after_seconds="30"/>
  </setting>
  <watchlists>
    <watchlist name="Core" current="false" type="1">
      <columns>
        <column id="6" size="91" show="true" sort="true" ascending="false" position="0"/>
        <column id="1" size="120" show="true" position="2"/>
        <column id="3" size="0" show="false" position="5"/>
      </columns>
      <filters><column id="2"><filter condition="3" value="CDG"/></column></filters>
      <bookmark><instrument exchange="KTX" code="TKE"/><instrument exchange="AMX" code="CDG"/></bookmark>
    </watchlist>
    <watchlist name="Tech" current="true" type="2" exchange="AMX" category="TECH"/>
    <watchlist name="KTX" current="false" type="7" exchange="KTX"/>
  </watchlists>
  <alerts>
    <alert code="ARPI" exchange="AMX" type="32768" condition="9" value="12.5" remark="watch &amp; see"/>
  </alerts>)";

const char* const kCoreStore = R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/>)"
                               R"(<instrument exchange="KTX" code="TKE"/><instrument exchange="AMX" code="AI"/></watchlist>)";

using Save = testing_support::BoardFixture;

TEST_F(Save, LoadSaveLoadGivesTheSameNodeAndLeavesTheStoreAlone)
{
    WriteStore(kCoreStore);
    const std::string storeBefore = StoreBytes();
    const ino_t storeIdentity = StoreIdentity();

    const Tree once = Saved(LoadNode(kArranged));
    nodes.push_back(std::make_unique<Tree>(once));
    const Tree twice = Saved(LoadBoard(nullptr, nodes.back().get()));
    EXPECT_EQ(Xml(once), Xml(twice));
    EXPECT_EQ(storeBefore, StoreBytes());
    EXPECT_EQ(storeIdentity, StoreIdentity()) << "an unchanged store is not rewritten";
    EXPECT_TRUE(log.str().empty()) << log.str();

    // What was arranged is what was written, as written out by hand from the
    // node above: a field both saves lose would pass the comparison above.
    Tree withoutColumns = once;
    for (auto& [key, tab] : withoutColumns.get_child("watchlists"))
        tab.erase("columns");
    const Tree expected = testing_support::Node(
        R"x(<setting><controls control_by_instrument="true" control_by_order="true" control_by_position="false" )x"
        R"x(control_instrument="false" control_autoinstrument="true"/><general autoinstrument="true" )x"
        R"x(f1_change_instrument="false" title="Desk &lt;1&gt; &#233;" auto_fit_column_width="false" )x"
        R"x(show_volume_ink="true" stale_after_seconds="30"/></setting><watchlists><watchlist name="Core" current="false" type="1">)x"
        R"x(<filters><column id="2"><filter condition="3" value="CDG" row="0"/></column></filters><bookmark>)x"
        R"x(<instrument exchange="AMX" code="CDG"/><instrument exchange="KTX" code="TKE"/></bookmark></watchlist>)x"
        R"x(<watchlist name="Technology (AMX)" current="true" type="2" exchange="AMX" category="TECH"/>)x"
        R"x(<watchlist name="Kanto Exchange (KTX)" current="false" type="7" exchange="KTX"/></watchlists>)x"
        R"x(<alerts><alert code="ARPI" exchange="AMX" type="32768" condition="9" value="12.5" remark="watch &amp; see"/>)x"
        R"x(</alerts>)x");
    EXPECT_EQ(Xml(expected), Xml(withoutColumns));

    const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(once.get_child("watchlists"));
    ASSERT_EQ(31u, tabs[0].columns.size());
    EXPECT_FALSE(tabs[0].columns[3].show);
    EXPECT_EQ(2, tabs[0].columns[1].position);
    const std::string xml = Xml(once);
    EXPECT_NE(std::string::npos, xml.find("<column id=\"6\" name=\"Last\" size=\"91\" show=\"true\" sort=\"true\" "
                                          "ascending=\"false\" position=\"0\"/>"))
        << xml;
}

TEST_F(Save, ColumnNamesAreWrittenInEnglishWhileTheGridShowsThemInGerman)
{
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix("locale");  // the build's runtime folder
    auto* german = new wxTranslations;
    german->SetLanguage(wxLANGUAGE_GERMAN);
    wxTranslations::Set(german);
    ASSERT_TRUE(german->AddCatalog("tickerdeck"));
    const std::string xml = Xml(Saved(LoadNode(kArranged)));
    wxTranslations::Set(nullptr);
    EXPECT_NE(std::string::npos, xml.find("<column id=\"6\" name=\"Last\" ")) << xml;
}

TEST_F(Save, ChangedFilteredTabsStoreEveryRowInStoredOrderAndUnchangedOnesLeaveOthersWritesAlone)
{
    WriteStore(kCoreStore);
    Tickerdeck* board = LoadNode(kArranged);
    wxGridEx* core = GridOfPage(board, 0);
    auto filter = std::make_unique<testing_support::HideInstruments>(std::set<const Instrument*>{tke});
    ApplyFilter(core, filter.get());
    board->TabFilters()[core->GetSplitter()] = std::move(filter);
    ASSERT_EQ(2, core->GetNumberRows());

    WriteStore(R"(<watchlist name="Other"><instrument exchange="AMX" code="BDI"/></watchlist>)"
               R"(<watchlist name="Core"><instrument exchange="AMX" code="AI"/></watchlist>)");
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "AI"}}), Stored("Core")) << "the tab is as it was read";

    board->SubscribeRow(arpi, core, Tickerdeck::Delivery::Interactive);
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "AI"}, {"AMX", "ARPI"}}), Stored("Core"))
        << "what the other program took out stays out";
    EXPECT_EQ((std::vector<std::string>{"Other", "Core"}), layout::ListWatchlistNames(host.applicationFilePath));
}

TEST_F(Save, ATabsNewRowsAreStoredWhenALaterTabAlreadyMatchesTheStore)
{
    WriteStore(kCoreStore);
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/><watchlist name="Core" type="1"/>
      </watchlists>)");
    for (size_t page : {0, 1})
        board->SubscribeRow(arpi, GridOfPage(board, page), Tickerdeck::Delivery::Interactive);
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}, {"AMX", "AI"}, {"AMX", "ARPI"}}),
              Stored("Core"));
}

TEST_F(Save, AStoreThatCannotBeReadIsReportedNeverOverwrittenAndAMissingOneIsCreated)
{
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
    board->SubscribeRow(ai, GridOfPage(board, 0), Tickerdeck::Delivery::Interactive);
    const std::string corrupt = "<application><watchlists><watchlist name=\"Core\">";
    testing_support::WriteBytes(host.applicationFilePath, corrupt);
    log.str("");
    const Tree node = Saved(board);
    EXPECT_EQ(corrupt, StoreBytes());
    EXPECT_EQ("Core", node.get<std::string>("watchlists.watchlist.<xmlattr>.name")) << "the node is still written";
    EXPECT_NE(log.str().find("cannot save the watchlists to " + host.applicationFilePath), std::string::npos)
        << log.str();

    std::filesystem::remove(host.applicationFilePath);
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "AI"}}), Stored("Core"));
}

TEST_F(Save, OwnFrameWindowsBecomeTheDefaultWithTheFrameSize)
{
    WriteStore("");
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="W" type="1"/></watchlists>)", window_flag::OwnFrame);
    frame->SetSize(777, 555);
    Tree source;
    source.put("application.layout.default.tickerdeck.stale", "x");
    const Tree node = Saved(board, &source);

    const Tree& copied = source.get_child(layout::kDefaultWindowPath);
    EXPECT_FALSE(copied.get_optional<std::string>("stale"));
    EXPECT_EQ("777", copied.get<std::string>("<xmlattr>.size-x"));
    EXPECT_EQ("555", copied.get<std::string>("<xmlattr>.size-y"));
    EXPECT_EQ(Xml(node.get_child("watchlists")), Xml(copied.get_child("watchlists")));
    EXPECT_FALSE(node.get_optional<std::string>("<xmlattr>.size-x")) << "the window's own node has no size";

    Tree untouched;
    Saved(LoadNode(R"(<watchlists><watchlist name="W" type="1"/></watchlists>)"), &untouched);
    EXPECT_TRUE(untouched.empty()) << "a docked window leaves the default alone";
}

TEST_F(Save, InstrumentsTheHostDoesNotKnowTodayKeepTheirPlaceInTheStore)
{
    // SYN is an exchange the terminal only has when started with it.
    const std::string rows = R"(<?xml version="1.0" encoding="utf-8"?>
<application><watchlists><watchlist name="Core"><instrument exchange="AMX" code="CDG"/>)"
                             R"(<instrument exchange="SYN" code="GHOST"/><instrument exchange="AMX" code="AI"/>)";
    const std::string end = "</watchlist></watchlists></application>";
    testing_support::WriteBytes(host.applicationFilePath, rows + end);
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
    ASSERT_EQ((std::vector<Instrument*>{cdg, ai}), Shown(board, 0));
    Saved(board);
    EXPECT_EQ(rows + end, StoreBytes());

    // A row added since loading makes the save rewrite the watchlist, even
    // one the host has not answered yet.
    host.reply = testing_support::FakeHost::Reply::Later;
    board->SubscribeRow(tke, GridOfPage(board, 0), Tickerdeck::Delivery::Interactive);
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"SYN", "GHOST"}, {"AMX", "AI"}, {"KTX", "TKE"}}),
              Stored("Core"));
    host.DeliverPending();
}

}  // namespace
