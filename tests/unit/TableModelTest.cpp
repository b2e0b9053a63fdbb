// The quote table without a grid: membership, order, removal, filtering and
// which columns a quote update changes.

#include <algorithm>
#include <deque>
#include <iterator>
#include <limits>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "model/BufferWarming.h"
#include "model/ColumnSpec.h"
#include "model/PriceIndex.h"
#include "model/QuoteAges.h"
#include "model/SortKeyCache.h"
#include "board/TickerdeckTable.h"
#include "contract/Records.h"
#include "support/HideInstruments.h"
#include "support/QuoteEvent.h"

namespace {

using testing_support::HideInstruments;
using testing_support::kLastMask;
using testing_support::QuoteEvent;

class TableModelTest : public ::testing::Test
{
protected:
    Price* Add(double last)
    {
        instruments.emplace_back();
        prices.emplace_back();
        prices.back().instrument = &instruments.back();
        prices.back().last = last;
        table.AppendMember(&prices.back());
        return &prices.back();
    }

    void Quote(Price* price) { table.UpdateRow(QuoteEvent(price, kLastMask)); }

    /// The rows shown are `expected`, and the index finds each at its place.
    void ExpectRows(const std::vector<Price*>& expected) const
    {
        EXPECT_EQ(table.Rows(), expected);
        for (int row = 0; row < static_cast<int>(table.Rows().size()); ++row)
            EXPECT_EQ(table.Index().RowOf(table.Rows()[row]), row);
    }

    std::deque<Instrument> instruments;
    std::deque<Price> prices;
    TickerdeckTable table;
};

TEST_F(TableModelTest, AscendingSortIsStableDescendingReversesEqualRowsAndALongTabSortsAsAShortOneDoes)
{
    Price* a = Add(2.0);
    Price* b = Add(1.0);
    Price* c = Add(2.0);
    Price* d = Add(1.0);
    table.Order().SortRows(column::Last, true);
    ExpectRows({b, d, a, c});
    EXPECT_EQ(table.Members().List(), (std::vector<Price*>{a, b, c, d})) << "the stored order stays";

    table.Order().SortRows(column::Last, false);
    ExpectRows({c, a, d, b});
    table.Order().SortRows(column::No, false);  // no key: descending only reverses
    ExpectRows({b, d, a, c});

    // Signs, zeros of both signs, infinities and many equal keys: the long
    // path sorts by the numbers' bits, which must order as `<` does.
    const double keys[] = {2.5, -1.0, 0.0, -0.0, 1e9, -std::numeric_limits<double>::infinity(), -1e-300,
                           std::numeric_limits<double>::infinity(), 2.5000001, 3e-310, -2.5, 70000.25};
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, std::size(keys) - 1);
    for (int row = 0; row < 6000; ++row)
        Add(keys[pick(random)]);
    for (const bool ascending : {true, false})
    {
        std::vector<Price*> expected = table.Members().List();
        if (!ascending)
            std::reverse(expected.begin(), expected.end());
        std::stable_sort(expected.begin(), expected.end(), [ascending](const Price* a, const Price* b) {
            return ascending ? a->last < b->last : b->last < a->last;
        });
        SCOPED_TRACE(ascending ? "ascending" : "descending");
        table.Order().SortRows(column::Last, ascending);
        ExpectRows(expected);
        // The sort hands the keys it read to the rows' key cache, in the new
        // order and with their own signs, for the next quote's move.
        SortKeyCache& cached = table.Order().Keys();
        ASSERT_TRUE(cached.IsFor(column::Last));
        for (size_t row = 0; row < expected.size(); ++row)
            ASSERT_EQ(cached[static_cast<int>(row)], expected[row]->last) << "row " << row;
        // Getting the next sort ready never writes over keys in use.
        EXPECT_TRUE(cached.WarmBuffer(expected.size() * 2, 100));
        EXPECT_EQ(cached[5], expected[5]->last);
    }
}

TEST(BufferWarming, GrowsInStepsWithoutMovingAndEndsEmptyKeepingItsRoom)
{
    std::vector<int> buffer{1, 2, 3};
    std::vector<size_t> sizes;
    const int* data = nullptr;
    while (!WarmSome(buffer, 10, 4))
    {
        sizes.push_back(buffer.size());
        data = data ? data : buffer.data();
        EXPECT_EQ(data, buffer.data()) << "a step that moved the buffer would write it all again";
    }
    EXPECT_EQ((std::vector<size_t>{4, 8}), sizes) << "what it held is given up, not copied";
    EXPECT_TRUE(buffer.empty());
    EXPECT_GE(buffer.capacity(), 10u);
    EXPECT_EQ(data, buffer.data());
    buffer.assign(20, 1);
    EXPECT_TRUE(WarmSome(buffer, 10, 4)) << "room enough and written";
    EXPECT_TRUE(buffer.empty());
    EXPECT_GE(buffer.capacity(), 20u);
}

TEST_F(TableModelTest, RemoveRowDropsOneRowAndItsMembershipAndReindexes)
{
    Price* a = Add(1.0);
    Price* b = Add(2.0);
    Price* c = Add(3.0);
    table.Order().SortRows(column::Last, false);  // c b a
    table.RemoveRow(b);
    ExpectRows({c, a});
    EXPECT_EQ(table.Members().List(), (std::vector<Price*>{a, c}));
    EXPECT_FALSE(table.Members().Contains(b));
    EXPECT_EQ(table.Index().RowOf(b), -1);
    Price outsider;
    table.RemoveRow(&outsider);
    EXPECT_EQ(table.GetNumberRows(), 2);

    // A member listed twice goes one row at a time.
    table.AppendMember(c);
    EXPECT_EQ(table.Index().RowOf(c), 0);
    table.RemoveRow(c);
    EXPECT_TRUE(table.Members().Contains(c));
    ExpectRows({a, c});
    table.RemoveRow(c);
    EXPECT_FALSE(table.Members().Contains(c));
}

TEST_F(TableModelTest, RebuildKeepsStoredOrderOfAcceptedMembersAndQuoteUpdatesFollowTheFilterForMembersOnly)
{
    Price* a = Add(3.0);
    Price* b = Add(1.0);
    Price* c = Add(2.0);
    table.Order().SortRows(column::Last, true);
    HideInstruments filter({b->instrument});
    table.Filter().Set(&filter);
    table.RebuildRowsFromMembers();
    ExpectRows({a, c});
    EXPECT_EQ(table.Index().RowOf(b), -1);
    table.Order().SortRows(column::Last, true);  // indexes the shown rows alone
    table.Filter().Set(nullptr);
    table.RebuildRowsFromMembers();
    ExpectRows({a, b, c});

    table.ClearRowsAndMembers();
    EXPECT_EQ(table.GetNumberRows(), 0);
    EXPECT_FALSE(table.Members().Contains(a));

    // Quote updates follow the filter, for members only.
    Price* hidden = Add(1.0);
    Price* shown = Add(2.0);
    Price stranger;
    filter.hidden = {hidden->instrument};
    table.Filter().Set(&filter);
    Quote(hidden);
    ExpectRows({shown});
    EXPECT_TRUE(table.Members().Contains(hidden));
    Quote(hidden);  // still rejected, nothing to remove
    ExpectRows({shown});

    filter.hidden.clear();
    Quote(hidden);
    ExpectRows({shown, hidden});
    Quote(&stranger);  // accepted but not a member
    Quote(nullptr);
    EXPECT_EQ(table.GetNumberRows(), 2);
}

TEST(TablePriceIndexTest, MatchesAReferenceMapThroughGrowthAndErasure)
{
    std::vector<Price> prices(3000);
    PriceIndex index;
    EXPECT_TRUE(index.Insert(&prices[0], 4));
    EXPECT_FALSE(index.Insert(&prices[0], 9)) << "the first row stays";
    EXPECT_EQ(index.Find(&prices[0]), 4);
    EXPECT_EQ(index.Find(nullptr), -1);

    // Many keys with nearby addresses crowd probe runs, which is where
    // erasure has to repair the runs it cuts.
    std::map<const Price*, int> reference{{&prices[0], 4}};
    std::mt19937 random(3);
    std::uniform_int_distribution<size_t> pick(0, prices.size() - 1);
    std::uniform_int_distribution<int> action(0, 9);
    for (int step = 0; step < 60000; ++step)
    {
        const Price* key = &prices[pick(random)];
        if (step == 30000)
            index.Reserve(4 * prices.size());  // a fill says how many come: the entries held move along
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
    index.Clear();
    EXPECT_EQ(index.Size(), 0u);
    EXPECT_EQ(index.Find(&prices[1]), -1);

    // Indexing rows afresh forgets the rest; of a quote shown twice the first row counts.
    index.Set(&prices[7], 3);
    std::vector<Price*> rows;
    for (size_t at = 100; at < 2100; ++at)
        rows.push_back(&prices[at]);
    rows.push_back(&prices[100]);
    index.IndexAfresh(rows);
    EXPECT_EQ(index.Size(), 2000u);
    EXPECT_EQ(index.Find(&prices[7]), -1);
    EXPECT_EQ(index.Find(&prices[100]), 0);
    EXPECT_EQ(index.Find(&prices[2099]), 1999);
    // As many rows again: the same slots, emptied.
    rows.assign(2001, &prices[2500]);
    for (size_t at = 0; at < 2000; ++at)
        rows[at] = &prices[at + 900];
    index.IndexAfresh(rows);
    EXPECT_EQ(index.Size(), 2000u);
    EXPECT_EQ(index.Find(&prices[100]), -1);
    EXPECT_EQ(index.Find(&prices[900]), 0);
    EXPECT_EQ(index.Find(&prices[2500]), 1600);
}

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
