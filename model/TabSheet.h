#pragma once
// What a tab's export writes: a plain copy of the tab taken at one moment,
// and how it becomes a sheet.

#include <cstddef>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <wx/string.h>

#include "contract/Records.h"
#include "model/ColourRules.h"
#include "model/QuoteFormat.h"
#include "model/ShownNumber.h"

namespace sheet {

class Workbook;

/// How a column's cells go into the sheet.
enum class ColumnKind
{
    Text,     // kept as shown, "@" format
    Number    // a number where the text reads as one
};

/// The kind of a quote column by its id: names, codes, flags, dates and the
/// like are text, prices, volumes and values numbers, and so are drawn
/// columns, which export the figure they picture.
ColumnKind KindOfColumn(int columnId);

/// A tab's contents at one moment, owning everything it holds, so that
/// another thread can write it while the tab goes on changing. The rows are
/// copies of the quotes, not their texts: copying is cheap enough for the
/// GUI thread, formatting every cell of a large tab is not, so the writer
/// makes the texts the tab showed from the copies and the tab's format.
/// Not copyable: each quote points at its row's instrument copy.
struct TabSnapshot
{
    TabSnapshot() = default;
    TabSnapshot(TabSnapshot&&) = default;
    TabSnapshot& operator=(TabSnapshot&&) = default;
    TabSnapshot(const TabSnapshot&) = delete;
    TabSnapshot& operator=(const TabSnapshot&) = delete;

    std::string tabText;              // UTF-8, as the tab shows it
    std::vector<int> columnIds;       // the exported columns, in id order
    std::vector<wxString> header;     // one label per exported column
    std::vector<int> widths;          // the columns' widths on screen, pixels
    QuoteFormat format;               // how the tab turns quotes into texts
    std::vector<Instrument> instruments;   // one per row
    std::vector<Price> quotes;        // in the order shown; each points at its row's instrument
    NumberSeparators separators;
    ColourRuleSet rules;              // the tab's colour rules, for each cell's look
    /// The trend column's figure per row (its change over the window), when
    /// that column is exported: the tab draws it, the sheet gets the number.
    std::vector<std::optional<double>> trendChanges;

    /// Appends a row: copies of the quote and its instrument.
    void AddRow(const Price& quote);
    std::size_t ColumnCount() const { return columnIds.size(); }
    std::size_t RowCount() const { return quotes.size(); }
    /// The text the tab showed in a row for the `index`-th exported column.
    wxString Text(std::size_t row, std::size_t index) const;
};

/// The number format code that shows a number cell's `value` as the tab
/// shows it: prices in the instrument's decimals, volumes whole or in
/// thousands with three decimals, thousands grouped throughout.
const std::string& NumberFormatOf(int columnId, const Price& quote, const QuoteFormat& format, double value);

/// Thrown by WriteTabSheet when it is told to stop.
class Cancelled : public std::exception
{
public:
    const char* what() const noexcept override { return "cancelled"; }
};

/// Told the rows written so far every few hundred rows; false stops the writing.
using WriteProgress = std::function<bool(std::size_t rowsWritten)>;

/// Writes the snapshot as one sheet of `book`: the header row, then the
/// rows. Throws Cancelled when `progress` says to stop.
void WriteTabSheet(const TabSnapshot& snapshot, Workbook& book, const WriteProgress& progress = {});

/// The tab's text made a sheet name the format accepts: at most 31
/// characters, none of : \ / ? * [ ], no apostrophe at either end, not blank.
std::string SheetName(const std::string& tabText);

/// The tab's text made usable as a file name on any common file system,
/// every character kept but the ones those refuse.
std::string FileNameStem(const std::string& tabText);

}  // namespace sheet
