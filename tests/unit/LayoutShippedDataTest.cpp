// The layout and watchlist store shipped with the reference terminal are
// readable through the schema and agree with each other.

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <gtest/gtest.h>

#include "layout/WatchlistStore.h"
#include "layout/WindowNodeReader.h"

namespace {

using layout::Tree;

class ShippedLayout : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        document_ = new Tree(layout::ReadXmlFile("data/layout.xml"));
        store_ = new Tree(layout::ReadStore("data/watchlists.xml"));
    }
    static void TearDownTestSuite()
    {
        delete document_;
        delete store_;
    }
    static const Tree& Node() { return document_->get_child(layout::kDefaultWindowPath); }
    static std::vector<layout::TabEntry> Tabs() { return layout::ReadTabEntries(layout::WatchlistsOf(Node())); }

    static Tree* document_;
    static Tree* store_;
};

Tree* ShippedLayout::document_ = nullptr;
Tree* ShippedLayout::store_ = nullptr;

TEST_F(ShippedLayout, FrameAndSettingsAreStored)
{
    const layout::FrameSize size = layout::ReadFrameSize(Node());
    EXPECT_EQ(1100, size.width);
    EXPECT_EQ(640, size.height);
    const layout::WindowSettings settings = layout::ReadWindowSettings(Node(), false, true);
    EXPECT_TRUE(settings.autoFitColumns) << "stored, not the board's value";
    EXPECT_FALSE(settings.volumeInThousands);
    EXPECT_TRUE(settings.controlsOthers);
    EXPECT_EQ("Ticker Deck", settings.title);
}

TEST_F(ShippedLayout, OffersTheColumnTemplateAndOneTabOfEveryKind)
{
    const std::vector<layout::TabEntry> tabs = Tabs();
    std::set<int> types;
    int current = 0;
    bool hasTemplate = false;
    for (const layout::TabEntry& tab : tabs)
    {
        types.insert(tab.type);
        current += tab.current;
        hasTemplate |= tab.name == "Default" && !tab.columns.empty();
        EXPECT_FALSE(tab.name.empty());
        if (tab.type != 1)
        {
            EXPECT_FALSE(tab.exchange.empty()) << tab.name;
        }
    }
    EXPECT_TRUE(hasTemplate);
    EXPECT_EQ(1, current) << "exactly one tab opens selected";
    for (int type : {1, 2, 3, 7})
        EXPECT_EQ(1u, types.count(type)) << type;
}

TEST_F(ShippedLayout, EveryTabStoresEachColumnOnceInADistinctPosition)
{
    const std::set<int> shownColumns = {0, 1, 2, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 18, 19, 20, 22, 28, 30};
    for (const layout::TabEntry& tab : Tabs())
    {
        ASSERT_EQ(31u, tab.columns.size()) << tab.name;
        std::vector<int> ids;
        std::vector<int> positions;
        std::set<int> shown;
        int shownWidth = 0;
        for (const layout::ColumnEntry& column : tab.columns)
        {
            ids.push_back(column.id);
            positions.push_back(column.position);
            if (column.show)
            {
                shown.insert(column.id);
                shownWidth += column.size;
                EXPECT_GT(column.size, 0) << tab.name << " column " << column.id;
            }
            else
            {
                EXPECT_EQ(0, column.size) << tab.name << " column " << column.id;
            }
        }
        std::vector<int> all(31);
        std::iota(all.begin(), all.end(), 0);
        std::sort(ids.begin(), ids.end());
        std::sort(positions.begin(), positions.end());
        EXPECT_EQ(all, ids) << tab.name;
        EXPECT_EQ(all, positions) << tab.name;
        EXPECT_EQ(shownColumns, shown) << tab.name;
        EXPECT_LE(shownWidth, layout::ReadFrameSize(Node()).width - 20) << tab.name << ": fits without scrolling";
    }
}

TEST_F(ShippedLayout, StoredWatchlistTabsExistInTheStore)
{
    const std::vector<std::string> names = layout::ListWatchlistNames("data/watchlists.xml");
    const std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(names.size(), unique.size()) << "names are unique";
    EXPECT_GE(names.size(), 3u);
    EXPECT_EQ(1u, unique.count("Income & Dividends")) << "the ampersand reads back as written";

    for (const layout::TabEntry& tab : Tabs())
        if (tab.type == 1)
        {
            EXPECT_FALSE(layout::StoredInstruments(*store_, tab.name).empty()) << tab.name;
        }
    for (const std::string& name : names)
        EXPECT_GE(layout::StoredInstruments(*store_, name).size(), 8u) << name;
}

}  // namespace
