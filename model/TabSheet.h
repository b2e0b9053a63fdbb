#pragma once
// What a tab's export writes: a plain copy of the tab taken at one moment,
// and how it becomes a sheet.

#include <cstddef>
#include <string>
#include <vector>

#include <wx/string.h>

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
/// like are text, prices, volumes and values numbers.
ColumnKind KindOfColumn(int columnId);

/// A tab's contents at one moment, owning everything it holds, so that
/// another thread can write it while the tab goes on changing.
struct TabSnapshot
{
    std::string tabText;              // UTF-8, as the tab shows it
    std::vector<int> columnIds;       // the exported columns, in id order
    std::vector<wxString> header;     // one label per exported column
    std::vector<int> widths;          // the columns' widths on screen, pixels
    std::vector<wxString> cells;      // row after row, one text per exported column
    NumberSeparators separators;

    std::size_t ColumnCount() const { return columnIds.size(); }
    std::size_t RowCount() const { return columnIds.empty() ? 0 : cells.size() / columnIds.size(); }
};

/// Writes the snapshot as one sheet of `book`: the header row, then the rows.
void WriteTabSheet(const TabSnapshot& snapshot, Workbook& book);

/// The tab's text made a sheet name the format accepts: at most 31
/// characters, none of : \ / ? * [ ], no apostrophe at either end, not blank.
std::string SheetName(const std::string& tabText);

/// The tab's text made usable as a file name on any common file system,
/// every character kept but the ones those refuse.
std::string FileNameStem(const std::string& tabText);

}  // namespace sheet
