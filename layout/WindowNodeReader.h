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

/// Reads a whole XML file; throws UnreadableFile when the file is missing,
/// unreadable, malformed or too deeply nested.
Tree ReadXmlFile(const std::string& path);

/// The settings of `node`. A setting the node omits reads as false, except
/// controlsOthers and autoAddInstrument (true), the title ("Tickerdeck"),
/// the stale time (120 seconds, also for one out of range), and autoFitColumns and volumeInThousands, which keep their `current`
/// value. f1Only is not read: loading always clears it.
WindowSettings ReadWindowSettings(const Tree& node, const WindowSettings& current);
FrameSize ReadFrameSize(const Tree& node);

/// The "watchlists" element; throws "No such node (watchlists)" without it.
const Tree& WatchlistsOf(const Tree& node);
/// Every "watchlist" child of `watchlists`, in document order.
std::vector<TabEntry> ReadTabEntries(const Tree& watchlists);
TabEntry ReadTabEntry(const Tree& watchlist);
/// The "column" children of a "columns" element.
std::vector<ColumnEntry> ReadColumns(const Tree& columns);
/// The computed columns of a tab, at most `kMostComputedColumns`; a formula
/// is read when the tab takes the column in.
std::vector<ComputedColumnDef> ReadComputedColumns(const Tree& computed);
/// The id computed columns were written from: the "computed" element says,
/// and layouts written before the trend column took id 31 started there.
constexpr int kFirstComputedBeforeTrend = 31;
int FirstComputedColumnOf(const Tree& computed);
/// Moves the ids the entry's columns, filters and rules give computed
/// columns written from `writtenFirst` to where they start now.
void MoveComputedColumns(TabEntry& entry, int writtenFirst);
/// The same for the columns and rules of a column set.
void MoveComputedColumns(std::vector<ColumnEntry>& columns, std::vector<ColourRuleSpec>& rules, int writtenFirst);
/// The "instrument" children of `parent` that name both exchange and code.
std::vector<InstrumentRef> ReadInstruments(const Tree& parent);

/// The "alert" children of the node's "alerts"; empty when there is none.
std::vector<AlertEntry> ReadAlertEntries(const Tree& node);

}  // namespace layout
