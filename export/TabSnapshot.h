#pragma once
// Copying a tab for an export, on the GUI thread that owns it.

#include <cstddef>
#include <vector>

#include <wx/string.h>

#include "model/TabSheet.h"

class Tickerdeck;
class wxGridEx;

/// The text of the notebook tab that shows `grid`, empty when none does.
wxString TabTextOf(const Tickerdeck& board, const wxGridEx* grid);

/// The grid's shown columns in id order, their labels and widths, and how
/// the tab formats and colours its cells; no rows yet, but room for `rows`.
sheet::TabSnapshot SnapshotFrame(wxGridEx* grid, const wxString& tabText, std::size_t rows);

/// Appends copies of `rows[begin, end)`, the grid's quotes in the order shown
/// when the export was asked for. With `rowsMayBeGone` (the window has taken
/// events since), a row the tab has let go of is left out: its quote may be gone.
void AddSnapshotRows(wxGridEx* grid, const std::vector<Price*>& rows, std::size_t begin, std::size_t end,
                     bool rowsMayBeGone, sheet::TabSnapshot& snapshot);

/// The grid's shown columns in id order and its rows in the order shown,
/// copied at once.
sheet::TabSnapshot SnapshotGrid(wxGridEx* grid, const wxString& tabText);
