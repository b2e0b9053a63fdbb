#pragma once
// Watchlists, categories and exchanges as tabs of a board window, and the
// watchlist commands that change a tab and the shared store together.

#include <string>

#include "layout/LayoutEntries.h"
#include <vector>

#include <wx/string.h>

#include "contract/Records.h"
#include "layout/TabSource.h"

class Tickerdeck;
class wxGridEx;

/// How a change to the stored watchlists ended.
struct StoreOutcome
{
    enum Kind
    {
        Done,
        NameTaken,  // another tab or stored watchlist has the name
        Failed      // the store could not be read or written; `error` says why
    };
    Kind kind = Done;
    std::string error;  // UTF-8, as the user reads it: names the file and says why

    bool Succeeded() const { return kind == Done; }
};

/// Opens and re-points a board's tabs, and carries out the watchlist
/// commands on the shared store; every board's tabs then follow the store.
/// Names are the store's bytes. Works through the board's public interface.
class WatchlistTabs
{
public:
    explicit WatchlistTabs(Tickerdeck& board) : m_board(board) {}

    /// Shows a watchlist, a category or a whole exchange: selects the tab
    /// showing it if there is one (not for whole exchanges), else opens a
    /// new tab when Ctrl is held, else re-points the current tab. Fails,
    /// changing nothing, when a stored watchlist cannot be read.
    StoreOutcome BuildTab(const layout::TabSource& source);
    /// Stores a new watchlist and opens a tab for it. Nothing changes when
    /// a stored watchlist has that name or the store cannot be written.
    StoreOutcome CreateWatchlistTab(const std::string& name,
                                    const std::vector<layout::InstrumentRef>& instruments);
    /// Applies an edit of the stored watchlist `oldName` (from the list
    /// `before` to `after`, under `newName`); the tabs follow the store.
    StoreOutcome SaveEditedWatchlist(const std::string& oldName, const std::string& newName,
                                     const std::vector<layout::InstrumentRef>& before,
                                     const std::vector<layout::InstrumentRef>& after);
    /// Renames the stored watchlist `oldName`; its tabs are relabelled.
    StoreOutcome RenameWatchlist(const std::string& oldName, const std::string& newName);
    /// Erases the stored watchlist `name` and closes this board's tab of
    /// it; other boards keep theirs as plain tabs. An unwritable store
    /// changes nothing.
    StoreOutcome DeleteWatchlist(const std::string& name);
    /// Every instrument of a tab in its stored order, rows a filter hides
    /// and rows the host has not answered yet included.
    std::vector<Instrument*> TabInstruments(const wxGridEx* grid) const;

private:
    wxGridEx* OpenTemplateTab(const wxString& label);
    wxGridEx* RepointCurrentTab(const wxString& label);
    wxGridEx* FindSourceTab(const layout::TabSource& source) const;

    Tickerdeck& m_board;
};
