// Handlers of the board's event table for the watchlist, alert, filter,
// export and dialog features. They are bound now so that the table is
// complete; until a feature lands its command leaves the board unchanged
// and lets the grid keep its default mouse and key handling.

#include <wx/grid.h>

#include "board/Tickerdeck.h"

void Tickerdeck::OnCellDoubleClick(wxGridEvent& event) { event.Skip(); }
void Tickerdeck::OnLabelRightClick(wxGridEvent& /*event*/) {}
void Tickerdeck::OnCellRightClick(wxGridEvent& /*event*/) {}
void Tickerdeck::OnRowCommand(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnDeleteInstrument(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnEditWatchlist(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnNewWatchlist(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnRenameWatchlist(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnPrintPreview(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnSettings(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnWatchlistCommand(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnExportExcel(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnOpenView(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnEditFilter(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnRemoveFilter(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnToggleBookmark(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnClearBookmarks(wxCommandEvent& /*event*/) {}
void Tickerdeck::OnIdle(wxIdleEvent& event) { event.Skip(); }
void Tickerdeck::OnGridMotion(wxMouseEvent& event) { event.Skip(); }
void Tickerdeck::OnGridKeyDown(wxKeyEvent& event) { event.Skip(); }
void Tickerdeck::OnGridRightUp(wxMouseEvent& event) { event.Skip(); }
