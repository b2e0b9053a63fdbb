#pragma once
// The shared watchlist store ("application.watchlists"): reading it, and the
// operations that change it. The operations work on a tree in memory; the
// caller reads the file, applies them and writes the file back once.

#include <string>
#include <vector>

#include "layout/LayoutEntries.h"
#include "layout/TreeValues.h"

struct Instrument;

namespace store {

/// How the store names an instrument of the host's catalogue.
layout::InstrumentRef RefOf(const Instrument& instrument);

/// Reads the store file; throws UnreadableFile (see ReadXmlDocument) when it
/// is missing, unreadable, malformed, too deeply nested or not rooted at
/// "application".
layout::Tree ReadStore(const std::string& path);

/// The store as written to disk: a "utf-8" declaration, then one element a
/// line, indented by two blanks a level, whatever layout the file had.
std::string StoreText(const layout::Tree& store);

/// Appends `text` escaped for an attribute value in double quotes; line
/// breaks and tabs as character references, so they read back as they were.
void AppendEscapedAttribute(std::string& out, const std::string& text);
/// Appends the element `key` of a tree as StoreText writes it, at `depth`.
void AppendTidyXml(std::string& out, const std::string& key, const layout::Tree& element, int depth);

/// Replaces the store file with `store` in one step (see ReplaceFileContents):
/// a failed or interrupted write leaves the old file whole. Throws on failure.
void WriteStore(const std::string& path, const layout::Tree& store);

/// The instruments of every stored watchlist named exactly `name`, in store
/// order; entries lacking exchange or code are left out. Empty when the
/// store has no "application.watchlists".
std::vector<layout::InstrumentRef> StoredInstruments(const layout::Tree& store, const std::string& name);

/// One watchlist of a store as read to fill a tab: its name and the
/// instruments that have both an exchange and a code, in store order.
struct StoredWatchlist
{
    std::string name;
    std::vector<layout::InstrumentRef> instruments;
};

/// The watchlists under "application.watchlists" of the store at `path`, in
/// store order. Reads and fails as ReadStore does, but builds no tree: a
/// watchlist of many thousand instruments opens quickly.
std::vector<StoredWatchlist> ReadStoredWatchlists(const std::string& path);

/// The instruments of every watchlist of `watchlists` named `name`, as
/// StoredInstruments gives them from the store's tree.
std::vector<layout::InstrumentRef> StoredInstruments(const std::vector<StoredWatchlist>& watchlists, const std::string& name);

/// The name of every stored watchlist in store order; empty when the file
/// or the element is missing or unreadable.
std::vector<std::string> ListWatchlistNames(const std::string& path);

/// Appends a new watchlist at the end without looking for the name.
void AppendWatchlist(layout::Tree& store, const std::string& name, const std::vector<layout::InstrumentRef>& instruments);

}  // namespace store
