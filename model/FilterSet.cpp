#include "model/FilterSet.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <unordered_set>
#include <utility>

#include <wx/intl.h>
#include <wx/numformatter.h>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/ComputedColumns.h"
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

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool IsSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

std::string Trimmed(const std::string& text)
{
    size_t first = 0;
    size_t end = text.size();
    while (first < end && IsSpace(text[first]))
        ++first;
    while (end > first && IsSpace(text[end - 1]))
        --end;
    return text.substr(first, end - first);
}

bool HasAt(const std::string& text, size_t at, const std::string& part)
{
    return !part.empty() && text.compare(at, part.size(), part) == 0;
}

/// Reads a whole number written with `decimal` before the decimals and, when
/// not empty, `thousands` between groups of three digits.
bool ReadWritten(const std::string& text, const std::string& decimal, const std::string& thousands,
                 double* value)
{
    std::string plain;
    size_t at = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        plain += text[at++] == '-' ? "-" : "";
    bool grouped = false;
    int run = 0; // digits since the last thousands separator
    bool anyDigit = false;
    while (at < text.size())
    {
        if (IsDigit(text[at]))
        {
            plain += text[at++];
            ++run;
            anyDigit = true;
        }
        else if (HasAt(text, at, thousands))
        {
            if (grouped ? run != 3 : run < 1 || run > 3)
                return false;
            grouped = true;
            run = 0;
            at += thousands.size();
        }
        else
        {
            break;
        }
    }
    if (grouped && run != 3)
        return false;
    if (HasAt(text, at, decimal))
    {
        plain += '.';
        at += decimal.size();
        while (at < text.size() && IsDigit(text[at]))
        {
            plain += text[at++];
            anyDigit = true;
        }
    }
    if (!anyDigit || at != text.size())
        return false;
    // from_chars ignores the C library's locale, which may want a comma.
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), *value);
    return result.ec == std::errc() && result.ptr == plain.data() + plain.size() && std::isfinite(*value);
}

/// Items split at every one of `separators`, each without the spaces around it; a
/// trailing empty item is no item.
std::vector<std::string> ItemsBetween(const std::string& operand, const char* separators)
{
    std::vector<std::string> items;
    std::string::size_type start = 0;
    for (;;)
    {
        const std::string::size_type end = operand.find_first_of(separators, start);
        items.push_back(Trimmed(operand.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    if (items.back().empty())
        items.pop_back();
    return items;
}

/// The operand split at every comma: how lists of texts are written.
std::vector<std::string> ListItems(const std::string& operand)
{
    return ItemsBetween(operand, ",");
}

bool IsList(int op)
{
    return op == filter_op::In || op == filter_op::NotIn;
}

/// Operators that hold for every number.
bool IsTextOnly(int op)
{
    return op == filter_op::Matches || op == filter_op::Contains || op == filter_op::StartsWith ||
           op == filter_op::EndsWith;
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

/// The instrument's text and the quote's note as the grid joins them.
const std::string& JoinedNote(const std::string& note, const std::string& instrumentText,
                              std::string& scratch)
{
    if (instrumentText.empty())
        return note;
    if (note.empty())
        return instrumentText;
    scratch.assign(note).append(";").append(instrumentText);
    return scratch;
}

/// The text the grid shows in a text column; `scratch` holds it when it
/// has to be put together.
const std::string& TextOf(const Price& price, int col, std::string& scratch)
{
    static const std::string none;
    const Instrument* instrument = price.instrument;
    if (const auto field = ColumnAt(col).text)
        return instrument ? instrument->*field : none;
    switch (col)
    {
    case column::Status:
        return JoinedNote(price.statusNote, instrument ? instrument->tradingStatus : none, scratch);
    case column::CorporateAction:
        return JoinedNote(price.caNote, instrument ? instrument->corporateAction : none, scratch);
    // The date as the grid shows it, so that what the user reads there is
    // what compares: the trade date, else the quote's other date.
    case column::Date:
        scratch = quote_format::DateText(price.tradeDate.empty() ? price.secondDate : price.tradeDate)
                      .utf8_string();
        return scratch;
    default: return none;
    }
}

/// Whether a sorted list holds a number within the tolerance of `value`.
bool Listed(double value, const std::vector<double>& sorted)
{
    const auto near = std::lower_bound(sorted.begin(), sorted.end(), value - kTolerance);
    return near != sorted.end() && *near - value < kTolerance && value - *near < kTolerance;
}

bool HoldsForNumber(int op, double value, double operand, const std::vector<double>& list)
{
    const double d = value - operand;
    switch (op)
    {
    case filter_op::AtLeast: return d >= -kTolerance;
    case filter_op::Above: return d >= kTolerance;
    case filter_op::NotIn:
        return !Listed(value, list);
    case filter_op::In:
        return Listed(value, list);
    case filter_op::Equals: return std::fabs(d) <= kTolerance;
    case filter_op::Differs: return std::fabs(d) >= kTolerance;
    case filter_op::Below: return d <= -kTolerance;
    case filter_op::AtMost: return d <= kTolerance;
    default: return true;  // the text operators say nothing about a number
    }
}

bool HoldsForText(int op, const std::string& value, const std::string& operand,
                  const std::unordered_set<std::string>& list, const wxString& pattern)
{
    // UTF-8 bytes sort in the order of the characters they encode.
    switch (op)
    {
    case filter_op::AtLeast: return value.compare(operand) >= 0;
    case filter_op::Above: return value.compare(operand) > 0;
    case filter_op::Matches: return MatchesWildcard(pattern, wxString::FromUTF8(value));
    case filter_op::NotIn:
        return list.count(value) == 0;
    case filter_op::In:
        return list.count(value) != 0;
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

/// A kept number: a point before the decimals, no grouping, in any locale.
bool ReadKeptNumber(const std::string& text, double* value)
{
    return ReadWritten(Trimmed(text), ".", std::string(), value);
}

/// The shortest text that reads back as `value`, without an exponent.
std::string KeptNumberText(double value)
{
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ec == std::errc() ? result.ptr : buffer);
}

/// The kept operand's numbers, sorted; false when one of them is none.
bool ReadNumberList(const std::string& operand, std::vector<double>* numbers)
{
    for (const std::string& item : ItemsBetween(operand, ",;"))
    {
        double number = 0.0;
        if (!ReadKeptNumber(item, &number))
            return false;
        numbers->push_back(number);
    }
    std::sort(numbers->begin(), numbers->end());
    return true;
}

/// How a typed list reads in a locale.
struct TypedList
{
    enum
    {
        Read,
        Ambiguous,   // a comma between items could be part of a number
        NotANumber   // `refused` is the item
    } outcome = Read;
    std::vector<double> numbers;
    std::string refused;
};

TypedList ReadTypedList(const std::string& typed, const NumberWriting& writing)
{
    TypedList list;
    const bool semicolons = typed.find(';') != std::string::npos;
    if (!semicolons)
    {
        // "6,21, 18,42" in German, "1,250" in English: two items, or one
        // number? Such a list is refused rather than guessed. A number with
        // more commas reads as one up to its second too, so neighbours
        // suffice; they keep their spaces: "6, 18" is a list in any locale.
        std::vector<std::string> pieces;
        for (size_t start = 0;;)
        {
            const size_t comma = typed.find(',', start);
            pieces.push_back(typed.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        double joined = 0.0;
        for (size_t at = 0; at + 1 < pieces.size(); ++at)
            if (!Trimmed(pieces[at]).empty() && !Trimmed(pieces[at + 1]).empty() &&
                ReadFilterNumber(pieces[at] + "," + pieces[at + 1], writing, &joined))
            {
                list.outcome = TypedList::Ambiguous;
                return list;
            }
    }
    for (const std::string& item : ItemsBetween(typed, semicolons ? ";" : ","))
    {
        double number = 0.0;
        if (!ReadFilterNumber(item, writing, &number))
        {
            list.outcome = TypedList::NotANumber;
            list.refused = item;
            return list;
        }
        list.numbers.push_back(number);
    }
    return list;
}

std::string JoinedKept(const std::vector<double>& numbers)
{
    std::string kept;
    for (double number : numbers)
        kept += (kept.empty() ? "" : ",") + KeptNumberText(number);
    return kept;
}

}  // namespace

const char* FilterOperatorText(int code)
{
    return IsOperator(code) ? kOperatorTexts[code - 1] : nullptr;
}

FilterKind FilterKindOf(int col)
{
    if (IsComputedColumn(col))
        return FilterKind::Number;
    return IsColumn(col) ? ColumnAt(col).filter : FilterKind::None;
}

std::vector<int> FilterOperatorsFor(FilterKind kind)
{
    using namespace filter_op;
    switch (kind)
    {
    case FilterKind::Number:
        return {AtLeast, Above, NotIn, In, Equals, Differs, Below, AtMost};
    case FilterKind::Text:
        return {AtLeast, Above,    Matches,    NotIn,    In,    Equals,
                Differs, Contains, StartsWith, EndsWith, Below, AtMost};
    case FilterKind::None:
        break;
    }
    return {};
}

NumberWriting NumberWriting::OfLocale()
{
    NumberWriting writing;
    writing.decimal = wxString(wxNumberFormatter::GetDecimalSeparator()).utf8_string();
    wxChar separator = 0;
    if (wxNumberFormatter::GetThousandsSeparatorIfUsed(&separator))
        writing.thousands = wxString(separator).utf8_string();
    return writing;
}

bool ReadFilterNumber(const std::string& text, const NumberWriting& writing, double* value)
{
    const std::string trimmed = Trimmed(text);
    // Where the locale writes a decimal comma, "1.5" still means one and a
    // half: it is how the user reads most figures elsewhere.
    return ReadWritten(trimmed, writing.decimal, writing.thousands, value) ||
           (writing.decimal != "." && ReadWritten(trimmed, ".", std::string(), value));
}

bool ReadFilterNumber(const std::string& text, double* value)
{
    return ReadFilterNumber(text, NumberWriting::OfLocale(), value);
}

bool NumberConditionHolds(int op, double value, double operand, const std::vector<double>& sorted)
{
    return HoldsForNumber(op, value, operand, sorted);
}

wxString FilterOperandRefusal(int col, int op, const std::string& typed)
{
    if (!OperandIsNumbers(col, op))
        return wxString();
    double number = 0.0;
    const NumberWriting writing = NumberWriting::OfLocale();
    if (!IsList(op))
        return ReadFilterNumber(typed, writing, &number)
                   ? wxString()
                   : wxString::Format(
                         _("Type a number, such as %s or %s"), wxNumberFormatter::ToString(1.5, 1),
                         wxNumberFormatter::ToString(1250.75, 2, wxNumberFormatter::Style_WithThousandsSep));
    const TypedList list = ReadTypedList(typed, writing);
    const wxString example =
        wxNumberFormatter::ToString(6.21, 2) + "; " + wxNumberFormatter::ToString(18.42, 2);
    switch (list.outcome)
    {
    case TypedList::Read: return wxString();
    case TypedList::Ambiguous:
        return wxString::Format(_("A comma here may belong to a number: separate the numbers with \";\", "
                                  "such as %s"),
                                example);
    case TypedList::NotANumber: break;
    }
    return wxString::Format(_("\"%s\" is not a number: separate the numbers with \";\", such as %s"),
                            wxString::FromUTF8(list.refused), example);
}

bool OperandIsNumbers(int col, int op)
{
    return FilterKindOf(col) == FilterKind::Number && IsOperator(op) && !IsTextOnly(op);
}

std::optional<std::string> KeptOperand(int col, int op, const std::string& typed, const NumberWriting& writing)
{
    if (!OperandIsNumbers(col, op))
        return typed;
    if (IsList(op))
    {
        const TypedList list = ReadTypedList(typed, writing);
        if (list.outcome != TypedList::Read)
            return std::nullopt;
        return JoinedKept(list.numbers);
    }
    double number = 0.0;
    if (!ReadFilterNumber(typed, writing, &number))
        return std::nullopt;
    return KeptNumberText(number);
}

std::string TypedOperand(int col, int op, const std::string& kept, const NumberWriting& writing)
{
    if (!OperandIsNumbers(col, op))
        return kept;
    const std::vector<std::string> items = IsList(op) ? ItemsBetween(kept, ",;") : std::vector<std::string>{kept};
    double number = 0.0;
    for (const std::string& item : items)
        if (!ReadKeptNumber(item, &number))
            return kept;  // shown as it is, for the user to mend
    // Where a kept number, never grouped, takes a comma, items go between
    // semicolons; a comma and a space part them anywhere else.
    const bool commaInNumbers = writing.decimal.find(',') != std::string::npos;
    std::string typed;
    for (const std::string& item : items)
    {
        if (!typed.empty())
            typed += commaInNumbers ? "; " : ", ";
        for (char ch : item)
            typed += ch == '.' ? writing.decimal : std::string(1, ch);
    }
    return typed;
}

std::string KeptOperandOfTypedText(int col, int op, const std::string& typed, const NumberWriting& writing)
{
    if (!OperandIsNumbers(col, op))
        return typed;
    std::vector<double> numbers;
    for (const std::string& item : IsList(op) ? ListItems(typed) : std::vector<std::string>{typed})
    {
        double number = 0.0;
        if (!ReadFilterNumber(item, writing, &number))
            return typed;
        numbers.push_back(number);
    }
    return JoinedKept(numbers);
}

/// One condition ready to check: its operand read once.
struct FilterSet::Test
{
    int column = 0;
    int op = 0;
    bool numeric = false;
    bool onInstrument = false;  // reads a field of the instrument, not of the quote
    double number = 0.0;
    std::vector<double> numbers; // sorted
    std::string text;
    std::unordered_set<std::string> items;
    wxString pattern;
};

FilterSet::FilterSet() = default;

bool FilterSet::ReadOperand(const std::string& operand, Test& test)
{
    // Lists are read once into a set: a tab checks every row against them,
    // and a list may hold as many items as the tab has rows.
    if (!test.numeric)
    {
        test.text = operand;
        if (IsList(test.op))
            for (std::string& item : ListItems(operand))
                test.items.insert(std::move(item));
        if (test.op == filter_op::Matches)
            test.pattern = wxString::FromUTF8(operand);
        return true;
    }
    if (IsList(test.op))
        return ReadNumberList(operand, &test.numbers);
    return IsTextOnly(test.op) || ReadKeptNumber(operand, &test.number);
}

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
            test.onInstrument = IsColumn(col) && ColumnAt(col).text != nullptr;
            if (!ReadOperand(condition.value, test))
            {
                // Neither everything nor nothing: the condition is left out,
                // and whoever shows the filter says so.
                m_unreadable.emplace_back(col, condition);
                continue;
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

double FilterSet::NumberOf(const Test& test, const Price& price) const
{
    if (!IsComputedColumn(test.column))
        return QuoteNumber(test.column, price);
    // A blank computed cell is no number, and so passes no comparison.
    const size_t index = static_cast<size_t>(test.column - column::Count);
    const std::optional<double> value = m_computed ? m_computed->Value(index, price) : std::nullopt;
    return value ? *value : std::numeric_limits<double>::quiet_NaN();
}

bool FilterSet::Holds(const Test& test, const Price& price) const
{
    if (test.numeric)
        return HoldsForNumber(test.op, NumberOf(test, price), test.number, test.numbers);
    std::string scratch;
    return HoldsForText(test.op, TextOf(price, test.column, scratch), test.text, test.items, test.pattern);
}

bool RowPasses(const Price& price, const FilterSet& set)
{
    for (const FilterSet::Test& test : set.m_tests)
        if (!set.Holds(test, price))
            return false;
    return true;
}
