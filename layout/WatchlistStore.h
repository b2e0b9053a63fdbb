#pragma once
// Reading the shared watchlist store ("application.watchlists").

#include <string>
#include <vector>

#include "layout/LayoutEntries.h"
#include "layout/TreeValues.h"

namespace layout {

/// Reads the store file; throws the XML reader's error when it is missing,
/// unreadable or malformed.
Tree ReadStore(const std::string& path);

/// The instruments of every stored watchlist named exactly `name`, in store
/// order; entries lacking exchange or code are left out. Empty when the
/// store has no "application.watchlists".
std::vector<InstrumentRef> StoredInstruments(const Tree& store, const std::string& name);

/// The name of every stored watchlist in store order; empty when the file
/// or the element is missing or unreadable.
std::vector<std::string> ListWatchlistNames(const std::string& path);

}  // namespace layout
