// The quote clock behind stale marks: stamps survive growth and removals
// in the middle of a probe run, and only tracked quotes ever go stale.

#include <vector>

#include <gtest/gtest.h>

#include "contract/Records.h"
#include "model/QuoteAges.h"

namespace {

TEST(QuoteAges, StampsSurviveGrowthAndForgettingNeighboursAndOnlyTrackedQuotesGoStale)
{
    std::vector<Price> prices(500);
    QuoteAges ages;
    ages.SetStaleAfter(10);
    for (const Price& price : prices)
        ages.Track(&price);
    ages.SetNow(5);
    for (size_t at = 0; at < prices.size(); at += 2)
        ages.Stamp(&prices[at]);
    for (size_t at = 0; at < prices.size(); at += 3)
        ages.Forget(&prices[at]);
    ages.Track(&prices[1]);  // already tracked: keeps its stamp of 0
    ages.SetNow(12);

    EXPECT_EQ(prices.size() - (prices.size() + 2) / 3, ages.Size());
    for (size_t at = 0; at < prices.size(); ++at)
        EXPECT_EQ(at % 3 != 0 && at % 2 != 0, ages.IsStale(&prices[at])) << at;
    EXPECT_EQ(250u, ages.QuoteCount());

    ages.SetStaleAfter(0);
    EXPECT_FALSE(ages.IsStale(&prices[1]));
}

}  // namespace
