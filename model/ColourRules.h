#pragma once
// Colour rules of a tab: conditions on a column's value that give a cell, or
// its whole row, a text colour, a background and bold type.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/string.h>

#include "model/ColumnSpec.h"
#include "model/FilterSet.h"

class ComputedColumns;

/// Rule conditions: the filter's operator codes, and one more.
namespace rule_op {
constexpr int Between = filter_op::Last + 1;  // both bounds included
}

/// A colour as 0xRRGGBB, or none.
struct RuleColour
{
    bool set = false;
    uint32_t rgb = 0;

    static RuleColour Of(uint32_t rgb) { return RuleColour{true, rgb & 0xFFFFFFu}; }
    bool operator==(const RuleColour& other) const { return set == other.set && (!set || rgb == other.rgb); }
    bool operator!=(const RuleColour& other) const { return !(*this == other); }
};

/// What a matching rule does to the cells it colours.
struct RuleStyle
{
    RuleColour text;
    RuleColour background;
    bool bold = false;
    /// A bar in each number cell the rule styles, sized within its column's
    /// shown values.
    bool bar = false;

    bool IsEmpty() const { return !text.set && !background.set && !bold && !bar; }
    bool operator==(const RuleStyle& other) const
    {
        return text == other.text && background == other.background && bold == other.bold && bar == other.bar;
    }
};

/// One rule as the user made it and the layout stores it. Operands are kept
/// as the stored text (numbers without grouping, a point before decimals),
/// so a rule reads back exactly as it was written.
struct ColourRuleSpec
{
    int column = column::Last;  // a column id, computed columns included
    int op = filter_op::Above;
    int againstColumn = -1;     // compared with this column's value instead of `value`; -1 for none
    std::string value;          // a number, a text or a comma list
    std::string upper;          // the upper bound of "between"
    RuleStyle style;
    bool wholeRow = false;
    /// A rule read from a file that this version cannot make sense of: its
    /// attributes as read, in order, to be written back unchanged.
    std::vector<std::pair<std::string, std::string>> verbatim;

    bool operator==(const ColourRuleSpec& other) const;
    bool operator!=(const ColourRuleSpec& other) const { return !(*this == other); }
};

/// The stored name of a condition ("above", "between", ...), null for none.
const char* RuleOperatorName(int op);
/// The condition a stored name stands for, 0 for an unknown name.
int RuleOperatorFromName(const std::string& name);
/// The untranslated text the user reads for a condition, null for none.
const char* RuleOperatorText(int op);
/// The conditions a rule on `col` offers: the filter's for the column's
/// kind, and "between" for numbers.
std::vector<int> RuleOperatorsFor(int col);
/// Whether the condition can compare with another column's value.
bool ComparesWithColumn(int op);
/// Whether the column has a number a rule can compare with: a number
/// column, or a computed one.
bool IsNumberColumn(int col);
/// Whether the column's number is a quantity that two columns can be
/// compared by: not a code such as the trade's direction, filtered by its
/// character code.
bool IsQuantityColumn(int col);

/// The rules once computed column `removed` is gone: its own rules and
/// those comparing with it go, those on the columns after it move one to
/// the left with them. Rules not read from the file stay as they are.
std::vector<ColourRuleSpec> RulesWithoutColumn(const std::vector<ColourRuleSpec>& rules, int removed);

/// Why the rule cannot be used (unreadable, unknown column or condition,
/// operand that is no number); empty when it can.
wxString ColourRuleProblem(const ColourRuleSpec& rule);

/// A number as stored: shortest text that reads back the same, a point
/// before the decimals, whatever the locale.
std::string StoredNumberText(double value);
/// A stored number, or comma list of numbers, as the user's locale writes it.
wxString ShownOperand(const std::string& stored, bool numbers);
/// What the user typed, read as the filter reads it (the locale's
/// separators, or a point); false when it is no number or no list of them.
bool StoredOperand(const wxString& typed, bool list, std::string* stored);

/// The rules of one tab with their operands read once, so that styling a
/// cell for a paint never parses a number.
class ColourRuleSet
{
public:
    ColourRuleSet() = default;
    explicit ColourRuleSet(std::vector<ColourRuleSpec> rules);
    ~ColourRuleSet();

    /// Every rule in order, unusable ones included.
    const std::vector<ColourRuleSpec>& Rules() const { return m_rules; }
    /// True when no rule can match: styling pays nothing then.
    bool IsEmpty() const { return m_cellTests.empty() && m_rowTests.empty(); }
    /// True when a usable rule draws bars: only then is a cell asked for one.
    bool DrawsBars() const { return m_drawsBars; }
    /// The rules that cannot be used, by their place in Rules(), with why.
    const std::vector<std::pair<size_t, wxString>>& Unusable() const { return m_unusable; }
    /// Where rules on computed columns find their values: the tab's
    /// columns, which outlive the set. Without them such a cell has no value.
    void SetComputed(const ComputedColumns* computed) { m_computed = computed; }

    /// The style of column `col`'s cell of `price`'s row: the first matching
    /// rule on that cell, else the first matching rule on the whole row;
    /// null when none matches.
    const RuleStyle* StyleFor(const Price& price, int col) const { return StyleFor(price, col, m_computed); }
    /// The same with the computed columns given: a copy of the set on
    /// another thread reads its own copy of them, never the tab's.
    const RuleStyle* StyleFor(const Price& price, int col, const ComputedColumns* computed) const;

private:
    /// One usable rule, its operands read.
    struct Test
    {
        int column = 0;
        int op = 0;
        int against = -1;
        bool numeric = false;
        double low = 0.0;
        double high = 0.0;
        std::vector<double> numbers;  // sorted
        // Text conditions are the filter's own, one condition each.
        std::shared_ptr<const FilterSet> text;
        size_t rule = 0;  // its place in m_rules
    };
    static bool Holds(const Test& test, const Price& price, const ComputedColumns* computed);
    /// NaN for a computed cell without a value: it matches no comparison.
    static double NumberOf(int col, const Price& price, const ComputedColumns* computed);

    std::vector<ColourRuleSpec> m_rules;
    std::vector<std::pair<size_t, wxString>> m_unusable;
    std::vector<std::vector<Test>> m_cellTests;  // by column id
    std::vector<Test> m_rowTests;
    const ComputedColumns* m_computed = nullptr;
    bool m_drawsBars = false;
};
