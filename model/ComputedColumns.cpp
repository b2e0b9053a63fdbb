// The library's interface turns to wide strings where _UNICODE is defined,
// as the toolkit's headers do; it is built without, so it comes first.
#include <muParser.h>

#include "model/ComputedColumns.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <wx/intl.h>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/NumberText.h"
#include "model/QuoteFormat.h"

namespace {

/// A column a formula may name, under one of its names.
struct ColumnName
{
    wxString name;
    int column;
};

bool IsNameChar(wxUniChar ch)
{
    return wxIsalnum(ch) || ch == '_';
}

std::vector<ColumnName> NamesOfColumns()
{
    std::vector<ColumnName> names;
    for (int col = 0; col < column::Count; ++col)
    {
        if (!NamesInFormulas(col))
            continue;
        names.push_back({wxString::FromUTF8(ColumnAt(col).label), col});
        if (ColumnLabel(col) != names.back().name)
            names.push_back({ColumnLabel(col), col});
    }
    // "Sell Vol" before "Sell".
    std::stable_sort(names.begin(), names.end(),
                     [](const ColumnName& a, const ColumnName& b) { return a.name.length() > b.name.length(); });
    return names;
}

/// The name standing at `at`, if one does: a name made of letters is a
/// whole word, not the start of a longer one.
const ColumnName* NameAt(const wxString& text, size_t at, const std::vector<ColumnName>& names)
{
    if (at > 0 && IsNameChar(text[at - 1]) && IsNameChar(text[at]))
        return nullptr;
    for (const ColumnName& name : names)
    {
        const size_t end = at + name.name.length();
        if (end > text.length() || text.Mid(at, name.name.length()).CmpNoCase(name.name) != 0)
            continue;
        if (end < text.length() && IsNameChar(name.name.Last()) && IsNameChar(text[end]))
            continue;
        return &name;
    }
    return nullptr;
}

std::string VariableOf(int col)
{
    return "_c" + std::to_string(col);
}

wxString ReasonOf(const mu::ParserError& error)
{
    const wxString token = wxString::FromUTF8(error.GetToken());
    switch (error.GetCode())
    {
    case mu::ecUNASSIGNABLE_TOKEN:
        return wxString::Format(_("\"%s\" is no column or function"), token);
    case mu::ecUNEXPECTED_EOF:
        return _("the formula ends too early");
    case mu::ecMISSING_PARENS:
        return _("a parenthesis is not closed");
    case mu::ecUNEXPECTED_PARENS:
        return _("this parenthesis does not belong here");
    case mu::ecUNEXPECTED_OPERATOR:
        return _("an operator where a value belongs");
    case mu::ecUNEXPECTED_VAL:
    case mu::ecUNEXPECTED_VAR:
    case mu::ecUNEXPECTED_FUN:
        return _("a value where an operator belongs");
    case mu::ecUNEXPECTED_ARG_SEP:
        return _("a comma outside a function's parentheses");
    case mu::ecTOO_MANY_PARAMS:
    case mu::ecTOO_FEW_PARAMS:
        return _("a function is given the wrong number of values");
    default:
        return _("this cannot be read");
    }
}

double Smallest(const double* values, int count)
{
    return *std::min_element(values, values + count);
}

double Largest(const double* values, int count)
{
    return *std::max_element(values, values + count);
}

double Absolute(double value)
{
    return std::fabs(value);
}

double Rounded(double value)
{
    return std::round(value);
}

}  // namespace

struct Formula::Engine
{
    mu::Parser parser;
    std::vector<double> values;
};

Formula::Formula() : m_engine(std::make_unique<Engine>()) {}

Formula::~Formula() = default;

Formula::Formula(const Formula& other) : Formula()
{
    // The library's variables point into the engine, which moves whole.
    std::unique_ptr<Formula> again = Read(other.m_stored, nullptr);
    m_engine = std::move(again->m_engine);
    m_columns = std::move(again->m_columns);
    m_stored = other.m_stored;
}

std::unique_ptr<Formula> Formula::Read(const std::string& text, FormulaRefusal* why)
{
    FormulaRefusal ignored;
    FormulaRefusal& refusal = why ? *why : ignored;
    const wxString typed = wxString::FromUTF8(text);
    // Translations may change at run time; English names always hold.
    const std::vector<ColumnName> names = NamesOfColumns();

    std::unique_ptr<Formula> formula(new Formula());
    std::string expression;    // what the library reads: a variable for each column
    std::vector<int> typedAt;  // the typed character of every expression character
    wxString stored;
    for (size_t at = 0; at < typed.length();)
    {
        if (const ColumnName* name = NameAt(typed, at, names))
        {
            const auto known = std::find(formula->m_columns.begin(), formula->m_columns.end(), name->column);
            if (known == formula->m_columns.end())
                formula->m_columns.push_back(name->column);
            const std::string variable = VariableOf(name->column);
            expression += variable;
            typedAt.insert(typedAt.end(), variable.size(), static_cast<int>(at));
            stored += wxString::FromUTF8(ColumnAt(name->column).label);
            at += name->name.length();
            continue;
        }
        const wxUniChar ch = typed[at];
        // The library's own variables stand for columns; typed, they are no name.
        if (!ch.IsAscii() || ch == '_' || ch == '\0')
        {
            refusal = {static_cast<int>(at), wxString::Format(_("\"%s\" is no column or function"),
                                                               wxString(ch))};
            return nullptr;
        }
        expression += static_cast<char>(ch.GetValue());
        typedAt.push_back(static_cast<int>(at));
        stored += ch;
        ++at;
    }
    if (wxString(stored).Trim().Trim(false).empty())
    {
        refusal = {-1, _("Type a formula")};
        return nullptr;
    }

    Engine& engine = *formula->m_engine;
    engine.values.assign(formula->m_columns.size(), 1.0);
    try
    {
        mu::Parser& parser = engine.parser;
        parser.ClearFun();
        parser.ClearConst();
        parser.DefineFun("abs", Absolute);
        parser.DefineFun("round", Rounded);
        parser.DefineFun("min", Smallest);
        parser.DefineFun("max", Largest);
        for (size_t i = 0; i < formula->m_columns.size(); ++i)
            parser.DefineVar(VariableOf(formula->m_columns[i]), &engine.values[i]);
        parser.SetExpr(expression);
        parser.Eval();  // reads the whole expression, which setting it does not
    }
    catch (const mu::ParserError& error)
    {
        const int position = error.GetPos();
        refusal.reason = ReasonOf(error);
        refusal.position = position >= 0 && static_cast<size_t>(position) < typedAt.size()
                               ? typedAt[static_cast<size_t>(position)]
                               : static_cast<int>(typed.length());
        return nullptr;
    }
    formula->m_stored = stored.utf8_string();
    return formula;
}

std::optional<double> Formula::Value(const Price& price) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
    {
        const int col = m_columns[i];
        // A field the quote lacks is 0, which would read as a price.
        if (ShowsBlank(col, price))
            return std::nullopt;
        m_engine->values[i] = QuoteNumber(col, price);
    }
    try
    {
        const double value = m_engine->parser.Eval();
        if (!std::isfinite(value))
            return std::nullopt;
        return value;
    }
    catch (const mu::ParserError&)
    {
        return std::nullopt;
    }
}

ComputedColumns::ComputedColumns() = default;

ComputedColumns::ComputedColumns(const ComputedColumns& other)
{
    *this = other;
}

ComputedColumns& ComputedColumns::operator=(const ComputedColumns& other)
{
    if (this == &other)
        return *this;
    m_columns.clear();
    for (const Column& column : other.m_columns)
        m_columns.push_back({column.def, column.formula ? std::make_unique<Formula>(*column.formula) : nullptr});
    return *this;
}

ComputedColumns::~ComputedColumns() = default;

std::vector<ComputedColumnDef> ComputedColumns::Defs() const
{
    std::vector<ComputedColumnDef> defs;
    for (const Column& column : m_columns)
        defs.push_back(column.def);
    return defs;
}

bool ComputedColumns::Set(size_t index, ComputedColumnDef def, FormulaRefusal* why)
{
    std::unique_ptr<Formula> formula = Formula::Read(def.formula, why);
    if (!formula)
        return false;
    def.formula = formula->StoredText();
    def.decimals = std::clamp(def.decimals, 0, kMostComputedDecimals);
    if (index < m_columns.size())
        m_columns[index] = {std::move(def), std::move(formula)};
    else
        m_columns.push_back({std::move(def), std::move(formula)});
    return true;
}

void ComputedColumns::Keep(ComputedColumnDef def)
{
    m_columns.push_back({std::move(def), nullptr});
}

void ComputedColumns::Remove(size_t index)
{
    if (index < m_columns.size())
        m_columns.erase(m_columns.begin() + static_cast<long>(index));
}

std::optional<double> ComputedColumns::Value(size_t index, const Price& price) const
{
    if (index >= m_columns.size() || !m_columns[index].formula)
        return std::nullopt;
    return m_columns[index].formula->Value(price);
}

wxString ComputedColumns::Text(size_t index, const Price& price) const
{
    const std::optional<double> value = Value(index, price);
    if (!value)
        return wxString();
    const int decimals = m_columns[index].def.decimals;
    // Rounded to zero it is zero, never "-0.00".
    const double shown = std::fabs(*value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : *value;
    return GroupedNumberText(shown, decimals, false);
}
