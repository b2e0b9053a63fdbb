#pragma once
// A board's tabs of stored watchlists following the shared store.

#include <vector>

#include "layout/LayoutEntries.h"

namespace store
{
class WatchlistStoreService;
struct StoreChange;
} // namespace store
class Tickerdeck;
class wxGridEx;

/// Applies a change of the shared store to `board`'s tabs: a renamed list's
/// tabs are relabelled, a deleted list's tabs keep their rows as plain tabs
/// (told in the notice strip), tabs of changed lists follow the store.
void ApplyStoreChange(Tickerdeck& board, store::WatchlistStoreService& store,
                      const store::StoreChange& change);

/// The rows of `grid`'s tab as the store names them: every member, the
/// unanswered requests and the unresolved references in their places.
std::vector<layout::InstrumentRef> StoredRowsOf(const Tickerdeck& board, const wxGridEx* grid);

/// Stores the list of every stored tab of `board` that the store lacks (it
/// was missing when the tab was filled, or the file went for good), with
/// every row: the ones a filter hides, the ones the host has not answered
/// and the ones it does not know. The store holds every other change of a
/// list as it is made. A failure is told to the user and changes nothing.
void StoreMissingLists(Tickerdeck& board);
