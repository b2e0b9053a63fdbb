// The quote-to-row index against a reference map under random edits.

#include <map>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "board/PriceIndex.h"
#include "plugin/Records.h"

namespace {

TEST(TablePriceIndexTest, FindsWhatWasSetAndNothingElse)
{
    std::vector<Price> prices(3);
    PriceIndex index;
    EXPECT_EQ(index.Find(&prices[0]), -1);
    EXPECT_EQ(index.Find(nullptr), -1);
    EXPECT_TRUE(index.Insert(&prices[0], 4));
    EXPECT_FALSE(index.Insert(&prices[0], 9));  // the first row stays
    EXPECT_EQ(index.Find(&prices[0]), 4);
    index.Set(&prices[0], 7);
    index.Set(&prices[1], 0);
    EXPECT_EQ(index.Find(&prices[0]), 7);
    EXPECT_EQ(index.Find(&prices[1]), 0);
    EXPECT_EQ(index.Find(&prices[2]), -1);
    EXPECT_EQ(index.Size(), 2u);
    index.Erase(&prices[2]);
    index.Erase(&prices[0]);
    EXPECT_FALSE(index.Contains(&prices[0]));
    EXPECT_EQ(index.Find(&prices[1]), 0);
    index.Clear();
    EXPECT_EQ(index.Size(), 0u);
    EXPECT_EQ(index.Find(&prices[1]), -1);
}

TEST(TablePriceIndexTest, MatchesReferenceMapThroughGrowthAndErasure)
{
    // Many keys with nearby addresses crowd probe runs, which is where
    // erasure has to repair the runs it cuts.
    std::vector<Price> prices(3000);
    std::map<const Price*, int> reference;
    PriceIndex index;
    std::mt19937 random(3);
    std::uniform_int_distribution<size_t> pick(0, prices.size() - 1);
    std::uniform_int_distribution<int> action(0, 9);
    for (int step = 0; step < 60000; ++step)
    {
        const Price* key = &prices[pick(random)];
        if (action(random) < 6)
        {
            index.Set(key, step);
            reference[key] = step;
        }
        else
        {
            index.Erase(key);
            reference.erase(key);
        }
    }
    ASSERT_EQ(index.Size(), reference.size());
    for (const Price& price : prices)
    {
        const auto it = reference.find(&price);
        ASSERT_EQ(index.Find(&price), it == reference.end() ? -1 : it->second);
    }
}

}  // namespace
