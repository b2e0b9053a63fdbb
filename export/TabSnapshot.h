#pragma once
// Copying a tab for an export, on the GUI thread that owns it.

#include <optional>

#include <wx/string.h>

#include "model/TabSheet.h"

class Tickerdeck;
class wxGridEx;

/// The text of the notebook tab that shows `grid`, empty when none does.
wxString TabTextOf(const Tickerdeck& board, const wxGridEx* grid);

/// The grid's shown columns in id order and its rows in the order shown,
/// with the texts its cells show now.
sheet::TabSnapshot SnapshotGrid(wxGridEx* grid, const wxString& tabText);

/// The board's current tab; none when it has no tab.
std::optional<sheet::TabSnapshot> SnapshotCurrentTab(const Tickerdeck& board);
