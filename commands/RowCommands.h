#pragma once
// Removing, refreshing, adding and moving the instruments of a watchlist tab.

#include <functional>
#include <vector>

#include <wx/string.h>

#include "board/BoardFeature.h"
#include "board/RowTargets.h"

class wxGridEx;
class wxWindow;

/// Remove (also the Delete key's), Refresh, Add to Watchlist and Move to
/// Watchlist. Each works on the quotes of the rows the user pointed at,
/// never on row numbers that queued quotes can move.
class RowCommands : public BoardFeature
{
public:
    /// Asks the user `question`; true only for Yes.
    using Confirmation = std::function<bool(Tickerdeck& board, const wxString& question)>;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    /// Removes the target rows of a stored-watchlist tab after a question
    /// naming them, and rewrites the stored watchlist.
    void Remove(Tickerdeck& board, const RowTargets& targets);
    /// Brings the current stored-watchlist tab in line with the store.
    void Refresh(Tickerdeck& board);
    /// Adds the target rows' instruments to the stored watchlist `name`, and
    /// to its tab when one is open. Returns false when the store could not
    /// be read or written.
    static bool AddTo(Tickerdeck& board, const RowTargets& targets, const wxString& name);
    /// As AddTo, then the rows leave their stored-watchlist tab.
    static void MoveTo(Tickerdeck& board, const RowTargets& targets, const wxString& name);

    /// Replaces the question box (tests answer for the user).
    void SetConfirmation(Confirmation confirm) { m_confirm = std::move(confirm); }

private:
    static bool AskUser(Tickerdeck& board, const wxString& question);
    /// Takes `quotes` off `grid`'s tab, the last first, releasing each one
    /// no row shows any more; quotes the tab no longer holds are skipped.
    static void DropQuotes(Tickerdeck& board, wxGridEx* grid, const std::vector<Price*>& quotes);
    static void RewriteStored(Tickerdeck& board, wxGridEx* grid);

    Confirmation m_confirm = AskUser;
};
