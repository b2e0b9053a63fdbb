// The window node schema: paths, defaults, and which children count.

#include <tuple>

#include <boost/property_tree/exceptions.hpp>
#include <gtest/gtest.h>
#include <wx/intl.h>

#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "model/ColumnSpec.h"
#include "support/XmlText.h"

namespace {

using layout::Tree;
using testing_support::Node;
using testing_support::Parse;

TEST(LayoutNodeReader, AbsentSettingsFollowTheBoardForTwoOfThemOnlyAndWatchlistsIsRequired)
{
    for (bool current : {false, true})
    {
        layout::WindowSettings board;
        board.autoFitColumns = current;
        board.volumeInThousands = !current;
        board.controlsOthers = !current;
        board.f1Only = true;
        const layout::WindowSettings settings = layout::ReadWindowSettings(Node(""), board);
        EXPECT_EQ(current, settings.autoFitColumns);
        EXPECT_EQ(!current, settings.volumeInThousands);
        EXPECT_TRUE(settings.controlsOthers);
        EXPECT_FALSE(settings.f1Only) << "never read, always cleared";
    }
    // A stale time outside what the settings offer falls back to two minutes.
    for (const char* stored : {"", "-4", "soon", "86401"})
        EXPECT_EQ(120, layout::ReadWindowSettings(Node(std::string("<setting><general stale_after_seconds=\"") +
                                                       stored + "\"/></setting>"), {}).staleAfterSeconds)
            << stored;

    EXPECT_THROW(layout::WatchlistsOf(Node("<setting/>")), boost::property_tree::ptree_bad_path)
        << "watchlists is required";
    EXPECT_NO_THROW(layout::WatchlistsOf(Node("<watchlists/>")));
}

TEST(LayoutNodeReader, TabsColumnsAndFiltersSkipForeignChildrenDefaultMalformedValuesAndBoundWidths)
{
    const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(layout::WatchlistsOf(Node(R"(<watchlists>
        <watchlist name="First" current="false" type="2" exchange="AMX" category="TECH"><columns>
          <column/><other id="9"/><column id="x" size="-" show="1" ascending="0" position="2"/>
        </columns><filters>
          <column id="6"><filter condition="3" value="10"/><filter condition="1" value="20"/></column>
          <column><filter condition="5"/><other condition="9"/></column>
        </filters></watchlist>
        <note name="not a tab"/>
        <watchlist name="Second" type="seven" current="maybe"><filters/></watchlist>
      </watchlists>)")));
    ASSERT_EQ(2u, tabs.size());
    EXPECT_FALSE(tabs[0].current);
    EXPECT_EQ("TECH", tabs[0].category);
    // Columns without or with malformed values take the defaults.
    ASSERT_EQ(2u, tabs[0].columns.size());
    const auto fields = [](const layout::ColumnEntry& c)
    { return std::tuple(c.id, c.size, c.show, c.ascending, c.position); };
    EXPECT_EQ(std::tuple(0, 80, false, true, 0), fields(tabs[0].columns[0])) << "an empty column";
    EXPECT_EQ(std::tuple(0, 80, true, false, 2), fields(tabs[0].columns[1])) << "malformed values";
    ASSERT_EQ(2u, tabs[0].filters.at(6).size());
    EXPECT_EQ(1, tabs[0].filters.at(6)[1].condition);
    EXPECT_EQ(1u, tabs[0].filters.at(0).size()) << "only \"filter\" children count";

    EXPECT_EQ(1, tabs[1].type);
    EXPECT_TRUE(tabs[1].current);
    EXPECT_TRUE(tabs[1].hasFilters) << "an empty filters element still marks the tab as filtered";
    EXPECT_TRUE(tabs[1].filters.empty());

    // Hand-edited widths: the grid adds widths up in an int, and a sum past its
    // range left it without header or cells; a column far wider than the screen
    // shows nothing of its text either.
    const std::vector<layout::ColumnEntry> columns = layout::ReadColumns(Node(R"(<columns>
        <column size="1000000000"/><column size="2147483647"/><column size="-2147483648"/><column size="-1"/>
        <column size="0"/><column size="1000"/><column size="1001"/><column size="57"/></columns>)")
                                                                            .get_child("columns"));
    std::vector<int> sizes;
    std::vector<bool> replaced;
    for (const layout::ColumnEntry& column : columns)
    {
        sizes.push_back(column.size);
        replaced.push_back(column.widthReplaced);
    }
    EXPECT_EQ(sizes, (std::vector<int>{1000, 1000, 80, 80, 0, 1000, 1000, 57}));
    // The board names a tab whose widths were replaced; the edges are no replacement.
    EXPECT_EQ(replaced, (std::vector<bool>{true, true, true, true, false, false, true, false}));
}

TEST(LayoutNodeReader, FilterNumbersAreWrittenLocaleFreeAndThoseWrittenBeforeReadAsTyped)
{
    layout::TabEntry entry;
    entry.hasFilters = true;
    entry.filters = {{column::Code, {FilterCondition{filter_op::In, "1.5,2", 0}}},
                     {column::Last, {FilterCondition{filter_op::Below, "1.713", 1},
                                     FilterCondition{filter_op::Contains, "1,5", 2}}}};
    const std::string xml = testing_support::Xml(layout::TabEntryTree(entry, {}), "watchlist");
    EXPECT_EQ(R"(<watchlist name="" current="true" type="1"><columns/><filters>)"
              R"(<column id="2"><filter condition="5" value="1.5,2" row="0"/></column>)"
              R"(<column id="6"><filter condition="11" value="1.713" locale_free="true" row="1"/>)"
              R"(<filter condition="8" value="1,5" row="2"/></column></filters></watchlist>)",
              xml.substr(xml.find("?>") + 3));

    const Tree written = Node(R"(<watchlists><watchlist><filters><column id="6">
        <filter condition="11" value="1.713" locale_free="true"/><filter condition="11" value="1.713"/>
        <filter condition="5" value="6,21, 18,42"/><filter condition="8" value="1.713"/>
      </column></filters></watchlist></watchlists>)");
    const auto readIn = [&written](wxLanguage language) {
        wxLocale locale(language, wxLOCALE_DONT_LOAD_DEFAULT);
        std::vector<std::string> values;
        const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(layout::WatchlistsOf(written));
        for (const FilterCondition& condition : tabs.at(0).filters.at(column::Last))
            values.push_back(condition.value);
        return values;
    };
    EXPECT_EQ((std::vector<std::string>{"1.713", "1.713", "6,21,18,42", "1.713"}), readIn(wxLANGUAGE_ENGLISH_US));
    if (!wxLocale::IsAvailable(wxLANGUAGE_GERMAN))
        GTEST_SKIP() << "no German locale on this system (scripts/deps.sh makes one)";
    EXPECT_EQ((std::vector<std::string>{"1.713", "1713", "6,21,18,42", "1.713"}), readIn(wxLANGUAGE_GERMAN))
        << "an older layout's numbers read as they always did: in the locale, split at every comma";
}

TEST(LayoutNodeReader, AlertsDefaultTheirFieldsAndSkipInstrumentsWithoutExchange)
{
    const std::vector<layout::AlertEntry> alerts = layout::ReadAlertEntries(Node(R"(<alerts>
        <alert exchange="AMX" code="BDI" type="16" condition="2" value="317.5" remark="Breakout" notify="once"/>
        <alert code="CDG" value="1"/>
        <alert exchange="AMX" code="CDG" type="big" condition="" value="1,5"/>
        <note exchange="AMX" code="AI"/>
      </alerts>)"));
    ASSERT_EQ(2u, alerts.size());
    const auto fields = [](const layout::AlertEntry& a) {
        return std::tuple(a.instrument.exchange + ":" + a.instrument.code, a.field, a.comparison, a.value,
                          a.remark, a.onceEachTime);
    };
    EXPECT_EQ(std::tuple("AMX:BDI", 16, 2, 317.5, "Breakout", true), fields(alerts[0]));
    // Malformed codes take the defaults, a comma is no decimal point, and
    // without the attribute an alert fires at every update.
    EXPECT_EQ(std::tuple("AMX:CDG", 4096, 1, 0.0, "", false), fields(alerts[1]));
    EXPECT_TRUE(layout::ReadAlertEntries(Node("<watchlists/>")).empty());
}

}  // namespace
