// A column set put on a tab: its computed columns found among the tab's or
// added, and its entries and rules following them to their ids there.

#include <vector>

#include <gtest/gtest.h>

#include "layout/ColumnSetFit.h"
#include "support/RuleSpec.h"

namespace {

const ComputedColumnDef kSpread{"Spread %", "(Sell - Buy) / Last * 100", 3};
const ComputedColumnDef kFromVwap{"From VWAP %", "(Last - Vwap) / Vwap * 100", 2};
const ComputedColumnDef kRange{"Range", "High - Low", 2};

constexpr int kFirst = column::Count;

ColourRuleSpec Rule(int col, int against = -1)
{
    ColourRuleSpec rule =
        testing_support::Rule(col, filter_op::Above, against < 0 ? "1" : "", {{}, {}, true});
    rule.againstColumn = against;
    return rule;
}

using Rules = std::vector<ColourRuleSpec>;

/// Saved from a tab holding Spread % and From VWAP %, in that order.
layout::ColumnSet Scalping()
{
    layout::ColumnSet set;
    set.name = "Scalping";
    set.computed = {kSpread, kFromVwap};
    set.columns = {{column::Last, 70, true, false, true, 0},
                   {kFirst, 80, true, true, false, 1},
                   {kFirst + 1, 90, true, false, true, 2}};
    set.colourRules = {Rule(kFirst), Rule(column::Last, kFirst + 1), Rule(column::Change)};
    return set;
}

std::vector<int> Ids(const layout::FittedColumnSet& fitted)
{
    std::vector<int> ids;
    for (const layout::ColumnEntry& entry : fitted.columns)
        ids.push_back(entry.id);
    return ids;
}

TEST(ColumnSetFit, ColumnsTheTabLacksAreAddedAfterItsOwnThoseOfTheSameNameAndFormulaAreItsOwnAndEntriesFollow)
{
    const layout::FittedColumnSet fitted = layout::FitColumnSet(Scalping(), {kRange});
    EXPECT_EQ((std::vector<ComputedColumnDef>{kRange, kSpread, kFromVwap}), fitted.computed);
    EXPECT_EQ((std::vector<int>{column::Last, kFirst + 1, kFirst + 2}), Ids(fitted));
    EXPECT_TRUE(fitted.columns[1].sort) << "the sort goes with its column";
    EXPECT_EQ(90, fitted.columns[2].size);
    EXPECT_EQ((Rules{Rule(kFirst + 1), Rule(column::Last, kFirst + 2), Rule(column::Change)}),
              fitted.colourRules);

    // Put on the tab again, the set finds its columns there and adds none.
    const layout::FittedColumnSet again = layout::FitColumnSet(Scalping(), fitted.computed);
    EXPECT_EQ(fitted.computed, again.computed);
    EXPECT_EQ(Ids(fitted), Ids(again));

    // A column of the same name and formula is the tab's own, with the set's decimals.
    ComputedColumnDef vwapInFour = kFromVwap;
    vwapInFour.decimals = 4;
    ComputedColumnDef otherSpread = kSpread;
    otherSpread.formula = "Sell - Buy";
    const layout::FittedColumnSet matched = layout::FitColumnSet(Scalping(), {otherSpread, vwapInFour});
    EXPECT_EQ((std::vector<ComputedColumnDef>{otherSpread, kFromVwap, kSpread}), matched.computed)
        << "a name alone is no match; a match takes the set's decimals";
    EXPECT_EQ((std::vector<int>{column::Last, kFirst + 2, kFirst + 1}), Ids(matched));
    EXPECT_EQ((Rules{Rule(kFirst + 2), Rule(column::Last, kFirst + 1), Rule(column::Change)}),
              matched.colourRules);

    // Two columns alike in the set take two of the tab's, not one twice.
    layout::ColumnSet twice = Scalping();
    twice.computed = {kSpread, kSpread};
    EXPECT_EQ((std::vector<ComputedColumnDef>{kSpread, kSpread}), layout::FitColumnSet(twice, {kSpread}).computed);
}

TEST(ColumnSetFit, ColumnsPastWhatATabHoldsAreLeftOutAndASetSavedBeforeSetsKeptComputedColumnsKeepsItsIds)
{
    std::vector<ComputedColumnDef> full(static_cast<size_t>(kMostComputedColumns) - 1, kRange);
    const layout::FittedColumnSet fitted = layout::FitColumnSet(Scalping(), full);
    ASSERT_EQ(static_cast<size_t>(kMostComputedColumns), fitted.computed.size());
    EXPECT_EQ(kSpread, fitted.computed.back());
    const int spread = kFirst + kMostComputedColumns - 1;
    EXPECT_EQ((std::vector<int>{column::Last, spread}), Ids(fitted));
    EXPECT_EQ((Rules{Rule(spread), Rule(column::Change)}), fitted.colourRules)
        << "the rule against the column left out goes with it";

    // A set saved before sets kept computed columns keeps its ids and hand-edited rules.
    layout::ColumnSet older = Scalping();
    older.computed.clear();
    ColourRuleSpec unread;
    unread.verbatim = {{"column", "99"}};
    older.colourRules.push_back(unread);
    const layout::FittedColumnSet kept = layout::FitColumnSet(older, {kRange});
    EXPECT_EQ(std::vector<ComputedColumnDef>{kRange}, kept.computed);
    EXPECT_EQ((std::vector<int>{column::Last, kFirst, kFirst + 1}), Ids(kept));
    EXPECT_EQ(older.colourRules, kept.colourRules);

    layout::ColumnSet current = Scalping();
    current.colourRules.push_back(unread);
    EXPECT_EQ(unread, layout::FitColumnSet(current, {}).colourRules.back());
}

}  // namespace
