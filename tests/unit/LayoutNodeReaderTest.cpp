// The window node schema: paths, defaults and which children count.

#include <sstream>
#include <string>

#include <boost/property_tree/exceptions.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <gtest/gtest.h>

#include "layout/WindowNodeReader.h"

namespace {

using layout::Tree;

Tree Parse(const std::string& xml)
{
    std::istringstream stream(xml);
    Tree tree;
    boost::property_tree::read_xml(stream, tree);
    return tree;
}

// The element below the document root, like the host's window node.
Tree Node(const std::string& inner, const std::string& attributes = "")
{
    return Parse("<tickerdeck " + attributes + ">" + inner + "</tickerdeck>").get_child("tickerdeck");
}

TEST(LayoutNodeReader, SettingsDefaultWhenAbsentAndFollowTheBoardForTwoOfThem)
{
    for (bool current : {false, true})
    {
        const layout::WindowSettings settings = layout::ReadWindowSettings(Node(""), current, !current);
        EXPECT_EQ(current, settings.autoFitColumns);
        EXPECT_EQ(!current, settings.volumeInThousands);
        EXPECT_FALSE(settings.controlledByOrders);
        EXPECT_FALSE(settings.controlledByInstruments);
        EXPECT_FALSE(settings.controlledByPositions);
        EXPECT_TRUE(settings.controlsOthers);
        EXPECT_TRUE(settings.autoAddInstrument);
        EXPECT_EQ("Tickerdeck", settings.title);
    }
}

TEST(LayoutNodeReader, WatchlistsIsRequiredWithBoostsText)
{
    try
    {
        layout::WatchlistsOf(Node("<setting/>"));
        FAIL() << "a node without watchlists must throw";
    }
    catch (const boost::property_tree::ptree_bad_path& error)
    {
        EXPECT_STREQ("No such node (watchlists)", error.what());
    }
    EXPECT_NO_THROW(layout::WatchlistsOf(Node("<watchlists/>")));
}

TEST(LayoutNodeReader, TabEntriesKeepDocumentOrderSkipForeignChildrenAndDefault)
{
    const Tree node = Node(R"(<watchlists>
        <watchlist name="First" current="false" type="2" exchange="AMX" category="TECH"/>
        <note name="not a tab"/>
        <watchlist/>
        <watchlist name="Third" type="seven" current="maybe"/>
      </watchlists>)");
    const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(layout::WatchlistsOf(node));
    ASSERT_EQ(3u, tabs.size());
    EXPECT_EQ("First", tabs[0].name);
    EXPECT_FALSE(tabs[0].current);
    EXPECT_EQ(2, tabs[0].type);
    EXPECT_EQ("AMX", tabs[0].exchange);
    EXPECT_EQ("TECH", tabs[0].category);

    EXPECT_EQ("", tabs[1].name);
    EXPECT_TRUE(tabs[1].current);
    EXPECT_EQ(1, tabs[1].type);
    EXPECT_TRUE(tabs[1].exchange.empty());
    EXPECT_TRUE(tabs[1].columns.empty());
    EXPECT_FALSE(tabs[1].hasFilters);
    EXPECT_TRUE(tabs[1].bookmarks.empty());

    EXPECT_EQ("Third", tabs[2].name);
    EXPECT_EQ(1, tabs[2].type);
    EXPECT_TRUE(tabs[2].current);
}

TEST(LayoutNodeReader, ColumnsReadEveryAttributeWithItsDefault)
{
    const layout::TabEntry tab = layout::ReadTabEntry(Parse(R"(<watchlist name="T"><columns>
        <column id="6" name="Last" size="90" show="true" sort="true" ascending="false" position="3"/>
        <column/>
        <other id="9"/>
        <column id="x" size="-" show="1" ascending="0" position="2"/>
      </columns></watchlist>)").get_child("watchlist"));
    ASSERT_EQ(3u, tab.columns.size());
    const layout::ColumnEntry& last = tab.columns[0];
    EXPECT_EQ(6, last.id);
    EXPECT_EQ(90, last.size);
    EXPECT_TRUE(last.show);
    EXPECT_TRUE(last.sort);
    EXPECT_FALSE(last.ascending);
    EXPECT_EQ(3, last.position);

    const layout::ColumnEntry& bare = tab.columns[1];
    EXPECT_EQ(0, bare.id);
    EXPECT_EQ(80, bare.size);
    EXPECT_FALSE(bare.show);
    EXPECT_FALSE(bare.sort);
    EXPECT_TRUE(bare.ascending);
    EXPECT_EQ(0, bare.position);

    const layout::ColumnEntry& malformed = tab.columns[2];
    EXPECT_EQ(0, malformed.id);
    EXPECT_EQ(80, malformed.size);
    EXPECT_TRUE(malformed.show);
    EXPECT_FALSE(malformed.ascending);
    EXPECT_EQ(2, malformed.position);
}

TEST(LayoutNodeReader, FiltersKeepConditionOrderAndMarkEvenAnEmptyElement)
{
    const layout::TabEntry ordered = layout::ReadTabEntry(Parse(R"(<watchlist><filters>
        <column id="6"><filter condition="3" value="10"/><filter condition="1" value="20"/></column>
        <column><filter condition="5"/><other condition="9"/></column>
      </filters></watchlist>)").get_child("watchlist"));
    ASSERT_TRUE(ordered.hasFilters);
    const auto& conditions = ordered.filters.at(6);
    ASSERT_EQ(2u, conditions.size());
    EXPECT_EQ(3, conditions[0].condition);
    EXPECT_EQ("10", conditions[0].value);
    EXPECT_EQ(1, conditions[1].condition);
    const auto& noId = ordered.filters.at(0);
    ASSERT_EQ(1u, noId.size()) << "only \"filter\" children count";
    EXPECT_EQ("", noId[0].value);

    const layout::TabEntry empty = layout::ReadTabEntry(Parse("<watchlist><filters/></watchlist>").get_child("watchlist"));
    EXPECT_TRUE(empty.hasFilters) << "an empty filters element still marks the tab as filtered";
    EXPECT_TRUE(empty.filters.empty());
}

TEST(LayoutNodeReader, AlertsDefaultTheirFieldsAndSkipUnnamedInstruments)
{
    const Tree node = Node(R"(<alerts>
        <alert exchange="AMX" code="ARPI"/>
        <alert exchange="AMX" code="BDI" type="16" condition="2" value="317.5" remark="Breakout"/>
        <alert code="CDG" value="1"/>
        <alert exchange="AMX" code="CDG" type="big" condition="" value="1,5"/>
        <note exchange="AMX" code="AI"/>
      </alerts>)");
    const std::vector<layout::AlertEntry> alerts = layout::ReadAlertEntries(node);
    ASSERT_EQ(3u, alerts.size());
    EXPECT_EQ((layout::InstrumentRef{"AMX", "ARPI"}), alerts[0].instrument);
    EXPECT_EQ(4096, alerts[0].field);
    EXPECT_EQ(1, alerts[0].comparison);
    EXPECT_DOUBLE_EQ(0.0, alerts[0].value);
    EXPECT_EQ("", alerts[0].remark);

    EXPECT_EQ(16, alerts[1].field);
    EXPECT_EQ(2, alerts[1].comparison);
    EXPECT_DOUBLE_EQ(317.5, alerts[1].value);
    EXPECT_EQ("Breakout", alerts[1].remark);

    EXPECT_EQ("CDG", alerts[2].instrument.code);
    EXPECT_EQ(4096, alerts[2].field);
    EXPECT_EQ(1, alerts[2].comparison);
    EXPECT_DOUBLE_EQ(0.0, alerts[2].value);

    EXPECT_TRUE(layout::ReadAlertEntries(Node("<watchlists/>")).empty());
}

}  // namespace
