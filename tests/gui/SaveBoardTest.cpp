// Saving a board into its window node and its stored watchlists into the store.

#include <chrono>
#include <string>
#include <vector>

#include <wx/grid.h>

#include "SaveTestFixture.h"
#include "controls/wxFlatNotebook.h"
#include "layout/WatchlistStore.h"
#include "layout/WindowNodeReader.h"

namespace {

using layout::InstrumentRef;
using testing_support::SaveFixture;
using testing_support::Tree;

/// A filter rule that hides one instrument, whatever its conditions say.
class HidingFilter : public FilterSet
{
public:
    explicit HidingFilter(const Instrument* hidden) : m_hidden(hidden) {}
    bool Accepts(const Price& price) const override { return price.instrument != m_hidden; }

private:
    const Instrument* m_hidden;
};

class SaveBoard : public SaveFixture
{
protected:
    void HideTke(Tickerdeck* board, wxGridEx* grid)
    {
        auto filter = std::make_unique<HidingFilter>(tke);
        filter->columns[2] = {{3, "TKE"}};
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        table->SetFilter(filter.get());
        table->RebuildRowsFromMembers();
        Tickerdeck::SyncRowCount(grid);
        board->TabFilters()[grid->GetSplitter()] = std::move(filter);
    }
};

const char* const kArranged = R"(
  <setting>
    <controls control_by_instrument="true" control_by_order="true" control_by_position="false" control_instrument="false" control_autoinstrument="true"/>
    <general autoinstrument="true" f1_change_instrument="false" title="Desk &lt;1&gt; &#233;" auto_fit_column_width="false" show_volume_ink="true"/>
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
    <alert code="ARPI" exchange="AMX" type="4096" condition="2" value="12.5" remark="watch &amp; see"/>
  </alerts>)";

TEST_F(SaveBoard, LoadSaveLoadGivesTheSameNodeAndLeavesTheStoreAlone)
{
    StoreWatchlists(R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/>)"
                    R"(<instrument exchange="KTX" code="TKE"/><instrument exchange="AMX" code="AI"/></watchlist>)");
    const std::string storeBefore = StoreBytes();
    const ino_t storeIdentity = FileIdentity(host.applicationFilePath);

    Tickerdeck* first = LoadNode(kArranged);
    const Tree once = Saved(first);
    nodes.push_back(std::make_unique<Tree>(once));
    Tickerdeck* second = LoadBoard(nullptr, nodes.back().get());
    const Tree twice = Saved(second);

    EXPECT_EQ(Xml(once), Xml(twice));
    EXPECT_EQ(storeBefore, StoreBytes());
    EXPECT_EQ(storeIdentity, FileIdentity(host.applicationFilePath)) << "an unchanged store is not rewritten";

    // What was arranged is what was written.
    const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(once.get_child("watchlists"));
    ASSERT_EQ(3u, tabs.size());
    EXPECT_EQ("Core", tabs[0].name);
    EXPECT_FALSE(tabs[0].current);
    EXPECT_EQ("Technology (AMX)", tabs[1].name);
    EXPECT_TRUE(tabs[1].current);
    EXPECT_EQ(2, tabs[1].type);
    EXPECT_EQ("TECH", tabs[1].category);
    EXPECT_EQ("Kanto Exchange (KTX)", tabs[2].name);
    EXPECT_EQ(7, tabs[2].type);
    ASSERT_EQ(31u, tabs[0].columns.size());
    const layout::ColumnEntry& last = tabs[0].columns[6];
    EXPECT_TRUE(last.sort);
    EXPECT_FALSE(last.ascending);
    EXPECT_EQ(91, last.size);
    EXPECT_EQ(0, last.position);
    EXPECT_FALSE(tabs[0].columns[3].show);
    EXPECT_EQ(0, tabs[0].columns[3].size);
    EXPECT_EQ(2, tabs[0].columns[1].position);
    const Tree& secondColumn = std::next(once.get_child("watchlists.watchlist.columns").begin())->second;
    EXPECT_EQ("1", secondColumn.get<std::string>("<xmlattr>.id"));
    EXPECT_EQ("Name", secondColumn.get<std::string>("<xmlattr>.name"));
    ASSERT_TRUE(tabs[0].hasFilters);
    EXPECT_EQ("CDG", tabs[0].filters.at(2).at(0).value);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}}), tabs[0].bookmarks)
        << "bookmarks follow the stored rows";

    EXPECT_EQ("Desk <1> \xC3\xA9", once.get<std::string>("setting.general.<xmlattr>.title"));
    EXPECT_EQ("false", once.get<std::string>("setting.general.<xmlattr>.f1_change_instrument"));
    EXPECT_EQ("true", once.get<std::string>("setting.controls.<xmlattr>.control_by_order"));
    EXPECT_EQ("false", once.get<std::string>("setting.controls.<xmlattr>.control_instrument"));
    EXPECT_EQ("12.5", once.get<std::string>("alerts.alert.<xmlattr>.value"));
    EXPECT_EQ("watch & see", once.get<std::string>("alerts.alert.<xmlattr>.remark"));
    EXPECT_TRUE(log.str().empty()) << log.str();
}

TEST_F(SaveBoard, SettingsAndTabAttributesAreWrittenInTheirOrder)
{
    StoreWatchlists("");
    Tickerdeck* board = LoadNode(kArranged);
    const std::string xml = Xml(Saved(board));
    EXPECT_NE(std::string::npos,
              xml.find("<controls control_by_instrument=\"true\" control_by_order=\"true\" control_by_position=\"false\" "
                       "control_instrument=\"false\" control_autoinstrument=\"true\"/>"))
        << xml;
    EXPECT_NE(std::string::npos, xml.find("<general autoinstrument=\"true\" f1_change_instrument=\"false\" "
                                          "title=\"Desk &lt;1&gt; \xC3\xA9\" auto_fit_column_width=\"false\" "
                                          "show_volume_ink=\"true\"/>"))
        << xml;
    EXPECT_NE(std::string::npos,
              xml.find("<watchlist name=\"Technology (AMX)\" current=\"true\" type=\"2\" exchange=\"AMX\" category=\"TECH\">"));
    EXPECT_NE(std::string::npos,
              xml.find("<column id=\"6\" name=\"Last\" size=\"91\" show=\"true\" sort=\"true\" ascending=\"false\" "
                       "position=\"0\"/>"))
        << xml;
    EXPECT_LT(xml.find("<setting>"), xml.find("<watchlists>"));
    EXPECT_LT(xml.find("<watchlists>"), xml.find("<alerts>"));
    EXPECT_LT(xml.find("<columns>"), xml.find("<filters>"));
    EXPECT_LT(xml.find("<filters>"), xml.find("<bookmark>"));
}

TEST_F(SaveBoard, FilteredTabsStoreEveryRowInStoredOrder)
{
    StoreWatchlists(R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/>)"
                    R"(<instrument exchange="KTX" code="TKE"/><instrument exchange="AMX" code="AI"/></watchlist>)"
                    R"(<watchlist name="Other"><instrument exchange="AMX" code="BDI"/></watchlist>)");
    Tickerdeck* board = LoadNode(kArranged);
    wxGridEx* core = GridOfPage(board, 0);
    HideTke(board, core);
    ASSERT_EQ(2u, Tickerdeck::TableOf(core)->Rows().size());

    // Another window wrote a shorter list meanwhile; this board's tab wins.
    StoreWatchlists(R"(<watchlist name="Other"><instrument exchange="AMX" code="BDI"/></watchlist>)"
                    R"(<watchlist name="Core"><instrument exchange="AMX" code="AI"/></watchlist>)");
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}, {"AMX", "AI"}}), Stored("Core"));
    EXPECT_EQ((std::vector<std::string>{"Other", "Core"}), layout::ListWatchlistNames(host.applicationFilePath));
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "BDI"}}), Stored("Other"));
}

TEST_F(SaveBoard, AStoreThatCannotBeReadIsNeverOverwritten)
{
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
    const std::string corrupt = "<application><watchlists><watchlist name=\"Core\">";
    WriteFile(host.applicationFilePath, corrupt);
    const Tree node = Saved(board);
    EXPECT_EQ(corrupt, StoreBytes());
    EXPECT_EQ("Core", node.get<std::string>("watchlists.watchlist.<xmlattr>.name")) << "the node is still written";
}

TEST_F(SaveBoard, AMissingStoreIsCreatedWithTheStoredTabs)
{
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
    wxGridEx* grid = GridOfPage(board, 0);
    board->SubscribeRow(ai, grid, Tickerdeck::Delivery::Interactive);
    std::filesystem::remove(host.applicationFilePath);
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "AI"}}), Stored("Core"));
}

TEST_F(SaveBoard, ANullNodeChangesNothing)
{
    StoreWatchlists(R"(<watchlist name="Core"/>)");
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
    board->SubscribeRow(ai, GridOfPage(board, 0), Tickerdeck::Delivery::Interactive);
    const std::string before = StoreBytes();
    Tree source;
    source.put("application.layout.default.tickerdeck.<xmlattr>.size-x", "7");
    const Tree sourceBefore = source;
    board->Save(&source, nullptr);
    EXPECT_EQ(before, StoreBytes());
    EXPECT_EQ(sourceBefore, source);
}

TEST_F(SaveBoard, OwnFrameWindowsBecomeTheDefaultWithTheFrameSize)
{
    StoreWatchlists("");
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="W" type="1"/></watchlists>)", 0x1);
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

    // Without a layout source only the node is written.
    const Tree alone = Saved(board, nullptr);
    EXPECT_EQ(Xml(node), Xml(alone));

    // A docked window leaves the default alone.
    Tickerdeck* docked = LoadNode(R"(<watchlists><watchlist name="W" type="1"/></watchlists>)");
    Tree untouched;
    Saved(docked, &untouched);
    EXPECT_TRUE(untouched.empty());
}

TEST_F(SaveBoard, BoardsSharingTheStoreKeepEachOthersWatchlists)
{
    StoreWatchlists(R"(<watchlist name="A"/><watchlist name="B"/>)");
    Tickerdeck* left = LoadNode(R"(<watchlists><watchlist name="A" type="1"/></watchlists>)");
    Tickerdeck* right = LoadNode(R"(<watchlists><watchlist name="B" type="1"/></watchlists>)");
    left->SubscribeRow(ai, GridOfPage(left, 0), Tickerdeck::Delivery::Interactive);
    right->SubscribeRow(tke, GridOfPage(right, 0), Tickerdeck::Delivery::Interactive);
    Saved(left);
    Saved(right);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "AI"}}), Stored("A"));
    EXPECT_EQ((std::vector<InstrumentRef>{{"KTX", "TKE"}}), Stored("B"));
}

TEST_F(SaveBoard, ATabOfTwentyThousandRowsSavesQuickly)
{
    StoreWatchlists("");
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Big" type="1"/></watchlists>)");
    wxGridEx* grid = GridOfPage(board, 0);
    for (int i = 0; i < 20000; ++i)
        board->SubscribeRow(host.AddInstrument("S" + std::to_string(i), "BIG"), grid, Tickerdeck::Delivery::Batch);
    Tickerdeck::SyncRowCount(grid);
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    // One bookmark makes the bookmark pass walk every row.
    table->Bookmarks().insert(table->Members().back()->instrument);

    const auto start = std::chrono::steady_clock::now();
    const Tree node = Saved(board);
    const Tree again = Saved(board);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    EXPECT_EQ("S19999", node.get<std::string>("watchlists.watchlist.bookmark.instrument.<xmlattr>.code"));
    const std::vector<InstrumentRef> stored = Stored("Big");
    ASSERT_EQ(20000u, stored.size());
    EXPECT_EQ((InstrumentRef{"BIG", "S12345"}), stored[12345]);
}

}  // namespace
