#pragma once
// Columns the trader defines: a name, a formula over the quote's number
// columns and the decimals it shows with.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/string.h>

struct Price;

/// What a computed column is, as the layout stores it: its formula names
/// the columns in English, whatever language the grid shows.
struct ComputedColumnDef
{
    std::string name;
    std::string formula;
    int decimals = 2;

    bool operator==(const ComputedColumnDef& other) const
    {
        return name == other.name && formula == other.formula && decimals == other.decimals;
    }
};

/// Decimals a computed column may show.
constexpr int kMostComputedDecimals = 10;
/// Computed columns a tab may hold; their grid columns follow the fixed ones.
constexpr int kMostComputedColumns = 32;

/// Why a formula cannot be read: where (a character offset into the text
/// as typed, -1 for nowhere in particular) and the translated reason.
struct FormulaRefusal
{
    int position = -1;
    wxString reason;
};

/// A formula read once and evaluated per quote. The library it stands on
/// keeps its working values in the object: one Formula serves one thread,
/// and a copy reads the text again, so a copy may go to another thread.
class Formula
{
public:
    /// Reads `text`, naming columns by their English or shown labels;
    /// nothing and `why` set when it cannot.
    static std::unique_ptr<Formula> Read(const std::string& text, FormulaRefusal* why);
    ~Formula();
    Formula(const Formula& other);
    Formula& operator=(const Formula&) = delete;

    /// The value for `price`; none when a field it names is absent from the
    /// quote (shown blank in its column), or the result is no finite number
    /// (a division by zero among them).
    std::optional<double> Value(const Price& price) const;
    /// The formula with the column names in English, as it is stored.
    const std::string& StoredText() const { return m_stored; }

private:
    struct Engine;
    Formula();
    std::unique_ptr<Engine> m_engine;
    std::vector<int> m_columns;  // the column read into each variable
    std::string m_stored;
};

/// The computed columns of one tab, in grid order after the fixed columns.
class ComputedColumns
{
public:
    ComputedColumns();
    ComputedColumns(const ComputedColumns& other);
    ComputedColumns& operator=(const ComputedColumns& other);
    ~ComputedColumns();

    size_t Size() const { return m_columns.size(); }
    bool Empty() const { return m_columns.empty(); }
    /// The definition of column `index` (0 for the first computed column).
    const ComputedColumnDef& Def(size_t index) const { return m_columns[index].def; }
    std::vector<ComputedColumnDef> Defs() const;
    /// Adds a column at the end, or replaces column `index`; false, with
    /// `why` set, when its formula cannot be read. Stores the formula with
    /// English names and the decimals within what a column may show.
    bool Set(size_t index, ComputedColumnDef def, FormulaRefusal* why);
    /// Adds a column whose stored formula cannot be read (edited by hand,
    /// or written by a later version): it shows nothing and keeps its
    /// definition exactly as read, to be stored back unchanged.
    void Keep(ComputedColumnDef def);
    /// False for a column kept with a formula that cannot be read.
    bool Readable(size_t index) const { return index < m_columns.size() && m_columns[index].formula; }
    void Remove(size_t index);

    /// None where a field is absent or the formula cannot be read.
    std::optional<double> Value(size_t index, const Price& price) const;
    /// The cell text: the value in the column's decimals, the locale's way;
    /// empty where there is no value.
    wxString Text(size_t index, const Price& price) const;

private:
    struct Column
    {
        ComputedColumnDef def;
        std::unique_ptr<Formula> formula;
    };
    std::vector<Column> m_columns;
};
