#pragma once
// A board's tabs of stored watchlists kept in line with the shared store.

#include <functional>
#include <string>
#include <vector>

#include "layout/LayoutEntries.h"

namespace layout
{
class WatchlistStoreService;
struct StoreChange;
} // namespace layout
class Tickerdeck;
class wxGridEx;

/// Brings the tab of `grid` to hold what `stored` (its watchlist in store
/// order) holds: rows whose instrument left go, with their bookmarks and
/// their unanswered requests (a late answer brings nothing back), filtered
/// or not; instruments new to it are asked for; its rows take the store's
/// order (shown so when the tab has no sort column).
void FollowStoredList(Tickerdeck& board, wxGridEx* grid, const std::vector<layout::InstrumentRef>& stored);

/// Runs `move`, a rearrangement of the rows of `grid`'s tab, and when the
/// tab is a stored watchlist's, stores its new order at once. A store that
/// refuses is logged and the tab's rows go back where they were; false then.
bool ReorderStoredTab(Tickerdeck& board, wxGridEx* grid, const std::function<void()>& move);

/// Applies a change of the shared store to `board`'s tabs: a renamed list's
/// tabs are relabelled, a deleted list's tabs keep their rows as plain tabs
/// (told in the notice strip), tabs of changed lists follow the store.
void ApplyStoreChange(Tickerdeck& board, layout::WatchlistStoreService& store,
                      const layout::StoreChange& change);

/// The rows of `grid`'s tab as the store names them: every member, the
/// unanswered requests and the unresolved references in their places.
std::vector<layout::InstrumentRef> StoredRowsOf(const Tickerdeck& board, const wxGridEx* grid);
