#pragma once
// Per-tab filter conditions, keyed by column id, and the predicate that
// decides whether a quote row shows.

#include <map>
#include <string>
#include <vector>

#include <wx/string.h>

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

/// How a filter reads a column: as a number, as text, or not at all.
enum class FilterKind
{
    None,
    Number,
    Text
};
FilterKind FilterKindOf(int col);

/// One condition of a tab filter on one column.
struct FilterCondition
{
    int condition = 0;
    std::string value;
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

private:
    friend bool RowPasses(const Price& price, const FilterSet& set);
    struct Test;
    static bool Holds(const Test& test, const Price& price);

    Columns m_columns;
    // The conditions with their operands read once: a quote event on a
    // filtered tab must not parse numbers.
    std::vector<Test> m_tests;
    size_t m_quoteTests = 0;  // the first tests, on the quote's own fields
};

/// Whether the quote passes the set's conditions (see FilterSet::Accepts).
bool RowPasses(const Price& price, const FilterSet& set);
