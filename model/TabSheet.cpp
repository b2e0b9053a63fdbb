#include "model/TabSheet.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "model/CellBars.h"
#include "model/ColumnSpec.h"
#include "model/Spreadsheet.h"

namespace sheet {

namespace {

constexpr std::size_t kMaxSheetNameLength = 31;
// About what one character of the sheet's default font takes on screen.
constexpr double kPixelsPerCharacter = 7.0;

bool RefusedInSheetName(wxUniChar c)
{
    return c == ':' || c == '\\' || c == '/' || c == '?' || c == '*' || c == '[' || c == ']';
}

bool RefusedInFileName(wxUniChar c)
{
    return c < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
           c == '>' || c == '|';
}

constexpr int kMostPriceDecimals = 15;
constexpr std::size_t kRowsPerProgress = 256;

const std::string& PriceFormat(int decimals, double value)
{
    static const std::vector<std::string> formats = []
    {
        std::vector<std::string> made;
        for (int places = 0; places <= kMostPriceDecimals; ++places)
            made.push_back(places == 0 ? "#,##0"
                                       : "#,##0." + std::string(static_cast<std::size_t>(places), '0'));
        return made;
    }();
    // Without decimals of its own the grid shows up to five, dropping
    // trailing zeroes, and no point after a whole number: a format's "#"
    // digits would leave that point standing.
    static const std::string upToFive = "#,##0.#####";
    if (decimals >= 0 && decimals <= kMostPriceDecimals)
        return formats[static_cast<std::size_t>(decimals)];
    return value == std::floor(value) ? formats[0] : upToFive;
}

double CellNumberOf(const TabSnapshot& snapshot, int columnId, const Price& price)
{
    if (!IsComputedColumn(columnId))
        return QuoteNumber(columnId, price);
    const std::optional<double> value =
        snapshot.format.computed.Value(static_cast<std::size_t>(columnId - column::Count), price);
    return value ? *value : std::numeric_limits<double>::quiet_NaN();
}

/// The look the tab's colour rules give a cell, as the grid paints it.
CellLook LookOf(const TabSnapshot& snapshot, std::size_t quote, int columnId)
{
    CellLook look;
    if (snapshot.rules.IsEmpty())
        return look;
    if (const RuleStyle* style = snapshot.rules.StyleFor(snapshot.quotes[quote], columnId, &snapshot.format.computed))
    {
        look.hasFont = style->text.set;
        look.font = style->text.rgb;
        look.hasFill = style->background.set;
        look.fill = style->background.rgb;
        look.bold = style->bold;
    }
    return look;
}

void WriteCell(Sheet& sheet, int row, int col, int columnId, ColumnKind kind, const wxString& text,
               const TabSnapshot& snapshot, std::size_t quote)
{
    const CellLook look = LookOf(snapshot, quote, columnId);
    sheet.SetLook(look);
    if (text.empty() && look.IsPlain())
        return;
    if (kind == ColumnKind::Number)
        if (const auto value = ParseShownNumber(text, snapshot.separators))
        {
            sheet.WriteNumber(row, col, *value,
                              NumberFormatOf(columnId, snapshot.quotes[quote], snapshot.format, *value));
            return;
        }
    const wxScopedCharBuffer utf8 = text.utf8_str();
    sheet.WriteText(row, col, std::string_view(utf8.data(), utf8.length()));
}

void WriteTrendCell(Sheet& sheet, int row, int col, const TabSnapshot& snapshot, std::size_t quote)
{
    // A row rule colours this cell too.
    sheet.SetLook(LookOf(snapshot, quote, column::Trend));
    // A row with too few points has no change yet: an empty cell, not a 0.
    if (quote >= snapshot.trendChanges.size() || !snapshot.trendChanges[quote])
        return;
    const double value = *snapshot.trendChanges[quote];
    sheet.WriteNumber(row, col, value, NumberFormatOf(column::Trend, snapshot.quotes[quote], snapshot.format, value));
}

/// A data bar over the cells of the column whose rules draw one, sized
/// within the column's values as the tab sizes its bars.
void AddBars(Sheet& sheet, const TabSnapshot& snapshot, int col)
{
    const int columnId = snapshot.columnIds[static_cast<std::size_t>(col)];
    if (!TakesBars(columnId))
        return;
    std::vector<std::pair<int, int>> runs;
    BarRange range;
    for (std::size_t quote = 0; quote < snapshot.RowCount(); ++quote)
    {
        const Price& price = snapshot.quotes[quote];
        range.Include(CellNumberOf(snapshot, columnId, price));
        const RuleStyle* style = snapshot.rules.StyleFor(price, columnId, &snapshot.format.computed);
        if (!style || !style->bar)
            continue;
        const int row = static_cast<int>(quote) + 1;
        if (!runs.empty() && runs.back().second == row - 1)
            runs.back().second = row;
        else
            runs.emplace_back(row, row);
    }
    if (!runs.empty())
        sheet.AddDataBar(col, runs, range.low, range.high);
}

}  // namespace

void TabSnapshot::AddRow(const Price& quote)
{
    // Reserved by the caller for every row, so earlier rows' pointers hold.
    quotes.push_back(quote);
    if (quote.instrument)
    {
        instruments.push_back(*quote.instrument);
        quotes.back().instrument = &instruments.back();
    }
    else
        instruments.emplace_back();
}

wxString TabSnapshot::Text(std::size_t row, std::size_t index) const
{
    return format.CellText(static_cast<int>(row), columnIds[index], quotes[row]);
}

const std::string& NumberFormatOf(int columnId, const Price& quote, const QuoteFormat& format, double value)
{
    static const std::string none;
    static const std::string whole = "#,##0";
    static const std::string fractionalVolume = "#,##0.#####";
    static const std::string thousands = "#,##0.000";
    static const std::string twoDecimals = "#,##0.00";
    static const std::string signedTwoDecimals = "+#,##0.00;-#,##0.00;0.00";
    if (IsComputedColumn(columnId))
    {
        const size_t index = static_cast<size_t>(columnId - column::Count);
        return index < format.computed.Size() ? PriceFormat(format.computed.Def(index).decimals, value) : none;
    }
    switch (IsColumn(columnId) ? ColumnAt(columnId).decimals : Decimals::None)
    {
    case Decimals::Instrument:
        return PriceFormat(quote.instrument ? quote.instrument->decimals : -1, value);
    case Decimals::Volume:
        return format.volumeInThousands ? thousands : value == std::floor(value) ? whole : fractionalVolume;
    case Decimals::SignedTwo:
        return signedTwoDecimals;
    case Decimals::Two:
        return twoDecimals;
    case Decimals::Whole:
        return whole;
    default:
        return none; // the row number
    }
}

ColumnKind KindOfColumn(int columnId)
{
    return IsComputedColumn(columnId) ||
                   (IsColumn(columnId) && (ColumnAt(columnId).kind == ValueKind::Number ||
                                           ColumnAt(columnId).kind == ValueKind::Drawing))
               ? ColumnKind::Number
               : ColumnKind::Text;
}

void WriteTabSheet(const TabSnapshot& snapshot, Workbook& book, const WriteProgress& progress)
{
    Sheet& sheet = book.AddSheet(SheetName(snapshot.tabText));
    const std::size_t columns = snapshot.ColumnCount();
    std::vector<ColumnKind> kinds(columns);
    for (std::size_t col = 0; col < columns; ++col)
    {
        kinds[col] = KindOfColumn(snapshot.columnIds[col]);
        if (col < snapshot.widths.size())
            sheet.SetColumnWidth(static_cast<int>(col), std::max(1.0, snapshot.widths[col] / kPixelsPerCharacter));
        if (kinds[col] == ColumnKind::Text)
            sheet.SetColumnAsText(static_cast<int>(col));
    }
    for (std::size_t col = 0; col < columns && col < snapshot.header.size(); ++col)
    {
        const wxScopedCharBuffer utf8 = snapshot.header[col].utf8_str();
        sheet.WriteText(0, static_cast<int>(col), std::string_view(utf8.data(), utf8.length()));
    }
    const std::size_t rows = snapshot.RowCount();
    for (std::size_t row = 0; row < rows; ++row)
    {
        if (progress && row % kRowsPerProgress == 0 && !progress(row))
            throw Cancelled();
        for (std::size_t col = 0; col < columns; ++col)
            if (snapshot.columnIds[col] == column::Trend)
                WriteTrendCell(sheet, static_cast<int>(row + 1), static_cast<int>(col), snapshot, row);
            else
                WriteCell(sheet, static_cast<int>(row + 1), static_cast<int>(col), snapshot.columnIds[col],
                      kinds[col], snapshot.Text(row, col), snapshot, row);
    }
    sheet.SetLook(CellLook());
    // The numbers stay numbers; the bars are the sheet's own, over them.
    if (snapshot.rules.DrawsBars())
        for (std::size_t col = 0; col < columns; ++col)
            AddBars(sheet, snapshot, static_cast<int>(col));
    if (progress)
        progress(rows);
}

std::string SheetName(const std::string& tabText)
{
    wxString name = wxString::FromUTF8(tabText);
    for (auto it = name.begin(); it != name.end(); ++it)
        if (RefusedInSheetName(*it))
            *it = '_';
    name.Trim(true).Trim(false);
    // Counted in UTF-16 units, as the format counts them: a character beyond
    // the basic plane takes two.
    wxString kept;
    std::size_t units = 0;
    for (const wxUniChar c : name)
    {
        const std::size_t width = c.GetValue() > 0xFFFF ? 2 : 1;
        if (units + width > kMaxSheetNameLength)
            break;
        kept += c;
        units += width;
    }
    while (!kept.empty() && kept.Last() == '\'')
        kept.RemoveLast();
    while (!kept.empty() && kept[0] == '\'')
        kept.Remove(0, 1);
    kept.Trim(true);
    if (kept.empty() || kept.CmpNoCase("History") == 0)
        kept = "Sheet1";
    return std::string(kept.utf8_str());
}

std::string FileNameStem(const std::string& tabText)
{
    wxString stem = wxString::FromUTF8(tabText);
    for (auto it = stem.begin(); it != stem.end(); ++it)
        if (RefusedInFileName(*it))
            *it = '_';
    stem.Trim(true).Trim(false);
    // A name of dots alone would mean this folder or its parent.
    if (stem.find_first_not_of('.') == wxString::npos)
        stem = "Export";
    return std::string(stem.utf8_str());
}

}  // namespace sheet
