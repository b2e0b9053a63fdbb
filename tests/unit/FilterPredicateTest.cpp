// Which quote rows a tab filter lets through: every operator on numbers and
// texts, the tolerance, lists, wildcards, and what the predicate ignores.

#include <cmath>

#include <gtest/gtest.h>
#include <wx/intl.h>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/FilterSet.h"

namespace {

using namespace filter_op;

const NumberWriting german{",", "."};
const NumberWriting english{".", ","};

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
        quote.caNote = "XD";
        instrument.corporateAction = "Rights";
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
    // clang-format off
    ExpectCases({
        {column::Last, AtLeast, "10", true},           {column::Last, Equals, "10", true},
        {column::Last, Above, "10", false},            {column::Last, Above, "9.99999998", true},
        {column::Last, Differs, "10", false},          {column::Last, Differs, "9.99999998", true},
        {column::Last, Below, "10", false},            {column::Last, Below, "10.00000002", true},
        {column::Last, AtMost, "10", true},            {column::Last, AtMost, "9.99999998", false},
        {column::Last, In, "9,10", true},              {column::Last, In, "9,11,", false},
        {column::Last, NotIn, "9, 10", false},         {column::Closing, AtLeast, "1", false},
        // Text operators say nothing about numbers.
        {column::Last, Matches, "5", true},            {column::Last, Contains, "5", true},
        {column::Last, StartsWith, "5", true},         {column::Last, EndsWith, "5", true},
        // A condition whose operand is no number is left out, not read as zero.
        {column::Amplitude, Above, "", true},          {column::Amplitude, Above, "abc", true},
        {column::Amplitude, In, "1,,2", true},         {column::Amplitude, NotIn, "0,x", true},
        {column::TradeType, Equals, "43", true},  // '+'
    });
    // clang-format on
    const FilterSet unreadable({{column::Last, {FilterCondition{Above, "abc"}, FilterCondition{In, "1, 2"}}}});
    ASSERT_EQ(1u, unreadable.Unreadable().size());
    EXPECT_EQ("abc", unreadable.Unreadable()[0].second.value);
    EXPECT_TRUE(FilterOperandRefusal(column::Last, In, "1,,2").Contains("\"\""));
    EXPECT_TRUE(FilterOperandRefusal(column::Code, In, "1,,2").empty());
}

TEST_F(FilterPredicate, NumbersReadAsTheLocaleWritesThemOrWithAPointAndListsRefuseCommasThatMayBelongToOne)
{
    // clang-format off
    const struct
    {
        const NumberWriting& writing;
        const char* text;
        double number; // NaN: refused
    } cases[] = {
        {german, "1,5", 1.5},        {german, "1.5", 1.5},          {german, " 1.500 ", 1500},
        {german, "-1.234.567,25", -1234567.25},                     {german, "1.50", 1.5},
        {german, "1,5.0", NAN},      {german, "abc", NAN},          {german, "", NAN},
        {english, "1,250.75", 1250.75}, {english, "1,5", NAN},      {english, "12,34,567", NAN},
        {english, ".5", 0.5},        {english, "5.", 5},            {english, "1e5", NAN},
        {NumberWriting{",", "\u202f"}, "1\u202f500,5", 1500.5},
    };
    // clang-format on
    for (const auto& c : cases)
    {
        double number = 0.0;
        const bool read = ReadFilterNumber(c.text, c.writing, &number);
        EXPECT_EQ(std::isnan(c.number) ? std::nullopt : std::optional(c.number),
                  read ? std::optional(number) : std::nullopt)
            << c.text << " with decimal " << c.writing.decimal;
    }

    // Typed lists take semicolons and refuse commas that may belong to a number.
    // clang-format off
    const struct
    {
        const NumberWriting& writing;
        int op;
        const char* typed;
        const char* kept; // null: refused
    } lists[] = {
        {german, In, "6,21; 18,42", "6.21,18.42"},   {german, In, "6,21, 18,42", nullptr},
        {german, NotIn, "6,18", nullptr},            {german, In, "6, 18,", "6,18"},
        {german, In, "1.5,2.5", "1.5,2.5"},          {german, In, "1.000; 2,5;", "1000,2.5"},
        {german, In, "6,21; x", nullptr},            {german, In, "6;;7", nullptr},
        {english, In, "6.21, 18.42", "6.21,18.42"},  {english, In, "1,250", nullptr},
        {english, In, "1,250; 3", "1250,3"},         {english, In, "10,20,30", "10,20,30"},
        // One number: grouped and with decimals as the locale writes them.
        {german, Above, "1.713", "1713"},            {german, Above, "1,713", "1.713"},
        {german, AtMost, "-1.250,75", "-1250.75"},   {english, Above, "1.713", "1.713"},
        {english, Equals, "abc", nullptr},           {english, Below, "0.1", "0.1"},
    };
    // clang-format on
    for (const auto& c : lists)
    {
        const std::optional<std::string> kept = KeptOperand(column::Last, c.op, c.typed, c.writing);
        EXPECT_EQ(c.kept ? std::optional<std::string>(c.kept) : std::nullopt, kept) << c.typed;
        if (kept)
        {
            // What the dialog shows again reads as the same.
            EXPECT_EQ(kept, KeptOperand(column::Last, c.op, TypedOperand(column::Last, c.op, *kept, c.writing),
                                        c.writing))
                << c.typed;
        }
    }
    // An unreadable kept operand is shown as kept, to be mended; texts and
    // text operators keep what was typed.
    EXPECT_EQ("6,21; 18,42", TypedOperand(column::Last, In, "6.21,18.42", german));
    EXPECT_EQ("6.21, 18.42", TypedOperand(column::Last, In, "6.21,18.42", english));
    EXPECT_EQ("abc", TypedOperand(column::Last, In, "abc", german));
    EXPECT_EQ("1,5", TypedOperand(column::Code, Equals, "1,5", english));
    EXPECT_EQ("A,B; C", KeptOperand(column::Code, In, "A,B; C", german));
    EXPECT_EQ("1,5", KeptOperand(column::Last, Matches, "1,5", german));

    // Layouts written before read as they did: in the locale, lists split at
    // every comma, what does not read unchanged.
    EXPECT_EQ("1713", KeptOperandOfTypedText(column::Last, Above, "1.713", german));
    EXPECT_EQ("1.713", KeptOperandOfTypedText(column::Last, Above, "1.713", english));
    EXPECT_EQ("6,21,18,42", KeptOperandOfTypedText(column::Last, In, "6,21, 18,42", german));
    EXPECT_EQ("1,2.5", KeptOperandOfTypedText(column::Last, In, "1, 2.5,", english));
    EXPECT_EQ("1,,2", KeptOperandOfTypedText(column::Last, In, "1,,2", german));
    EXPECT_EQ("1.713", KeptOperandOfTypedText(column::Code, Equals, "1.713", german));

    if (!wxLocale::IsAvailable(wxLANGUAGE_GERMAN))
        GTEST_SKIP() << "no German locale on this system (scripts/deps.sh makes one)";
    wxLocale locale(wxLANGUAGE_GERMAN, wxLOCALE_DONT_LOAD_DEFAULT);
    // The refusal shows the list as it would be read.
    EXPECT_TRUE(FilterOperandRefusal(column::Last, In, "6,21, 18,42").Contains("6,21; 18,42"));
    EXPECT_TRUE(FilterOperandRefusal(column::Last, In, "6,21; 18,42").empty());
    EXPECT_TRUE(FilterOperandRefusal(column::Last, In, "6,21; x").Contains("\"x\""));
    // A kept operand means the same in every locale.
    quote.last = 1.8;
    EXPECT_FALSE(Passes(column::Last, Below, "1.713"));
    EXPECT_TRUE(Passes(column::Last, In, "1.8,2"));
    quote.last = 1000.0;
    EXPECT_TRUE(Passes(column::Last, Above, "1.713"));
}

TEST_F(FilterPredicate, TextsCompareCaseSensitivelyUnknownColumnsAndOperatorsAreIgnoredEveryConditionMustHold)
{
    // clang-format off
    ExpectCases({
        {column::Code, In, "AAA,BBB", true},           {column::Code, In, "aaa,BBB", false},
        {column::Code, In, "BBB, AAA ,", true},        {column::Code, NotIn, "BBB,AAA", false},
        {column::Code, NotIn, "BBB,aaa", true},
        {column::Sector, In, "X,,Y", true},            // an empty item between commas counts
        {column::Sector, In, "X,", false},             // a trailing one does not
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
        // What the grid shows: the instrument's currency, the date with its
        // dashes, the quote's note joined to the instrument's text.
        {column::Currency, Equals, "USD", true},       {column::Currency, Equals, "EUR", false},
        {column::Date, Equals, "2026-01-05", true},    {column::Date, Below, "2026-01-10", true},
        {column::CorporateAction, Equals, "XD;Rights", true},
        // Columns and operators outside the tables are ignored.
        {column::Time, Equals, "nothing", true},       {column::Exchange, Equals, "nothing", true},
        {column::Flag, Equals, "nothing", true},       {column::No, Equals, "nothing", true},
        {column::Count, Equals, "nothing", true},      {-1, Equals, "nothing", true},
        {column::Code, 0, "nothing", true},            {column::Code, Last + 1, "nothing", true},
    });
    // clang-format on

    // Every condition must hold, and two on one column make a range.
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

}  // namespace
