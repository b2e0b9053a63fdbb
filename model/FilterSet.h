#pragma once
// Per-tab filter conditions, keyed by column id, and the predicate that
// decides whether a quote row shows.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <wx/string.h>

#include "model/ColumnSpec.h"

struct Price;

/// Operator codes of a filter condition, as the layout stores them.
namespace filter_op {
enum Code
{
    AtLeast = 1,
    Above,
    Matches,
    NotIn,
    In,
    Equals,
    Differs,
    Contains,
    StartsWith,
    EndsWith,
    Below,
    AtMost,
    Last = AtMost
};
}  // namespace filter_op

/// The untranslated text a user reads for an operator code, null for any
/// other number.
const char* FilterOperatorText(int code);

FilterKind FilterKindOf(int col);
/// The operator codes that say something about a column of this kind, in
/// the order the dialog lists them.
std::vector<int> FilterOperatorsFor(FilterKind kind);

/// How numbers are written: the decimal separator, and the thousands
/// separator (empty when none is used).
struct NumberWriting
{
    std::string decimal = ".";
    std::string thousands;
    /// The current locale's.
    static NumberWriting OfLocale();
};
/// A number as the user types it: `writing`'s decimal separator and its
/// thousands separator between groups of three, or a point before the
/// decimals; spaces around it do not count.
bool ReadFilterNumber(const std::string& text, const NumberWriting& writing, double* value);
/// The same in the current locale.
bool ReadFilterNumber(const std::string& text, double* value);
/// Why the filter cannot read `operand` for this column and operator (a
/// number, or a list of numbers, that is none); empty when it can.
wxString FilterOperandRefusal(int col, int op, const std::string& operand);

/// Whether a number condition holds for `value`, with the filter's
/// tolerance; `sorted` is the list of "in" and "not in".
bool NumberConditionHolds(int op, double value, double operand, const std::vector<double>& sorted);

/// One condition of a tab filter on one column.
struct FilterCondition
{
    int condition = 0;
    std::string value;
    int row = 0; // where the dialog showed it among all the rows, so it comes back there
};

/// The filter of one tab: every column's conditions must hold for a row to show.
class FilterSet
{
public:
    using Columns = std::map<int, std::vector<FilterCondition>>;

    FilterSet();
    explicit FilterSet(Columns columns);
    virtual ~FilterSet();

    /// Whether the quote passes every condition; virtual so that a tab can
    /// be given a narrower rule without touching the table.
    virtual bool Accepts(const Price& price) const;
    /// Whether a quote that passed stays in: its instrument's name, code,
    /// currency, sector and type do not change, so only the conditions on
    /// the quote's own fields are checked again.
    virtual bool AcceptsShown(const Price& price) const;

    /// The conditions as the user entered them, per column id.
    const Columns& GetColumns() const { return m_columns; }
    /// True when no column holds a condition: such a set filters nothing.
    bool IsEmpty() const;
    /// The conditions left out because their operand is no number (from a
    /// layout written by hand or by an older version), with their column.
    const std::vector<std::pair<int, FilterCondition>>& Unreadable() const { return m_unreadable; }

private:
    friend bool RowPasses(const Price& price, const FilterSet& set);
    struct Test;
    static bool ReadOperand(const std::string& operand, Test& test);
    static bool Holds(const Test& test, const Price& price);

    Columns m_columns;
    std::vector<std::pair<int, FilterCondition>> m_unreadable;
    // The conditions with their operands read once: a quote event on a
    // filtered tab must not parse numbers.
    std::vector<Test> m_tests;
    size_t m_quoteTests = 0;  // the first tests, on the quote's own fields
};

/// Whether the quote passes the set's conditions (see FilterSet::Accepts).
bool RowPasses(const Price& price, const FilterSet& set);
