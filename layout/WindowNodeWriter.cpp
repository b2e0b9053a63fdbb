#include "layout/WindowNodeWriter.h"

#include <charconv>

#include <boost/property_tree/ptree.hpp>

#include "layout/ColourRuleNodes.h"

namespace layout {

namespace {

constexpr int kFirstCategoryTab = 2;

// The tree's own number conversion follows the global C++ locale, which a
// host may set to one with digit grouping; stored numbers must not change
// with it.
void PutInt(Tree& tree, const std::string& path, int value)
{
    tree.put(path, std::to_string(value));
}

bool HasExchange(int type)
{
    return type >= kFirstCategoryTab && type <= kExchangeTab;
}

bool HasCategory(int type)
{
    return type >= kFirstCategoryTab && type < kExchangeTab;
}

// Conditions first, then the column's id.
Tree FiltersTree(const std::map<int, std::vector<FilterCondition>>& filters)
{
    Tree tree;
    for (const auto& [id, conditions] : filters)
    {
        Tree column;
        for (const FilterCondition& condition : conditions)
        {
            Tree filter;
            PutInt(filter, "<xmlattr>.condition", condition.condition);
            filter.put("<xmlattr>.value", condition.value);
            // Marks numbers a reader takes as they are in any locale; a
            // layout without the mark wrote them as the user typed them.
            if (OperandIsNumbers(id, condition.condition))
                PutBool(filter, "<xmlattr>.locale_free", true);
            PutInt(filter, "<xmlattr>.row", condition.row);
            column.add_child("filter", filter);
        }
        PutInt(column, "<xmlattr>.id", id);
        tree.add_child("column", column);
    }
    return tree;
}

Tree InstrumentsTree(const std::vector<InstrumentRef>& instruments)
{
    Tree tree;
    for (const InstrumentRef& instrument : instruments)
    {
        Tree element;
        element.put("<xmlattr>.exchange", instrument.exchange);
        element.put("<xmlattr>.code", instrument.code);
        tree.add_child("instrument", element);
    }
    return tree;
}

}  // namespace

Tree ColumnTree(const ColumnEntry& column, const std::vector<std::string>& labels)
{
    Tree tree;
    PutInt(tree, "<xmlattr>.id", column.id);
    const bool labelled = column.id >= 0 && static_cast<size_t>(column.id) < labels.size();
    tree.put("<xmlattr>.name", labelled ? labels[static_cast<size_t>(column.id)] : std::string());
    PutInt(tree, "<xmlattr>.size", column.size);
    PutBool(tree, "<xmlattr>.show", column.show);
    PutBool(tree, "<xmlattr>.sort", column.sort);
    PutBool(tree, "<xmlattr>.ascending", column.ascending);
    PutInt(tree, "<xmlattr>.position", column.position);
    return tree;
}

void PutBool(Tree& tree, const std::string& path, bool value)
{
    tree.put(path, std::string(value ? "true" : "false"));
}

void WriteWindowSettings(Tree& node, const WindowSettings& settings)
{
    const std::string controls = "setting.controls.<xmlattr>.";
    const std::string general = "setting.general.<xmlattr>.";
    PutBool(node, controls + "control_by_instrument", settings.controlledByInstruments);
    PutBool(node, controls + "control_by_order", settings.controlledByOrders);
    PutBool(node, controls + "control_by_position", settings.controlledByPositions);
    PutBool(node, controls + "control_instrument", settings.controlsOthers);
    PutBool(node, controls + "control_autoinstrument", settings.autoAddInstrument);
    PutBool(node, general + "autoinstrument", settings.autoAddInstrument);
    PutBool(node, general + "f1_change_instrument", settings.f1Only);
    node.put(general + "title", ToTreeText(settings.title));
    PutBool(node, general + "auto_fit_column_width", settings.autoFitColumns);
    PutBool(node, general + "show_volume_ink", settings.volumeInThousands);
    PutInt(node, general + "stale_after_seconds", settings.staleAfterSeconds);
    // Only a page the user set up is stored; until then the locale decides.
    if (settings.printPaper != 0)
    {
        PutInt(node, "setting.print.<xmlattr>.paper", settings.printPaper);
        PutBool(node, "setting.print.<xmlattr>.landscape", settings.printLandscape);
    }
}

Tree TabEntryTree(const TabEntry& entry, const std::vector<std::string>& columnLabels)
{
    Tree tree;
    tree.put("<xmlattr>.name", entry.name);
    PutBool(tree, "<xmlattr>.current", entry.current);
    PutInt(tree, "<xmlattr>.type", entry.type);
    if (HasExchange(entry.type))
        tree.put("<xmlattr>.exchange", entry.exchange);
    if (HasCategory(entry.type))
        tree.put("<xmlattr>.category", entry.category);

    Tree& columns = tree.put_child("columns", Tree());
    for (const ColumnEntry& column : entry.columns)
        columns.add_child("column", ColumnTree(column, columnLabels));
    if (entry.hasFilters)
        tree.put_child("filters", FiltersTree(entry.filters));
    if (!entry.bookmarks.empty())
        tree.put_child("bookmark", InstrumentsTree(entry.bookmarks));
    // An element of its own, which readers that do not know it pass over.
    if (!entry.computed.empty())
        tree.put_child("computed", ComputedColumnsTree(entry.computed));
    if (!entry.colourRules.empty())
        tree.put_child(kColourRulesElement, ColourRulesTree(entry.colourRules));
    return tree;
}

Tree ComputedColumnsTree(const std::vector<ComputedColumnDef>& defs)
{
    Tree computed;
    // Where they start, so that a later version with more fixed columns
    // still finds them, as this one finds those written before the trend column.
    PutInt(computed, "<xmlattr>.first", column::Count);
    for (const ComputedColumnDef& def : defs)
    {
        Tree& column = computed.add_child("column", Tree());
        column.put("<xmlattr>.name", def.name);
        column.put("<xmlattr>.formula", def.formula);
        PutInt(column, "<xmlattr>.decimals", def.decimals);
    }
    return computed;
}

Tree AlertTree(const AlertEntry& alert)
{
    Tree tree;
    tree.put("<xmlattr>.code", alert.instrument.code);
    tree.put("<xmlattr>.exchange", alert.instrument.exchange);
    PutInt(tree, "<xmlattr>.type", alert.field);
    PutInt(tree, "<xmlattr>.condition", alert.comparison);
    tree.put("<xmlattr>.value", FormatDouble(alert.value));
    tree.put("<xmlattr>.remark", alert.remark);
    // Written only when set: a reader that does not know it fires as always.
    if (alert.onceEachTime)
        tree.put("<xmlattr>.notify", "once");
    return tree;
}

std::string FormatDouble(double value)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc())
        return "0";
    return std::string(buffer, end);
}

}  // namespace layout
