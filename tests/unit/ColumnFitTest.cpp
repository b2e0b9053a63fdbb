// Which rows decide column widths, and how fitted widths fill the window.

#include <algorithm>
#include <numeric>

#include <gtest/gtest.h>

#include "layout/ColumnFit.h"

namespace {

using layout::RowsToMeasure;
using layout::RowsWithLongestTexts;
using layout::StretchToWidth;

bool Contains(const std::vector<int>& rows, int row)
{
    return std::binary_search(rows.begin(), rows.end(), row);
}

TEST(RowsToMeasure, SmallTabsAreMeasuredCompletely)
{
    EXPECT_TRUE(RowsToMeasure(0, 0, 10).empty());
    std::vector<int> all(37);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(all, RowsToMeasure(37, 5, 20, 40));
    std::vector<int> exactlyTheLimit(40);
    std::iota(exactlyTheLimit.begin(), exactlyTheLimit.end(), 0);
    EXPECT_EQ(exactlyTheLimit, RowsToMeasure(40, 0, -1, 40)) << "visible range given as empty";
}

TEST(RowsToMeasure, LargeTabsMeasureTheScreenTheEndsAndAnEvenSpread)
{
    const int rowCount = 20000;
    const std::vector<int> rows = RowsToMeasure(rowCount, 9000, 9040, 200);

    ASSERT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    EXPECT_EQ(rows.end(), std::adjacent_find(rows.begin(), rows.end())) << "no row twice";
    EXPECT_GE(rows.front(), 0);
    EXPECT_LT(rows.back(), rowCount);
    EXPECT_LE(rows.size(), 200u + 41u) << "bounded: the limit plus the rows on screen";
    EXPECT_GE(rows.size(), 200u) << "the limit is used, not a handful of rows";

    for (int row = 9000; row <= 9040; ++row)
        EXPECT_TRUE(Contains(rows, row)) << "on screen: " << row;
    EXPECT_TRUE(Contains(rows, 0));
    EXPECT_TRUE(Contains(rows, 49));
    EXPECT_TRUE(Contains(rows, rowCount - 1));
    EXPECT_TRUE(Contains(rows, rowCount - 50));

    // Every tenth of the tab has measured rows besides the ends.
    for (int tenth = 1; tenth < 9; ++tenth)
    {
        const auto from = std::lower_bound(rows.begin(), rows.end(), tenth * rowCount / 10);
        const auto to = std::lower_bound(rows.begin(), rows.end(), (tenth + 1) * rowCount / 10);
        EXPECT_GE(to - from, 5) << "tenth " << tenth;
    }
}

TEST(RowsToMeasure, AVisibleRangeOutsideTheRowsIsClamped)
{
    const std::vector<int> rows = RowsToMeasure(1000, 990, 5000, 100);
    EXPECT_LT(rows.back(), 1000);
    for (int row = 990; row < 1000; ++row)
        EXPECT_TRUE(Contains(rows, row));
    const std::vector<int> before = RowsToMeasure(1000, -30, -1, 100);
    EXPECT_GE(before.front(), 0);
}

TEST(RowsWithLongestTexts, PicksTheLongestAndTheEarlierOfEqualLengths)
{
    // (length, row)
    const std::vector<std::pair<size_t, int>> lengths = {{4, 10}, {9, 11}, {7, 12}, {9, 13}, {1, 14}, {7, 15}};
    EXPECT_EQ((std::vector<int>{11, 13}), RowsWithLongestTexts(lengths, 2));
    EXPECT_EQ((std::vector<int>{11, 12, 13}), RowsWithLongestTexts(lengths, 3)) << "row 12 before row 15";
    EXPECT_EQ((std::vector<int>{10, 11, 12, 13, 14, 15}), RowsWithLongestTexts(lengths, 50)) << "fewer rows than asked";
    EXPECT_TRUE(RowsWithLongestTexts({}, 8).empty());
    EXPECT_TRUE(RowsWithLongestTexts(lengths, 0).empty());
}

TEST(StretchToWidth, NarrowColumnsGrowInProportionRoundingDown)
{
    // 100 + 50 + 30 = 180 shown; 360 available doubles each.
    EXPECT_EQ((std::vector<int>{200, 0, 100, 60}), StretchToWidth({100, 0, 50, 30}, 360));
    // 1000 / 300 = 3.33...: floor of each product.
    EXPECT_EQ((std::vector<int>{333, 666}), StretchToWidth({100, 200}, 1000));
}

TEST(StretchToWidth, WideOrEmptyColumnSetsAreLeftAlone)
{
    EXPECT_EQ((std::vector<int>{300, 200}), StretchToWidth({300, 200}, 400));
    EXPECT_EQ((std::vector<int>{300, 200}), StretchToWidth({300, 200}, 500)) << "exactly wide enough";
    EXPECT_EQ((std::vector<int>{0, 0}), StretchToWidth({0, 0}, 500));
    EXPECT_TRUE(StretchToWidth({}, 500).empty());
}

}  // namespace
