#include "layout/WindowNodeReader.h"

#include <algorithm>

#include "layout/ColourRuleNodes.h"
#include "files/DurableFile.h"

namespace layout {

const char* const kDefaultWindowPath = "application.layout.default.tickerdeck";

namespace {

const char* const kControls = "setting.controls.<xmlattr>.";
const char* const kGeneral = "setting.general.<xmlattr>.";
const char* const kDefaultTitle = "Tickerdeck";
std::string ControlsKey(const char* name)
{
    return std::string(kControls) + name;
}

std::string GeneralKey(const char* name)
{
    return std::string(kGeneral) + name;
}

// A stale time outside what the settings offer is no choice of the user's.
int ReadStaleAfter(const Tree& node)
{
    const int seconds = ReadInt(node, GeneralKey("stale_after_seconds"), kDefaultStaleAfterSeconds);
    return seconds >= 0 && seconds <= kMaxStaleAfterSeconds ? seconds : kDefaultStaleAfterSeconds;
}

// Children of `parent` named `key`, in document order; other children are
// not part of the schema and are passed over.
template <typename Visit>
void ForEachChild(const Tree& parent, const char* key, Visit visit)
{
    for (const auto& [childKey, child] : parent)
        if (childKey == key)
            visit(child);
}

std::map<int, std::vector<FilterCondition>> ReadFilters(const Tree& filters)
{
    std::map<int, std::vector<FilterCondition>> columns;
    const NumberWriting writing = NumberWriting::OfLocale();
    ForEachChild(filters, "column", [&columns, &writing](const Tree& column) {
        const int id = ReadInt(column, "<xmlattr>.id", 0);
        std::vector<FilterCondition> conditions;
        ForEachChild(column, "filter",
                     [&conditions, &writing, id](const Tree& filter)
                     {
                         const int op = ReadInt(filter, "<xmlattr>.condition", 0);
                         std::string value = ReadText(filter, "<xmlattr>.value");
                         // Numbers written before they were kept locale-free
                         // read as the locale writes them.
                         if (!ReadBool(filter, "<xmlattr>.locale_free", false))
                             value = KeptOperandOfTypedText(id, op, value, writing);
                         conditions.push_back(FilterCondition{op, std::move(value), ReadInt(filter, "<xmlattr>.row", 0)});
                     });
        // A later column with the same id replaces the earlier one.
        columns[id] = std::move(conditions);
    });
    return columns;
}

}  // namespace

Tree ReadXmlFile(const std::string& path)
{
    Tree document = files::ReadXmlDocument(path, std::string());
    files::ExpandDefaultBoard(document);
    return document;
}

WindowSettings ReadWindowSettings(const Tree& node, const WindowSettings& current)
{
    WindowSettings settings;
    settings.title = ToWxString(ReadText(node, GeneralKey("title"), kDefaultTitle));
    settings.autoFitColumns = ReadBool(node, GeneralKey("auto_fit_column_width"), current.autoFitColumns);
    settings.volumeInThousands = ReadBool(node, GeneralKey("show_volume_ink"), current.volumeInThousands);
    settings.staleAfterSeconds = ReadStaleAfter(node);
    settings.controlledByOrders = ReadBool(node, ControlsKey("control_by_order"), false);
    settings.controlledByInstruments = ReadBool(node, ControlsKey("control_by_instrument"), false);
    settings.controlledByPositions = ReadBool(node, ControlsKey("control_by_position"), false);
    settings.controlsOthers = ReadBool(node, ControlsKey("control_instrument"), true);
    settings.autoAddInstrument = ReadBool(node, GeneralKey("autoinstrument"), true);
    settings.f1Only = false;
    settings.printPaper = ReadInt(node, "setting.print.<xmlattr>.paper", 0);
    settings.printLandscape = ReadBool(node, "setting.print.<xmlattr>.landscape", false);
    return settings;
}

FrameSize ReadFrameSize(const Tree& node)
{
    FrameSize size;
    size.width = ReadInt(node, "<xmlattr>.size-x", size.width);
    size.height = ReadInt(node, "<xmlattr>.size-y", size.height);
    return size;
}

const Tree& WatchlistsOf(const Tree& node)
{
    return node.get_child("watchlists");
}

std::vector<TabEntry> ReadTabEntries(const Tree& watchlists)
{
    std::vector<TabEntry> entries;
    ForEachChild(watchlists, "watchlist", [&entries](const Tree& watchlist) {
        entries.push_back(ReadTabEntry(watchlist));
    });
    return entries;
}

TabEntry ReadTabEntry(const Tree& watchlist)
{
    TabEntry entry;
    entry.name = ReadText(watchlist, "<xmlattr>.name");
    entry.current = ReadBool(watchlist, "<xmlattr>.current", true);
    entry.type = ReadInt(watchlist, "<xmlattr>.type", kStoredWatchlistTab);
    entry.exchange = ReadText(watchlist, "<xmlattr>.exchange");
    entry.category = ReadText(watchlist, "<xmlattr>.category");
    if (const auto columns = watchlist.get_child_optional("columns"))
        entry.columns = ReadColumns(*columns);
    if (const auto filters = watchlist.get_child_optional("filters"))
    {
        entry.hasFilters = true;
        entry.filters = ReadFilters(*filters);
    }
    if (const auto bookmarks = watchlist.get_child_optional("bookmark"))
        entry.bookmarks = ReadInstruments(*bookmarks);
    if (const auto rules = watchlist.get_child_optional(kColourRulesElement))
        entry.colourRules = ReadColourRules(*rules);
    if (const auto computed = watchlist.get_child_optional("computed"))
    {
        entry.computed = ReadComputedColumns(*computed);
        MoveComputedColumns(entry, FirstComputedColumnOf(*computed));
    }
    return entry;
}

int FirstComputedColumnOf(const Tree& computed)
{
    const int first = ReadInt(computed, "<xmlattr>.first", kFirstComputedBeforeTrend);
    return first >= kFirstComputedBeforeTrend && first <= column::Count ? first : column::Count;
}

namespace {

void MoveId(int& id, int writtenFirst)
{
    if (id >= writtenFirst)
        id += column::Count - writtenFirst;
}

}  // namespace

void MoveComputedColumns(std::vector<ColumnEntry>& columns, std::vector<ColourRuleSpec>& rules, int writtenFirst)
{
    if (writtenFirst == column::Count)
        return;
    for (ColumnEntry& column : columns)
        MoveId(column.id, writtenFirst);
    for (ColourRuleSpec& rule : rules)
        if (rule.verbatim.empty())
        {
            MoveId(rule.column, writtenFirst);
            if (rule.againstColumn >= 0)
                MoveId(rule.againstColumn, writtenFirst);
        }
}

void MoveComputedColumns(TabEntry& entry, int writtenFirst)
{
    if (writtenFirst == column::Count)
        return;
    MoveComputedColumns(entry.columns, entry.colourRules, writtenFirst);
    std::map<int, std::vector<FilterCondition>> filters;
    for (auto& [id, conditions] : entry.filters)
    {
        int to = id;
        MoveId(to, writtenFirst);
        filters[to] = std::move(conditions);
    }
    entry.filters = std::move(filters);
}

std::vector<ColumnEntry> ReadColumns(const Tree& columns)
{
    std::vector<ColumnEntry> entries;
    entries.reserve(columns.size());
    ForEachChild(columns, "column", [&entries](const Tree& column) {
        ColumnEntry entry;
        entry.id = ReadInt(column, "<xmlattr>.id", entry.id);
        const int size = ReadInt(column, "<xmlattr>.size", entry.size);
        // Widths the grid would add up past its range blank the whole grid;
        // a negative one is no width at all.
        entry.widthReplaced = size < 0 || size > kMaxColumnWidth;
        entry.size = size < 0 ? entry.size : std::min(size, kMaxColumnWidth);
        entry.show = ReadBool(column, "<xmlattr>.show", entry.show);
        entry.sort = ReadBool(column, "<xmlattr>.sort", entry.sort);
        entry.ascending = ReadBool(column, "<xmlattr>.ascending", entry.ascending);
        entry.position = ReadInt(column, "<xmlattr>.position", entry.position);
        entries.push_back(entry);
    });
    return entries;
}

std::vector<ComputedColumnDef> ReadComputedColumns(const Tree& computed)
{
    std::vector<ComputedColumnDef> columns;
    ForEachChild(computed, "column", [&columns](const Tree& column) {
        if (columns.size() >= static_cast<size_t>(kMostComputedColumns))
            return;
        ComputedColumnDef def;
        def.name = ReadText(column, "<xmlattr>.name");
        def.formula = ReadText(column, "<xmlattr>.formula");
        def.decimals = std::clamp(ReadInt(column, "<xmlattr>.decimals", def.decimals), 0, kMostComputedDecimals);
        columns.push_back(std::move(def));
    });
    return columns;
}

std::vector<InstrumentRef> ReadInstruments(const Tree& parent)
{
    std::vector<InstrumentRef> instruments;
    instruments.reserve(parent.size());
    ForEachChild(parent, "instrument", [&instruments](const Tree& instrument) {
        InstrumentRef ref{ReadText(instrument, "<xmlattr>.exchange"), ReadText(instrument, "<xmlattr>.code")};
        if (!ref.exchange.empty() && !ref.code.empty())
            instruments.push_back(std::move(ref));
    });
    return instruments;
}

std::vector<AlertEntry> ReadAlertEntries(const Tree& node)
{
    std::vector<AlertEntry> alerts;
    const auto element = node.get_child_optional("alerts");
    if (!element)
        return alerts;
    ForEachChild(*element, "alert", [&alerts](const Tree& alert) {
        AlertEntry entry;
        entry.instrument = {ReadText(alert, "<xmlattr>.exchange"), ReadText(alert, "<xmlattr>.code")};
        if (entry.instrument.exchange.empty() || entry.instrument.code.empty())
            return;
        entry.field = ReadInt(alert, "<xmlattr>.type", kDefaultAlertField);
        entry.comparison = ReadInt(alert, "<xmlattr>.condition", kDefaultAlertComparison);
        entry.value = ReadDouble(alert, "<xmlattr>.value", 0.0);
        entry.remark = ReadText(alert, "<xmlattr>.remark");
        entry.onceEachTime = ReadText(alert, "<xmlattr>.notify") == "once";
        alerts.push_back(std::move(entry));
    });
    return alerts;
}

}  // namespace layout
