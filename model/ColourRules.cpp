#include "model/ColourRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>

#include <wx/intl.h>
#include <wx/numformatter.h>

#include "model/ComputedColumns.h"
#include "model/QuoteFormat.h"

namespace {

constexpr double kTolerance = quote_format::kZeroTolerance;

// Stored names, one per condition code from 1 on.
const char* const kOperatorNames[] = {
    "at-least", "above",    "matches",     "not-in",    "in",    "equals",   "differs",
    "contains", "starts-with", "ends-with", "below",    "at-most", "between",
};
static_assert(std::size(kOperatorNames) == rule_op::Between, "one name per condition");

bool IsList(int op)
{
    return op == filter_op::In || op == filter_op::NotIn;
}

/// Splits at commas, each item trimmed of spaces; empty items are none.
std::vector<std::string> Items(const std::string& text)
{
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= text.size())
    {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        std::string item = text.substr(start, comma - start);
        const size_t first = item.find_first_not_of(" \t");
        const size_t last = item.find_last_not_of(" \t");
        if (first != std::string::npos)
            items.push_back(item.substr(first, last - first + 1));
        start = comma + 1;
    }
    return items;
}

/// A stored number: a point before the decimals, no grouping.
bool ReadStored(const std::string& text, double* value)
{
    return ReadFilterNumber(text, NumberWriting(), value);
}

bool ReadStoredList(const std::string& text, std::vector<double>* numbers)
{
    for (const std::string& item : Items(text))
    {
        double number = 0.0;
        if (!ReadStored(item, &number))
            return false;
        numbers->push_back(number);
    }
    std::sort(numbers->begin(), numbers->end());
    return true;
}

}  // namespace

bool ColourRuleSpec::operator==(const ColourRuleSpec& other) const
{
    return column == other.column && op == other.op && againstColumn == other.againstColumn &&
           value == other.value && upper == other.upper && style == other.style && wholeRow == other.wholeRow &&
           verbatim == other.verbatim;
}

const char* RuleOperatorName(int op)
{
    return op >= 1 && op <= rule_op::Between ? kOperatorNames[op - 1] : nullptr;
}

int RuleOperatorFromName(const std::string& name)
{
    for (int op = 1; op <= rule_op::Between; ++op)
        if (name == kOperatorNames[op - 1])
            return op;
    return 0;
}

const char* RuleOperatorText(int op)
{
    return op == rule_op::Between ? wxTRANSLATE("between") : FilterOperatorText(op);
}

bool IsNumberColumn(int col)
{
    return IsColumn(col) ? ColumnAt(col).filter == FilterKind::Number
                         : IsComputedColumn(col) && col < column::Count + kMostComputedColumns;
}

bool IsQuantityColumn(int col)
{
    return IsNumberColumn(col) && (!IsColumn(col) || ColumnAt(col).kind == ValueKind::Number);
}

std::vector<int> RuleOperatorsFor(int col)
{
    std::vector<int> ops = FilterOperatorsFor(FilterKindOf(col));
    if (IsNumberColumn(col))
        ops.push_back(rule_op::Between);
    return ops;
}

bool ComparesWithColumn(int op)
{
    using namespace filter_op;
    return op == AtLeast || op == Above || op == Equals || op == Differs || op == Below || op == AtMost;
}

std::vector<ColourRuleSpec> RulesWithoutColumn(const std::vector<ColourRuleSpec>& rules, int removed)
{
    std::vector<ColourRuleSpec> kept;
    for (ColourRuleSpec rule : rules)
    {
        if (rule.verbatim.empty())
        {
            if (rule.column == removed || rule.againstColumn == removed)
                continue;
            if (rule.column > removed)
                --rule.column;
            if (rule.againstColumn > removed)
                --rule.againstColumn;
        }
        kept.push_back(std::move(rule));
    }
    return kept;
}

wxString ColourRuleProblem(const ColourRuleSpec& rule)
{
    if (!rule.verbatim.empty())
        return _("the stored rule cannot be read");
    const std::vector<int> ops = RuleOperatorsFor(rule.column);
    if (ops.empty() || !(IsColumn(rule.column) || IsNumberColumn(rule.column)))
        return wxString::Format(_("no column with id %d takes colour rules"), rule.column);
    if (std::find(ops.begin(), ops.end(), rule.op) == ops.end())
        return wxString::Format(_("column %s has no condition \"%s\""), ColumnLabel(rule.column),
                                RuleOperatorName(rule.op) ? wxString(RuleOperatorName(rule.op)) : wxString("?"));
    if (rule.style.bar && !rule.wholeRow && !TakesBars(rule.column))
        return _("bars are drawn in number columns only");
    if (!IsNumberColumn(rule.column))
        return rule.againstColumn < 0 ? wxString() : _("only numbers compare with another column");
    if (rule.againstColumn >= 0)
        return IsNumberColumn(rule.againstColumn) && ComparesWithColumn(rule.op)
                   ? wxString()
                   : wxString::Format(_("no number column with id %d to compare with"), rule.againstColumn);
    double number = 0.0;
    std::vector<double> numbers;
    if (IsList(rule.op) ? !ReadStoredList(rule.value, &numbers) : !ReadStored(rule.value, &number))
        return wxString::Format(_("\"%s\" is not a number"), wxString::FromUTF8(rule.value));
    if (rule.op == rule_op::Between && !ReadStored(rule.upper, &number))
        return wxString::Format(_("\"%s\" is not a number"), wxString::FromUTF8(rule.upper));
    return wxString();
}

std::string StoredNumberText(double value)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

wxString ShownOperand(const std::string& stored, bool numbers)
{
    if (!numbers)
        return wxString::FromUTF8(stored);
    const wxString decimal(wxNumberFormatter::GetDecimalSeparator());
    wxString shown;
    for (const std::string& item : Items(stored))
    {
        if (!shown.empty())
            shown += ", ";
        wxString text = wxString::FromUTF8(item);
        text.Replace(".", decimal);
        shown += text;
    }
    return shown;
}

bool StoredOperand(const wxString& typed, bool list, std::string* stored)
{
    const std::string text = typed.utf8_string();
    const NumberWriting writing = NumberWriting::OfLocale();
    const std::vector<std::string> items = list ? Items(text) : std::vector<std::string>{text};
    if (items.empty())
        return false;
    std::string read;  // the caller's operand stays as it was when this fails
    for (const std::string& item : items)
    {
        double number = 0.0;
        if (!ReadFilterNumber(item, writing, &number))
            return false;
        if (!read.empty())
            read.append(",");
        read.append(StoredNumberText(number));
    }
    *stored = std::move(read);
    return true;
}

ColourRuleSet::ColourRuleSet(std::vector<ColourRuleSpec> rules) : m_rules(std::move(rules))
{
    for (size_t at = 0; at < m_rules.size(); ++at)
    {
        const ColourRuleSpec& rule = m_rules[at];
        const wxString problem = ColourRuleProblem(rule);
        if (!problem.empty())
        {
            m_unusable.emplace_back(at, problem);
            continue;
        }
        if (rule.style.IsEmpty())
            continue;
        m_drawsBars = m_drawsBars || rule.style.bar;
        Test test;
        test.column = rule.column;
        test.op = rule.op;
        test.against = rule.againstColumn;
        test.numeric = IsNumberColumn(rule.column);
        test.rule = at;
        if (!test.numeric)
            test.text = std::make_shared<FilterSet>(
                FilterSet::Columns{{rule.column, {FilterCondition{rule.op, rule.value, 0}}}});
        else if (IsList(rule.op))
            ReadStoredList(rule.value, &test.numbers);
        else if (test.against < 0)
        {
            ReadStored(rule.value, &test.low);
            if (rule.op == rule_op::Between)
            {
                ReadStored(rule.upper, &test.high);
                if (test.high < test.low)
                    std::swap(test.low, test.high);
            }
        }
        if (rule.wholeRow)
        {
            m_rowTests.push_back(std::move(test));
            continue;
        }
        const size_t col = static_cast<size_t>(rule.column);
        if (m_cellTests.size() <= col)
            m_cellTests.resize(col + 1);
        m_cellTests[col].push_back(std::move(test));
    }
}

ColourRuleSet::~ColourRuleSet() = default;

double ColourRuleSet::NumberOf(int col, const Price& price, const ComputedColumns* computed)
{
    if (!IsComputedColumn(col))
        return QuoteNumber(col, price);
    const size_t index = static_cast<size_t>(col - column::Count);
    const std::optional<double> value =
        computed && index < computed->Size() ? computed->Value(index, price) : std::nullopt;
    return value ? *value : std::numeric_limits<double>::quiet_NaN();
}

bool ColourRuleSet::Holds(const Test& test, const Price& price, const ComputedColumns* computed)
{
    if (!test.numeric)
        return RowPasses(price, *test.text);
    const double value = NumberOf(test.column, price, computed);
    // A computed cell without a value is blank: no rule colours it for that.
    if (std::isnan(value))
        return false;
    if (test.op == rule_op::Between)
        return value >= test.low - kTolerance && value <= test.high + kTolerance;
    const double operand = test.against >= 0 ? NumberOf(test.against, price, computed) : test.low;
    return NumberConditionHolds(test.op, value, operand, test.numbers);
}

const RuleStyle* ColourRuleSet::StyleFor(const Price& price, int col, const ComputedColumns* computed) const
{
    if (col >= 0 && static_cast<size_t>(col) < m_cellTests.size())
        for (const Test& test : m_cellTests[static_cast<size_t>(col)])
            if (Holds(test, price, computed))
                return &m_rules[test.rule].style;
    for (const Test& test : m_rowTests)
        if (Holds(test, price, computed))
            return &m_rules[test.rule].style;
    return nullptr;
}
