#pragma once
// Removing, refreshing, adding and moving the instruments of a watchlist tab.

#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

#include "board/BoardFeature.h"
#include "board/RowTargets.h"

class wxGridEx;
namespace store
{
class WatchlistStoreService;
}
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

    /// Removes the target rows' instruments from the tab's stored watchlist
    /// after a question naming them; every tab of the list follows.
    void Remove(Tickerdeck& board, const RowTargets& targets);
    /// Brings the current stored-watchlist tab in line with the store.
    void Refresh(Tickerdeck& board);
    /// Adds the target rows' instruments to the stored watchlist `name`
    /// (its bytes); its open tabs follow. Returns false when the store could
    /// not be read or written (logged, so shown in the notice strip).
    static bool AddTo(Tickerdeck& board, const RowTargets& targets, const std::string& name);
    /// Moves them from the tab's stored watchlist to `name` in one write.
    static void MoveTo(Tickerdeck& board, const RowTargets& targets, const std::string& name);

    /// Replaces the question box (tests answer for the user).
    void SetConfirmation(Confirmation confirm) { m_confirm = std::move(confirm); }

private:
    static bool AskUser(Tickerdeck& board, const wxString& question);
    /// Runs a store operation under a busy cursor; a failure is logged
    /// with `what`, told to the user as `told` and the reason, and false
    /// returned.
    static bool RunOnStore(Tickerdeck& board, const std::string& what, const wxString& told,
                           const std::function<void(store::WatchlistStoreService&)>& operation);

    Confirmation m_confirm = AskUser;
};
