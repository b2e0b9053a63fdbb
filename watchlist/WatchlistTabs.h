#pragma once
// Watchlists, categories and exchanges as tabs of a board window, and the
// watchlist commands that change a tab and the shared store together.

#include <vector>

#include <wx/string.h>

#include "contract/Records.h"
#include "layout/TabSource.h"

class Tickerdeck;
class wxGridEx;

/// Opens and re-points a board's tabs and keeps stored watchlists in step
/// with them; works through the board's public interface.
class WatchlistTabs
{
public:
    explicit WatchlistTabs(Tickerdeck& board) : m_board(board) {}

    /// Shows a watchlist, a category or a whole exchange: selects the tab
    /// of that label if there is one (not for whole exchanges), else opens a
    /// new tab when Ctrl is held, else re-points the current tab.
    void BuildTab(const layout::TabSource& source);
    /// Opens a tab for a new stored watchlist and appends it to the store;
    /// nothing happens when a tab of that name exists.
    void CreateWatchlistTab(const wxString& name, const std::vector<Instrument*>& instruments);
    /// Applies an edited watchlist to its tab and the store, renaming it.
    void SaveEditedWatchlist(const wxString& oldName, const wxString& newName,
                             const std::vector<Instrument*>& instruments);
    /// Adds the current tab's selected rows to the stored watchlist `name`.
    /// Returns false when the store could not be read or written.
    bool AddSelectedRowsToWatchlist(const wxString& name);
    /// As AddSelectedRowsToWatchlist, then drops the rows from the current tab.
    void MoveSelectedRowsToWatchlist(const wxString& name);

private:
    wxGridEx* OpenTemplateTab(const wxString& label);
    wxGridEx* RepointCurrentTab(const wxString& label);
    void EmptyTab(wxGridEx* grid);
    std::vector<Instrument*> ReconcileRows(wxGridEx* grid, const std::vector<Instrument*>& wanted);

    Tickerdeck& m_board;
};
