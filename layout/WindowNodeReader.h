#pragma once
// The schema of a board's window node: paths, attributes and their defaults.

#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>

#include "layout/LayoutEntries.h"
#include "layout/TreeValues.h"

namespace layout {

/// Where the layout document keeps the node of windows that bring none.
extern const char* const kDefaultWindowPath;

/// Reads a whole XML file; throws the XML reader's error when the file is
/// missing, unreadable or malformed.
Tree ReadXmlFile(const std::string& path);

/// The settings of `node`. Two of them fall back to the board's current
/// values rather than fixed defaults, so those are passed in.
WindowSettings ReadWindowSettings(const Tree& node, bool currentAutoFit, bool currentVolumeInThousands);
FrameSize ReadFrameSize(const Tree& node);

/// The "watchlists" element; throws "No such node (watchlists)" without it.
const Tree& WatchlistsOf(const Tree& node);
/// Every "watchlist" child of `watchlists`, in document order.
std::vector<TabEntry> ReadTabEntries(const Tree& watchlists);
TabEntry ReadTabEntry(const Tree& watchlist);
/// The "column" children of a "columns" element.
std::vector<ColumnEntry> ReadColumns(const Tree& columns);
/// The "instrument" children of `parent` that name both exchange and code.
std::vector<InstrumentRef> ReadInstruments(const Tree& parent);

/// The "alert" children of the node's "alerts"; empty when there is none.
std::vector<AlertEntry> ReadAlertEntries(const Tree& node);

}  // namespace layout
