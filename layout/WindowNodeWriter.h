#pragma once
// The writing side of a board's window node: plain values into trees, with
// attributes and elements in the order people and tools expect to find them.

#include <string>
#include <vector>

#include "layout/LayoutEntries.h"
#include "layout/TreeValues.h"

namespace layout {

/// Puts the settings on `node` in their stored order; each replaces the
/// value already there.
void WriteWindowSettings(Tree& node, const WindowSettings& settings);

/// One "watchlist" element of the node's "watchlists". `columnLabels[id]`
/// is written as the name of column `id`, for the reader's benefit.
Tree TabEntryTree(const TabEntry& entry, const std::vector<std::string>& columnLabels);

/// One "column" element of a "columns" element, named by `labels[id]`.
Tree ColumnTree(const ColumnEntry& column, const std::vector<std::string>& labels);

/// A "computed" element holding `defs`, saying where their ids start.
Tree ComputedColumnsTree(const std::vector<ComputedColumnDef>& defs);

/// One "alert" element.
Tree AlertTree(const AlertEntry& alert);

/// Shortest decimal text that reads back as the same double, in any locale.
std::string FormatDouble(double value);

/// Puts a boolean as "true" or "false".
void PutBool(Tree& tree, const std::string& path, bool value);

}  // namespace layout
