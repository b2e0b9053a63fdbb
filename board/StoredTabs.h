#pragma once
// A tab of a stored watchlist holding what the shared store holds, and
// storing its new order at once.

#include <functional>
#include <string>
#include <vector>

#include "layout/LayoutEntries.h"

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
