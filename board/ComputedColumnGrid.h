#pragma once
// Adding, changing and removing a tab's computed columns with its grid,
// its sort and its filter following.

#include <vector>

#include "model/ComputedColumns.h"

class Tickerdeck;
class wxGridEx;

namespace computed_columns {

/// Gives the tab the column `def` in place of computed column `index`, or
/// as a new last column when `index` is past them; false, changing nothing
/// and with `why` set, when its formula cannot be read.
bool Set(Tickerdeck& board, wxGridEx* grid, size_t index, const ComputedColumnDef& def, FormulaRefusal* why);
/// Takes computed column `index` off the tab, with its sort and its filter
/// conditions; the conditions on the columns after it follow them.
void Remove(Tickerdeck& board, wxGridEx* grid, size_t index);
/// A fresh tab takes in stored columns. A column whose formula it cannot
/// read is kept, blank and stored back unchanged, and logged; the names of
/// such columns are returned for the user's notice.
std::vector<std::string> Restore(wxGridEx* grid, const std::vector<ComputedColumnDef>& defs);
/// Gives the tab the computed columns `defs`, which begin with the ones it
/// has (their decimals may differ) and go on with the ones to add, taken in
/// as `Restore` does. The caller rearranges the rows.
std::vector<std::string> Extend(wxGridEx* grid, const std::vector<ComputedColumnDef>& defs);

}  // namespace computed_columns
