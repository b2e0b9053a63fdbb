#pragma once
// A column set fitted to the tab it is put on: its computed columns found
// among the tab's own or added after them, and the ids of its columns and
// rules moved to where those columns stand on that tab.

#include <vector>

#include "layout/LayoutEntries.h"

namespace layout {

/// What a tab becomes under a column set.
struct FittedColumnSet
{
    /// The tab's computed columns afterwards: its own in their order (one
    /// the set also holds with the set's decimals), then those it lacked.
    std::vector<ComputedColumnDef> computed;
    /// The set's column entries and rules with the tab's ids.
    std::vector<ColumnEntry> columns;
    std::vector<ColourRuleSpec> colourRules;
};

/// Fits `set` to a tab holding the computed columns `tabHas`. A column of
/// the set is the tab's column of the same name and formula (each taken
/// once), else added; what would pass `kMostComputedColumns` is left out
/// with its entries and rules. A set without computed columns (saved before
/// sets kept them) keeps its ids as they are.
FittedColumnSet FitColumnSet(const ColumnSet& set, const std::vector<ComputedColumnDef>& tabHas);

}  // namespace layout
