#pragma once
// What one window node holds, as plain values: the reader fills these, the
// board applies them. Texts stay the trees' UTF-8.

#include <map>
#include <string>
#include <vector>

#include <wx/string.h>

#include "model/ColourRules.h"
#include "model/ComputedColumns.h"
#include "model/FilterSet.h"

namespace layout {

/// Defaults of the tab type and alert attributes when the node omits them.
constexpr int kStoredWatchlistTab = 1;
/// A tab whose watchlist was deleted: it keeps its rows for this run and
/// is never written into the store.
constexpr int kPlainTab = 0;
constexpr int kExchangeTab = 7;
/// The stale time a window starts with, and the longest one it takes (a day).
constexpr int kDefaultStaleAfterSeconds = 120;
constexpr int kMaxStaleAfterSeconds = 86400;
// The widest column read from a file: a wider one shows nothing of its
// text on most screens, and the grid adds widths up in an int.
constexpr int kMaxColumnWidth = 1000;
constexpr int kDefaultAlertField = 4096;  // the last price
constexpr int kDefaultAlertComparison = 1;

/// A board's user settings, as the window holds them and its node stores
/// them under "setting". The values here are a new window's before anything
/// is loaded; a node that omits a setting has defaults of its own (see
/// ReadWindowSettings).
struct WindowSettings
{
    bool controlledByOrders = false;
    bool controlledByPositions = false;
    bool controlledByInstruments = false;
    bool controlsOthers = false;
    bool autoAddInstrument = false;
    bool f1Only = true;
    bool autoFitColumns = true;
    bool volumeInThousands = false;
    /// Live prices unchanged for longer than this dim; 0 never dims them.
    int staleAfterSeconds = kDefaultStaleAfterSeconds;
    wxString title;
    /// The printed page the user set up: the toolkit's paper id (0 until
    /// chosen: the locale's paper) and whether it lies on its side.
    int printPaper = 0;
    bool printLandscape = false;
};

/// Size of a window's own frame.
struct FrameSize
{
    int width = 360;
    int height = 530;
};

/// An instrument named by exchange and code.
struct InstrumentRef
{
    std::string exchange;
    std::string code;

    bool operator==(const InstrumentRef& other) const
    {
        return exchange == other.exchange && code == other.code;
    }
};

/// One grid column of a tab.
struct ColumnEntry
{
    int id = 0;
    int size = 80;
    bool show = false;
    bool sort = false;
    bool ascending = true;
    int position = 0;
    /// The stored width lay outside what a column can show and was replaced.
    bool widthReplaced = false;
};

/// One tab of the board.
struct TabEntry
{
    std::string name;
    bool current = true;
    int type = kStoredWatchlistTab;
    std::string exchange;
    std::string category;
    std::vector<ColumnEntry> columns;
    bool hasFilters = false;
    std::map<int, std::vector<FilterCondition>> filters;
    std::vector<InstrumentRef> bookmarks;
    /// The trader's columns, the grid's columns after the fixed ones in this order.
    std::vector<ComputedColumnDef> computed;
    std::vector<ColourRuleSpec> colourRules;
};

/// A tab's columns and colour rules kept under a name, to put on other tabs.
struct ColumnSet
{
    std::string name;
    std::vector<ColumnEntry> columns;
    std::vector<ColourRuleSpec> colourRules;
    /// The tab's computed columns: the entries and rules give them the ids
    /// they had on the tab the set was saved from.
    std::vector<ComputedColumnDef> computed;
};

/// A board's column sets, and the one its new tabs open with (empty: none).
struct ColumnSets
{
    std::vector<ColumnSet> sets;
    std::string forNewTabs;

    const ColumnSet* Find(const std::string& name) const
    {
        for (const ColumnSet& set : sets)
            if (set.name == name)
                return &set;
        return nullptr;
    }
};

/// One price alert as stored; the instrument is resolved by the board.
struct AlertEntry
{
    InstrumentRef instrument;
    int field = kDefaultAlertField;
    int comparison = kDefaultAlertComparison;
    double value = 0.0;
    std::string remark;
    /// Notifies once each time the condition is reached, not at every update.
    bool onceEachTime = false;
};

}  // namespace layout
