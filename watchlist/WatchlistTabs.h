#pragma once
// Watchlists, categories and exchanges as tabs of a board window, and the
// watchlist commands that change a tab and the shared store together.

#include <string>
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
    std::string error;

    bool Succeeded() const { return kind == Done; }
};

/// Opens and re-points a board's tabs and keeps stored watchlists in step
/// with them; works through the board's public interface.
class WatchlistTabs
{
public:
    explicit WatchlistTabs(Tickerdeck& board) : m_board(board) {}

    /// Shows a watchlist, a category or a whole exchange: selects the tab
    /// of that label if there is one (not for whole exchanges), else opens a
    /// new tab when Ctrl is held, else re-points the current tab. Fails,
    /// changing nothing, when a stored watchlist cannot be read.
    StoreOutcome BuildTab(const layout::TabSource& source);
    /// Appends a new watchlist to the store and opens a tab for it. Nothing
    /// changes when a tab or a stored watchlist has that name, or when the
    /// store cannot be written.
    StoreOutcome CreateWatchlistTab(const wxString& name, const std::vector<Instrument*>& instruments);
    /// Rewrites an edited watchlist in the store, then applies it to its
    /// tab: the tab is relabelled and its rows follow the list. Nothing
    /// changes when the new name belongs to another tab or stored
    /// watchlist, or when the store cannot be written.
    StoreOutcome SaveEditedWatchlist(const wxString& oldName, const wxString& newName,
                                     const std::vector<Instrument*>& instruments);
    /// Gives a watchlist tab and its stored record a new name together.
    StoreOutcome RenameWatchlist(wxGridEx* grid, const wxString& newName);
    /// Erases the first stored watchlist named `name`, then closes the
    /// first tab of that label; an unwritable store changes nothing.
    StoreOutcome DeleteWatchlist(const wxString& name);
    /// Every instrument of a tab in its stored order, rows a filter hides
    /// and rows the host has not answered yet included.
    std::vector<Instrument*> TabInstruments(const wxGridEx* grid) const;

private:
    wxGridEx* OpenTemplateTab(const wxString& label);
    wxGridEx* GridLabelled(const wxString& label) const;
    wxGridEx* RepointCurrentTab(const wxString& label);
    void EmptyTab(wxGridEx* grid);
    /// What a tab keeps and gains of a wanted list: its instruments in
    /// their new stored order (the kept ones, then the new), and its rows
    /// that go.
    struct RowPlan
    {
        std::vector<Instrument*> stored;
        std::vector<Instrument*> added;
        std::vector<Price*> dropped;
    };
    RowPlan PlanRows(const wxGridEx* grid, const std::vector<Instrument*>& wanted) const;
    void ApplyRows(wxGridEx* grid, const RowPlan& plan);

    Tickerdeck& m_board;
};
