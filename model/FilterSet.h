#pragma once
// Per-tab filter conditions, keyed by column id, and the predicate that
// decides whether a quote row shows.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <wx/string.h>

#include "model/ColumnSpec.h"

struct Price;
class ComputedColumns;

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
/// Why the filter cannot read `typed` for this column and operator (a
/// number, or a list of numbers, that is none, or a list whose commas could
/// belong to its numbers); empty when it can. In the current locale.
wxString FilterOperandRefusal(int col, int op, const std::string& typed);

/// Whether the operand of this column and operator is a number or a list of
/// them, which a condition keeps locale-free.
bool OperandIsNumbers(int col, int op);
/// The operand as a condition keeps it, from what the user typed: numbers
/// with a point before the decimals and no grouping, list items between
/// commas; anything else as typed. Typed lists take ";" between items in any
/// locale, or commas where no comma could belong to a number ("6,21; 18,42"
/// in German, "6.21, 18.42" in English, but not "6,21, 18,42" or "1,250").
/// Empty when it cannot be read (see FilterOperandRefusal).
std::optional<std::string> KeptOperand(int col, int op, const std::string& typed, const NumberWriting& writing);
/// A kept operand as the user reads and types it in `writing`.
std::string TypedOperand(int col, int op, const std::string& kept, const NumberWriting& writing);
/// A kept operand from an operand written as typed, the way layouts were
/// written before operands were kept locale-free: read in `writing`, a list
/// split at every comma. Unreadable text stays as it is.
std::string KeptOperandOfTypedText(int col, int op, const std::string& typed, const NumberWriting& writing);

/// Whether a number condition holds for `value`, with the filter's
/// tolerance; `sorted` is the list of "in" and "not in".
bool NumberConditionHolds(int op, double value, double operand, const std::vector<double>& sorted);

/// One condition of a tab filter on one column.
struct FilterCondition
{
    int condition = 0;
    std::string value; // see KeptOperand: a number means the same in every locale
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

    /// Where conditions on computed columns find their values: the tab's
    /// own columns, which outlive the set; null leaves such cells blank.
    void SetComputed(const ComputedColumns* computed) { m_computed = computed; }

private:
    friend bool RowPasses(const Price& price, const FilterSet& set);
    struct Test;
    static bool ReadOperand(const std::string& operand, Test& test);
    bool Holds(const Test& test, const Price& price) const;
    double NumberOf(const Test& test, const Price& price) const;

    Columns m_columns;
    std::vector<std::pair<int, FilterCondition>> m_unreadable;
    // The conditions with their operands read once: a quote event on a
    // filtered tab must not parse numbers.
    std::vector<Test> m_tests;
    size_t m_quoteTests = 0;  // the first tests, on the quote's own fields
    const ComputedColumns* m_computed = nullptr;
};

/// Whether the quote passes the set's conditions (see FilterSet::Accepts).
bool RowPasses(const Price& price, const FilterSet& set);
