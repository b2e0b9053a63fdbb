#pragma once
// The text a copy of grid rows puts on the clipboard.

#include <cstddef>
#include <functional>
#include <vector>

#include <wx/string.h>

#include "contract/Records.h"
#include "model/QuoteFormat.h"

/// Tab-separated lines, each ending in "\r\n": the labels of the given
/// columns, then one line per row with their cell texts. With no rows the
/// text is the header line alone, so a paste still shows what was copied from.
/// A long copy is made in parts; `runParts` may run them on several threads
/// at once (so `cell` must only read) and returns once all are done. Without
/// it the parts run one after the other.
using PartRunner = std::function<void(std::size_t parts, const std::function<void(std::size_t part)>& part)>;
wxString BuildCopyText(const std::vector<int>& columns, const std::vector<int>& rows,
                       const std::function<wxString(int col)>& label,
                       const std::function<wxString(int row, int col)>& cell, const PartRunner& runParts = {});

/// The rows of a copy as they were at the key press: copies of their quotes,
/// their row numbers and the tab's format, so that another thread can make
/// the copy's text while the tab goes on changing. Making the text of
/// 100,000 rows took the window seconds. The quotes keep pointing at the
/// host's instruments, which nobody changes: a copy of each was millions of
/// small blocks taken on the window's thread and let go of on another, and
/// the window's next allocation then sorted them all, for seconds.
struct CopiedRows
{
    CopiedRows() = default;
    CopiedRows(const CopiedRows&) = delete;
    CopiedRows& operator=(const CopiedRows&) = delete;

    std::vector<int> columns;        // the copied columns' ids, in order
    std::vector<wxString> labels;    // one per copied column
    QuoteFormat format;
    std::vector<int> rowNumbers;     // each copied row's place in the tab
    std::vector<Price> quotes;       // one block for all, not one per quote

    /// Makes room for `rows` quotes at once.
    void Reserve(std::size_t rows);
    /// Appends a copy of the quote shown at `rowNumber`.
    void Add(int rowNumber, const Price& quote);
    /// Exactly the text BuildCopyText makes from the tab the rows were copied from.
    wxString Text(const PartRunner& runParts = {}) const;
};
