#pragma once
// Applying stored column entries to a tab grid.

#include <vector>

#include "layout/LayoutEntries.h"

class wxGrid;

/// Shows or hides, sorts, sizes and orders the grid's columns as `columns`
/// says. Entries naming a column the grid lacks, and display positions
/// outside the grid, are passed over.
void ApplyColumnLayout(wxGrid* grid, const std::vector<layout::ColumnEntry>& columns);

/// Every column of the grid as stored: shown or not, its width, sort and place.
std::vector<layout::ColumnEntry> ColumnLayoutOf(const wxGrid* grid);
