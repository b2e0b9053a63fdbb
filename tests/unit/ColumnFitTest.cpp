// Which rows decide a fitted column's width: all of a small tab, a sample of
// a large one that always holds what is on screen and both ends.

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "model/ColumnFit.h"

namespace {

bool Holds(const std::vector<int>& rows, int row)
{
    return std::binary_search(rows.begin(), rows.end(), row);
}

TEST(ColumnFit, ASmallTabIsMeasuredWholeALargeOneBySampleAndTheLongestTextsWinTheEarlierRowOnTies)
{
    EXPECT_EQ((std::vector<int>{0, 1, 2}), column_fit::RowsToMeasure(3, 0, 2, 3));
    EXPECT_TRUE(column_fit::RowsToMeasure(0, 0, 0).empty());

    const std::vector<int> rows = column_fit::RowsToMeasure(100000, 50000, 50039, 240);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    EXPECT_EQ(rows.end(), std::adjacent_find(rows.begin(), rows.end())) << "each row once";
    EXPECT_LE(rows.size(), 240u + 40u);
    for (int row : {0, 59, 50000, 50039, 99940, 99999})
        EXPECT_TRUE(Holds(rows, row)) << row;
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](int row) { return row > 60 && row < 49000; }))
        << "rows in between stand in for the rest";

    // A screen reported past the end is clamped, not measured out of range.
    const std::vector<int> clamped = column_fit::RowsToMeasure(1000, 990, 1200, 100);
    EXPECT_EQ(999, clamped.back());

    // The longest texts win, and among equal lengths the earlier row.
    EXPECT_EQ((std::vector<int>{2, 7}), column_fit::RowsWithLongestTexts({{5, 9}, {8, 7}, {5, 2}, {1, 0}}, 2));
    EXPECT_EQ((std::vector<int>{3}), column_fit::RowsWithLongestTexts({{4, 3}}, 8));
}

}  // namespace
