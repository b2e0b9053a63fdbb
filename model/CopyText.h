#pragma once
// The text a copy of grid rows puts on the clipboard.

#include <cstddef>
#include <functional>
#include <vector>

#include <wx/string.h>

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
