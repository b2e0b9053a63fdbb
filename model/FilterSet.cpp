#include "model/FilterSet.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

#include <wx/intl.h>
#include <wx/numformatter.h>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/QuoteFormat.h"

namespace {

constexpr double kTolerance = quote_format::kZeroTolerance;

const char* const kOperatorTexts[] = {
    wxTRANSLATE("greater or equal to"), wxTRANSLATE("greater than"), wxTRANSLATE("matches"),
    wxTRANSLATE("not in"),              wxTRANSLATE("in"),           wxTRANSLATE("equals to"),
    wxTRANSLATE("different from"),      wxTRANSLATE("contains"),     wxTRANSLATE("starts with"),
    wxTRANSLATE("ends with"),           wxTRANSLATE("less than"),    wxTRANSLATE("less or equal to"),
};
static_assert(std::size(kOperatorTexts) == filter_op::Last, "one text per operator code");

bool IsOperator(int code)
{
    return code >= filter_op::AtLeast && code <= filter_op::Last;
}

/// A number as the user's locale writes it, thousands separators and all.
bool ReadNumber(const std::string& text, double* value)
{
    return wxNumberFormatter::FromString(wxString::FromUTF8(text), value);
}

/// The operand split at every comma; a trailing empty item is no item.
std::vector<std::string> ListItems(const std::string& operand)
{
    std::vector<std::string> items;
    std::string::size_type start = 0;
    for (;;)
    {
        const std::string::size_type comma = operand.find(',', start);
        items.push_back(operand.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (items.back().empty())
        items.pop_back();
    return items;
}

/// `*` stands for any run of characters, `?` for one; everything else for
/// itself, case included.
bool MatchesWildcard(const wxString& pattern, const wxString& text)
{
    size_t p = 0;
    size_t t = 0;
    size_t starAt = wxString::npos;
    size_t resumeAt = 0;
    while (t < text.length())
    {
        if (p < pattern.length() && (pattern[p] == '?' || pattern[p] == text[t]))
        {
            ++p;
            ++t;
        }
        else if (p < pattern.length() && pattern[p] == '*')
        {
            starAt = p++;
            resumeAt = t;
        }
        else if (starAt != wxString::npos)
        {
            // Let the last star swallow one character more and try again.
            p = starAt + 1;
            t = ++resumeAt;
        }
        else
        {
            return false;
        }
    }
    while (p < pattern.length() && pattern[p] == '*')
        ++p;
    return p == pattern.length();
}

double NumberOf(const Price& price, int col)
{
    switch (col)
    {
    case column::TradeType: return static_cast<unsigned char>(price.tradeType);
    case column::Last: return price.last;
    case column::Change: return price.change;
    case column::ChangePercent: return price.changePercent;
    case column::Amplitude: return price.amplitude;
    case column::BuyVolume: return price.buyVolume;
    case column::Buy: return price.buy;
    case column::Sell: return price.sell;
    case column::SellVolume: return price.sellVolume;
    case column::CumVolume: return price.cumVolume;
    case column::CumValue: return price.cumValue;
    case column::Deals: return price.deals;
    case column::MoneyFlow: return price.moneyFlow;
    case column::Open: return price.open;
    case column::High: return price.high;
    case column::Low: return price.low;
    case column::Vwap: return price.vwap;
    case column::PrevClose: return price.prevClose;
    case column::Closing: return price.closing;
    default: return 0.0;
    }
}

bool IsInstrumentField(int col)
{
    switch (col)
    {
    case column::Name:
    case column::Code:
    case column::Currency:
    case column::Sector:
    case column::Type: return true;
    default: return false;
    }
}

const std::string& TextOf(const Price& price, int col)
{
    static const std::string none;
    const Instrument* instrument = price.instrument;
    switch (col)
    {
    case column::Name: return instrument ? instrument->name : none;
    case column::Code: return instrument ? instrument->code : none;
    case column::Status: return price.statusNote;
    case column::CorporateAction: return price.caNote;
    // The currency the grid shows, which is the instrument's.
    case column::Currency: return instrument ? instrument->currency : none;
    case column::Sector: return instrument ? instrument->sector : none;
    case column::Type: return instrument ? instrument->type : none;
    // The date the grid shows: the trade date, else the quote's other date.
    case column::Date: return price.tradeDate.empty() ? price.secondDate : price.tradeDate;
    default: return none;
    }
}

bool HoldsForNumber(int op, double value, double operand, const std::vector<double>& list)
{
    const double d = value - operand;
    const auto listed = [value, &list] {
        for (double item : list)
            if (std::fabs(value - item) < kTolerance)  // false for an unreadable item (NaN)
                return true;
        return false;
    };
    switch (op)
    {
    case filter_op::AtLeast: return d >= -kTolerance;
    case filter_op::Above: return d >= kTolerance;
    case filter_op::NotIn: return !listed();
    case filter_op::In: return listed();
    case filter_op::Equals: return std::fabs(d) <= kTolerance;
    case filter_op::Differs: return std::fabs(d) >= kTolerance;
    case filter_op::Below: return d <= -kTolerance;
    case filter_op::AtMost: return d <= kTolerance;
    default: return true;  // the text operators say nothing about a number
    }
}

bool HoldsForText(int op, const std::string& value, const std::string& operand,
                  const std::vector<std::string>& list, const wxString& pattern)
{
    const auto listed = [&value, &list] {
        for (const std::string& item : list)
            if (item == value)
                return true;
        return false;
    };
    // UTF-8 bytes sort in the order of the characters they encode.
    switch (op)
    {
    case filter_op::AtLeast: return value.compare(operand) >= 0;
    case filter_op::Above: return value.compare(operand) > 0;
    case filter_op::Matches: return MatchesWildcard(pattern, wxString::FromUTF8(value));
    case filter_op::NotIn: return !listed();
    case filter_op::In: return listed();
    case filter_op::Equals: return value == operand;
    case filter_op::Differs: return value != operand;
    case filter_op::Contains: return value.find(operand) != std::string::npos;
    case filter_op::StartsWith: return value.compare(0, operand.size(), operand) == 0;
    case filter_op::EndsWith:
        return value.size() >= operand.size() &&
               value.compare(value.size() - operand.size(), operand.size(), operand) == 0;
    case filter_op::Below: return value.compare(operand) < 0;
    case filter_op::AtMost: return value.compare(operand) <= 0;
    default: return true;
    }
}

}  // namespace

const char* FilterOperatorText(int code)
{
    return IsOperator(code) ? kOperatorTexts[code - 1] : nullptr;
}

FilterKind FilterKindOf(int col)
{
    switch (col)
    {
    case column::Name:
    case column::Code:
    case column::Status:
    case column::CorporateAction:
    case column::Currency:
    case column::Sector:
    case column::Type:
    case column::Date:
        return FilterKind::Text;
    case column::TradeType:
        return FilterKind::Number;
    default:
        return col >= column::Last && col <= column::Closing ? FilterKind::Number : FilterKind::None;
    }
}

/// One condition ready to check: its operand read once.
struct FilterSet::Test
{
    int column = 0;
    int op = 0;
    bool numeric = false;
    bool onInstrument = false;  // reads a field of the instrument, not of the quote
    double number = 0.0;
    std::vector<double> numbers;
    std::string text;
    std::vector<std::string> items;
    wxString pattern;
};

FilterSet::FilterSet() = default;

FilterSet::FilterSet(Columns columns) : m_columns(std::move(columns))
{
    for (const auto& [col, conditions] : m_columns)
    {
        const FilterKind kind = FilterKindOf(col);
        if (kind == FilterKind::None)
            continue;
        for (const FilterCondition& condition : conditions)
        {
            if (!IsOperator(condition.condition))
                continue;
            Test test;
            test.column = col;
            test.op = condition.condition;
            test.numeric = kind == FilterKind::Number;
            test.onInstrument = IsInstrumentField(col);
            const bool isList = test.op == filter_op::In || test.op == filter_op::NotIn;
            if (!test.numeric)
            {
                test.text = condition.value;
                if (isList)
                    test.items = ListItems(condition.value);
                if (test.op == filter_op::Matches)
                    test.pattern = wxString::FromUTF8(condition.value);
            }
            else if (isList)
            {
                // An item that is no number can equal no value.
                for (const std::string& item : ListItems(condition.value))
                {
                    double number = 0.0;
                    test.numbers.push_back(ReadNumber(item, &number) ? number
                                                                     : std::numeric_limits<double>::quiet_NaN());
                }
            }
            else if (!ReadNumber(condition.value, &test.number))
            {
                test.number = 0.0;  // an unreadable operand counts as zero
            }
            m_tests.push_back(std::move(test));
        }
    }
    // Numbers first, then the quote's own texts, then the instrument's,
    // which lie a cache miss away on a long tab and never change.
    std::stable_partition(m_tests.begin(), m_tests.end(), [](const Test& test) { return test.numeric; });
    const auto onQuote = std::stable_partition(m_tests.begin(), m_tests.end(),
                                               [](const Test& test) { return !test.onInstrument; });
    m_quoteTests = static_cast<size_t>(onQuote - m_tests.begin());
}

FilterSet::~FilterSet() = default;

bool FilterSet::Accepts(const Price& price) const
{
    return RowPasses(price, *this);
}

bool FilterSet::AcceptsShown(const Price& price) const
{
    for (size_t at = 0; at < m_quoteTests; ++at)
        if (!Holds(m_tests[at], price))
            return false;
    return true;
}

bool FilterSet::IsEmpty() const
{
    for (const auto& [col, conditions] : m_columns)
        if (!conditions.empty())
            return false;
    return true;
}

bool FilterSet::Holds(const Test& test, const Price& price)
{
    if (test.numeric)
        return HoldsForNumber(test.op, NumberOf(price, test.column), test.number, test.numbers);
    return HoldsForText(test.op, TextOf(price, test.column), test.text, test.items, test.pattern);
}

bool RowPasses(const Price& price, const FilterSet& set)
{
    for (const FilterSet::Test& test : set.m_tests)
        if (!FilterSet::Holds(test, price))
            return false;
    return true;
}
