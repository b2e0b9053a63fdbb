// Which style a tab's colour rules give a cell: first match, cell rules over
// row rules, comparisons with a number, a range or another column, texts,
// and the rules that cannot be used.

#include <gtest/gtest.h>

#include "contract/Records.h"
#include "model/ColourRules.h"
#include "model/ComputedColumns.h"
#include "support/GroupingLocale.h"
#include "support/RuleSpec.h"

namespace {

using namespace filter_op;

/// A rule that colours the background `rgb`.
ColourRuleSpec Rule(int col, int op, const char* value, uint32_t rgb, bool wholeRow = false)
{
    return testing_support::Rule(col, op, value, {{}, RuleColour::Of(rgb)}, wholeRow);
}

uint32_t BackgroundOf(const ColourRuleSet& set, const Price& quote, int col)
{
    const RuleStyle* style = set.StyleFor(quote, col);
    return style ? style->background.rgb : 0;
}

class ColourRules : public ::testing::Test
{
protected:
    ColourRules()
    {
        instrument.code = "AAA";
        instrument.sector = "Energy";
        quote.instrument = &instrument;
        quote.last = 10.5;
        quote.vwap = 10.0;
        quote.buy = 10.4;
        quote.sell = 10.6;
    }
    Instrument instrument;
    Price quote;
};

TEST_F(ColourRules, FirstMatchWinsAndACellRuleBeatsAnEarlierRowRule)
{
    const ColourRuleSet set({
        Rule(column::Sell, Above, "1", 0x00FF00, true),  // row, matches
        Rule(column::Last, Above, "11", 0x111111),       // cell, no match
        Rule(column::Last, Above, "10", 0x222222),       // cell, first match
        Rule(column::Last, Above, "9", 0x333333),        // cell, later match
    });
    EXPECT_EQ(0x222222u, BackgroundOf(set, quote, column::Last));
    EXPECT_EQ(0x00FF00u, BackgroundOf(set, quote, column::Buy)) << "the row rule colours the other cells";
    EXPECT_EQ(0x00FF00u, BackgroundOf(set, quote, column::Sell)) << "a row rule is no cell rule of its column";

    quote.last = 9.5;
    EXPECT_EQ(0x333333u, BackgroundOf(set, quote, column::Last));
    quote.sell = 0.5;
    quote.last = 5;
    EXPECT_EQ(nullptr, set.StyleFor(quote, column::Last));
    EXPECT_FALSE(set.IsEmpty());
}

TEST_F(ColourRules, ComparesWithAnotherColumnARangeAListAndTextsAsTheFilterDoes)
{
    ColourRuleSpec overVwap = Rule(column::Last, Above, "", 0x00AA00, true);
    overVwap.againstColumn = column::Vwap;
    ColourRuleSpec range = Rule(column::Buy, rule_op::Between, "10.5", 0xAA0000);
    range.upper = "10.4";  // bounds given the wrong way round still make a range
    const ColourRuleSet set({range, overVwap, Rule(column::Sell, In, "1,10.6, 12", 0x0000AA)});

    EXPECT_EQ(0x00AA00u, BackgroundOf(set, quote, column::Code));
    EXPECT_EQ(0xAA0000u, BackgroundOf(set, quote, column::Buy)) << "a bound itself lies in the range";
    EXPECT_EQ(0x0000AAu, BackgroundOf(set, quote, column::Sell));
    quote.vwap = 10.5;
    EXPECT_EQ(0u, BackgroundOf(set, quote, column::Code)) << "Last equal to Vwap is not above it";
    quote.buy = 10.3;
    quote.sell = 10.61;
    EXPECT_EQ(nullptr, set.StyleFor(quote, column::Buy));
    EXPECT_EQ(nullptr, set.StyleFor(quote, column::Sell));

    // Text columns take the filter's text conditions.
    const ColourRuleSet texts(
        {Rule(column::Sector, StartsWith, "En", 0x123456), Rule(column::Code, In, "B, AAA", 0x654321)});
    EXPECT_EQ(0x123456u, BackgroundOf(texts, quote, column::Sector));
    EXPECT_EQ(0x654321u, BackgroundOf(texts, quote, column::Code));
    instrument.sector = "Banks";
    EXPECT_EQ(nullptr, texts.StyleFor(quote, column::Sector));
}

TEST_F(ColourRules, ComputedColumnsTakeRulesAndABlankComputedCellMatchesNone)
{
    ComputedColumns computed;
    FormulaRefusal why;
    ASSERT_TRUE(computed.Set(0, {"Spread %", "(Sell - Buy) / Last * 100", 2}, &why));
    ASSERT_TRUE(computed.Set(1, {"Per Vwap", "Last / Vwap", 2}, &why));
    const int spread = column::Count;
    const int perVwap = column::Count + 1;
    ColourRuleSpec wide = Rule(spread, Above, "1.5", 0xAA0000);
    ColourRuleSpec overVwap = Rule(column::Last, NotIn, "1", 0x00AA00, true);
    ColourRuleSpec against = Rule(perVwap, Below, "", 0x0000AA);
    against.againstColumn = spread;
    ColourRuleSet set({wide, against, Rule(perVwap, NotIn, "5", 0x777777), overVwap});
    set.SetComputed(&computed);
    EXPECT_TRUE(set.Unusable().empty());
    EXPECT_EQ(0xAA0000u, BackgroundOf(set, quote, spread)) << "0.2 / 10.5 * 100 = 1.9 is above 1.5";
    EXPECT_EQ(0x0000AAu, BackgroundOf(set, quote, perVwap)) << "1.05 is below 1.9";
    quote.sell = 10.5;  // 0.1 / 10.5 * 100 = 0.95
    EXPECT_EQ(0x00AA00u, BackgroundOf(set, quote, spread));
    EXPECT_EQ(0x777777u, BackgroundOf(set, quote, perVwap)) << "1.05 is not below 0.95";

    quote.vwap = 0.0;  // Last / Vwap divides by zero: a blank cell
    EXPECT_EQ(0x00AA00u, BackgroundOf(set, quote, perVwap)) << "no cell rule holds for a blank cell";
    set.SetComputed(nullptr);
    EXPECT_EQ(0x00AA00u, BackgroundOf(set, quote, spread)) << "without the tab's columns no value";
}

TEST(ColourRuleColumns, RemovingAComputedColumnTakesItsRulesAndMovesTheLaterOnes)
{
    const int first = column::Count;
    ColourRuleSpec onSecond = Rule(first + 1, Above, "1", 0x1);
    ColourRuleSpec againstFirst = Rule(column::Last, Above, "", 0x2);
    againstFirst.againstColumn = first;
    ColourRuleSpec secondAgainstThird = Rule(first + 1, Below, "", 0x3);
    secondAgainstThird.againstColumn = first + 2;
    ColourRuleSpec unread = Rule(first + 2, Above, "1", 0x4);
    unread.verbatim = {{"column", "33"}};
    const ColourRuleSpec fixed = Rule(column::Last, Above, "1", 0x5);
    const std::vector<ColourRuleSpec> kept =
        RulesWithoutColumn({Rule(first, Above, "1", 0x6), onSecond, againstFirst, secondAgainstThird, unread, fixed}, first);
    ColourRuleSpec movedDown = Rule(first, Below, "", 0x3);  // the rule on the second against the third
    movedDown.againstColumn = first + 1;
    EXPECT_EQ((std::vector<ColourRuleSpec>{Rule(first, Above, "1", 0x1), movedDown, unread, fixed}), kept)
        << "a rule kept as read is written back as read";
}

TEST_F(ColourRules, UnusableRulesAreKeptNamedAndNeverMatch)
{
    ColourRuleSpec unread = Rule(column::Last, Above, "1", 0x1);
    unread.verbatim = {{"column", "Last"}};
    ColourRuleSpec textAgainst = Rule(column::Code, Above, "", 0x2);
    textAgainst.againstColumn = column::Last;
    ColourRuleSpec badUpper = Rule(column::Last, rule_op::Between, "1", 0x3);
    badUpper.upper = "2,5";  // stored numbers never hold a comma
    const std::vector<ColourRuleSpec> rules{
        unread,
        Rule(column::Count + kMostComputedColumns, Above, "1", 0x4),
        Rule(column::Last, Contains, "1", 0x5),  // a text condition on a number
        Rule(column::Last, Above, "ten", 0x6),
        Rule(column::Last, In, "1,x", 0x7),
        textAgainst,
        badUpper,
        Rule(column::Last, Above, "1", 0x8),
    };
    const ColourRuleSet set(rules);
    ASSERT_EQ(7u, set.Unusable().size());
    for (size_t at = 0; at < 7; ++at)
    {
        EXPECT_EQ(at, set.Unusable()[at].first);
        EXPECT_FALSE(set.Unusable()[at].second.empty());
    }
    EXPECT_EQ(rules, set.Rules()) << "unusable rules stay in the set, in their places";
    EXPECT_EQ(0x8u, BackgroundOf(set, quote, column::Last));
    EXPECT_TRUE(ColourRuleSet({unread}).IsEmpty());
}

TEST(ColourRuleOperands, TypedNumbersAreStoredLocaleFreeAndShownInTheLocale)
{
    testing_support::GroupingLocale locale;
    if (!locale.IsOk())
        GTEST_SKIP() << "no US English locale";
    std::string stored;
    ASSERT_TRUE(StoredOperand("1,250.5", false, &stored));
    EXPECT_EQ("1250.5", stored);
    ASSERT_TRUE(StoredOperand(" 0.5 , 2", true, &stored));
    EXPECT_EQ("0.5,2", stored);
    EXPECT_FALSE(StoredOperand("1.2.3", false, &stored));
    EXPECT_FALSE(StoredOperand("", false, &stored));
    EXPECT_FALSE(StoredOperand("1, x", true, &stored));
    EXPECT_EQ("0.5,2", stored) << "a refused operand leaves the last one read";
    EXPECT_EQ("0.5, 2", ShownOperand("0.5,2", true));
    EXPECT_EQ("a,b", ShownOperand("a,b", false));
    for (int op = 1; op <= rule_op::Between; ++op)
        EXPECT_EQ(op, RuleOperatorFromName(RuleOperatorName(op)));
    EXPECT_EQ(0, RuleOperatorFromName("over"));
}

}  // namespace
