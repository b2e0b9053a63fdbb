// Which quote rows a tab filter lets through: every operator on numbers and
// texts, the tolerance, lists, wildcards, and what the predicate ignores.

#include <gtest/gtest.h>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/FilterSet.h"
#include "support/GroupingLocale.h"

namespace {

using namespace filter_op;

struct Case
{
    int col;
    int op;
    const char* operand;
    bool passes;
};

class FilterPredicate : public ::testing::Test
{
protected:
    FilterPredicate()
    {
        instrument.code = "AAA";
        instrument.name = "Bravo Corp";
        instrument.currency = "USD";
        quote.instrument = &instrument;
        quote.last = 10.000000005;  // half the tolerance above 10
        quote.tradeType = '+';
        quote.statusNote = "Halted";
        quote.extraNote = "EUR";
        quote.secondDate = "20260105";  // shown when there is no trade date
    }

    bool Passes(int col, int op, const std::string& operand) const
    {
        return RowPasses(quote, FilterSet({{col, {FilterCondition{op, operand}}}}));
    }

    void ExpectCases(std::initializer_list<Case> cases) const
    {
        for (const Case& c : cases)
            EXPECT_EQ(c.passes, Passes(c.col, c.op, c.operand))
                << "column " << c.col << " operator " << c.op << " operand \"" << c.operand << "\"";
    }

    Instrument instrument;
    Price quote;
};

TEST_F(FilterPredicate, NumbersCompareWithinTheToleranceAndListsSkipUnreadableItems)
{
    ExpectCases({
        {column::Last, AtLeast, "10", true},           {column::Last, Equals, "10", true},
        {column::Last, Above, "10", false},            {column::Last, Above, "9.99999998", true},
        {column::Last, Differs, "10", false},          {column::Last, Differs, "9.99999998", true},
        {column::Last, Below, "10", false},            {column::Last, Below, "10.00000002", true},
        {column::Last, AtMost, "10", true},            {column::Last, AtMost, "9.99999998", false},
        {column::Last, In, "9,10", true},              {column::Last, In, "9,11,", false},
        {column::Last, NotIn, "9,,10", false},         {column::Closing, AtLeast, "1", false},
        // Text operators say nothing about numbers.
        {column::Last, Matches, "5", true},            {column::Last, Contains, "5", true},
        {column::Last, StartsWith, "5", true},         {column::Last, EndsWith, "5", true},
        // An unreadable operand is zero, an unreadable list item equals nothing.
        {column::Amplitude, Equals, "abc", true},      {column::Amplitude, Above, "", false},
        {column::Amplitude, In, "abc", false},         {column::Amplitude, In, ",", false},
        {column::Amplitude, NotIn, "abc,x", true},     {column::TradeType, Equals, "43", true},  // '+'
    });
}

TEST_F(FilterPredicate, TextsCompareCaseSensitivelyWithListsAndWildcards)
{
    ExpectCases({
        {column::Code, In, "AAA,BBB", true},           {column::Code, In, "aaa,BBB", false},
        {column::Code, In, "BBB,AAA,", true},          {column::Code, NotIn, "BBB,AAA", false},
        {column::Code, NotIn, "BBB,aaa", true},
        {column::CorporateAction, In, "X,,Y", true},   // an empty item between commas counts
        {column::CorporateAction, In, "X,", false},    // a trailing one does not
        {column::Name, Matches, "B*", true},           {column::Name, Matches, "b*", false},
        {column::Name, Matches, "Br?vo*", true},       {column::Name, Matches, "*Co?p", true},
        {column::Name, Matches, "Bravo", false},       {column::Name, Matches, "*o*o*x", false},
        {column::Name, AtLeast, "Bravo Corp", true},   {column::Name, Above, "Bravo Corp", false},
        {column::Name, Above, "Alpha", true},          {column::Name, Below, "C", true},
        {column::Name, Below, "Bravo", false},         {column::Name, AtMost, "Bravo Corp", true},
        {column::Name, Equals, "bravo corp", false},   {column::Name, Differs, "bravo corp", true},
        {column::Name, Contains, "vo C", true},        {column::Name, StartsWith, "Bra", true},
        {column::Name, StartsWith, "Corp", false},     {column::Name, EndsWith, "Corp", true},
        {column::Name, StartsWith, "Alp", false},
        {column::Name, EndsWith, "corp", false},       {column::Status, Equals, "Halted", true},
        // The currency and date the grid shows, not other fields of the quote.
        {column::Currency, Equals, "USD", true},       {column::Currency, Equals, "EUR", false},
        {column::Date, Equals, "20260105", true},
    });
}

TEST_F(FilterPredicate, ColumnsAndOperatorsOutsideTheTablesAreIgnored)
{
    ExpectCases({
        {column::Time, Equals, "nothing", true},       {column::Exchange, Equals, "nothing", true},
        {column::Flag, Equals, "nothing", true},       {column::No, Equals, "nothing", true},
        {column::Count, Equals, "nothing", true},      {-1, Equals, "nothing", true},
        {column::Code, 0, "nothing", true},            {column::Code, Last + 1, "nothing", true},
    });
}

TEST_F(FilterPredicate, EveryConditionMustHoldAndTwoOnOneColumnMakeARange)
{
    const auto range = [](double low, double high) {
        return FilterSet({{column::Last,
                           {FilterCondition{Above, std::to_string(low)}, FilterCondition{Below, std::to_string(high)}}}});
    };
    EXPECT_TRUE(RowPasses(quote, range(5, 11)));
    EXPECT_FALSE(RowPasses(quote, range(5, 9)));
    EXPECT_FALSE(RowPasses(quote, range(11, 20)));
    EXPECT_FALSE(RowPasses(quote, FilterSet({{column::Last, {FilterCondition{AtLeast, "5"}}},
                                             {column::Code, {FilterCondition{Equals, "BBB"}}}})));
    EXPECT_TRUE(RowPasses(quote, FilterSet()));
    // A shown row is checked again on the quote's own fields only: what its
    // instrument holds does not change under it.
    const FilterSet mixed({{column::Last, {FilterCondition{AtLeast, "5"}}},
                           {column::Code, {FilterCondition{Equals, "BBB"}}},
                           {column::Status, {FilterCondition{Equals, "Halted"}}}});
    EXPECT_TRUE(mixed.AcceptsShown(quote));
    quote.statusNote = "Auction";
    EXPECT_FALSE(mixed.AcceptsShown(quote));
    quote.statusNote = "Halted";
    quote.last = 4.0;
    EXPECT_FALSE(mixed.AcceptsShown(quote));
    EXPECT_TRUE(FilterSet(FilterSet::Columns{{column::Last, {}}}).IsEmpty());
    EXPECT_FALSE(FilterSet({{column::Time, {FilterCondition{Equals, "x"}}}}).IsEmpty());
}

TEST_F(FilterPredicate, NumbersAreReadWithTheLocalesThousandsSeparators)
{
    testing_support::GroupingLocale locale;
    if (!locale.IsOk())
        GTEST_SKIP() << "no US English locale on this system";
    quote.last = 1500.0;
    EXPECT_TRUE(Passes(column::Last, Above, "1,000"));
    EXPECT_FALSE(Passes(column::Last, Above, "2,000"));
    EXPECT_FALSE(Passes(column::Last, In, "1,500"))
        << "a list splits at commas first: \"1\" and \"500\" are two items";
}

}  // namespace
