// Bars in cells: where a value's bar lies across its cell, and the bars
// setting of a column kept in the layout.

#include <gtest/gtest.h>

#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "model/CellBars.h"
#include "model/ColumnSpec.h"

namespace {

std::pair<int, int> Span(double value, const BarRange& range, int width)
{
    const BarSpan span = BarAcross(value, range, width);
    return {span.left, span.width};
}

TEST(CellBars, BarsRunFromZeroToTheValueWithinTheRangeAndNegativesRunTheOtherWay)
{
    BarRange volumes;
    for (double value : {250.0, 1000.0, 0.0})
        volumes.Include(value);
    EXPECT_EQ(std::make_pair(0, 25), Span(250.0, volumes, 100));
    EXPECT_EQ(std::make_pair(0, 100), Span(1000.0, volumes, 100));
    EXPECT_EQ(std::make_pair(0, 100), Span(4000.0, volumes, 100)) << "newer than the range: held at its edge";
    EXPECT_EQ(std::make_pair(0, 0), Span(0.0, volumes, 100));

    BarRange flow;
    flow.Include(-50.0);
    flow.Include(150.0);
    EXPECT_EQ(std::make_pair(0, 25), Span(-50.0, flow, 100)) << "left of the zero line";
    EXPECT_EQ(std::make_pair(25, 50), Span(100.0, flow, 100));

    BarRange empty;
    empty.Include(0.0);
    EXPECT_EQ(std::make_pair(0, 0), Span(5.0, empty, 100)) << "all zero: no range, no bar";
}

TEST(CellBars, OnlyNumberColumnsTakeBarsAndTheSettingIsStoredOnlyWhereItIsOn)
{
    EXPECT_TRUE(TakesBars(column::CumVolume));
    EXPECT_TRUE(TakesBars(column::MoneyFlow));
    EXPECT_FALSE(TakesBars(column::No)) << "the row's place is no figure";
    EXPECT_FALSE(TakesBars(column::Name));
    EXPECT_FALSE(TakesBars(column::Trend));

    layout::TabEntry tab;
    tab.name = "Core";
    layout::ColumnEntry volume;
    volume.id = column::CumVolume;
    volume.show = true;
    volume.bars = true;
    layout::ColumnEntry last;
    last.id = column::Last;
    last.show = true;
    tab.columns = {volume, last};
    const layout::Tree tree = layout::TabEntryTree(tab, {});
    int barsAttributes = 0;
    for (const auto& [name, node] : tree.get_child("columns"))
        barsAttributes += node.get_optional<std::string>("<xmlattr>.bars") ? 1 : 0;
    EXPECT_EQ(1, barsAttributes) << "a file without bars reads as it did";
    const std::vector<layout::ColumnEntry> read = layout::ReadColumns(tree.get_child("columns"));
    ASSERT_EQ(2u, read.size());
    EXPECT_TRUE(read[0].bars);
    EXPECT_FALSE(read[1].bars);
}

}  // namespace
