#pragma once
// Removing, refreshing, adding and moving the instruments of a watchlist tab.

#include <functional>
#include <vector>

#include <wx/string.h>

#include "board/BoardFeature.h"

class wxGridEx;
class wxWindow;

/// Remove (with the Delete key's single-row form), Refresh, Add to
/// Watchlist and Move to Watchlist on the board's current tab.
class RowCommands : public BoardFeature
{
public:
    /// Asks the user whether to remove; true only for Yes.
    using Confirmation = std::function<bool(Tickerdeck& board)>;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    /// Removes the rows of a stored-watchlist tab after asking, the last
    /// given row first, and rewrites the stored watchlist.
    void Remove(Tickerdeck& board, const std::vector<int>& rows);
    /// Brings the current stored-watchlist tab in line with the store.
    void Refresh(Tickerdeck& board);
    /// Adds the selected rows to the stored watchlist `name`.
    static void AddTo(Tickerdeck& board, const wxString& name);
    /// As AddTo, then the rows leave the current tab.
    static void MoveTo(Tickerdeck& board, const wxString& name);

    /// Adds the current tab's selected rows to the stored watchlist `name`.
    /// Returns false when the store could not be read or written.
    static bool AddSelectedRows(Tickerdeck& board, const wxString& name);
    /// As AddSelectedRows, then drops the rows from the current tab.
    static void MoveSelectedRows(Tickerdeck& board, const wxString& name);

    /// Replaces the question box (tests answer for the user).
    void SetConfirmation(Confirmation confirm) { m_confirm = std::move(confirm); }

private:
    static bool AskUser(Tickerdeck& board);
    /// Takes `rows` off `grid` one at a time from the last, releasing each quote.
    static void DropRows(Tickerdeck& board, wxGridEx* grid, const std::vector<int>& rows);
    static void RewriteStored(Tickerdeck& board, wxGridEx* grid);

    Confirmation m_confirm = AskUser;
};
