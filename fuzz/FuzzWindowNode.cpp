// A window node as the host hands it over: whatever the reader accepts must
// come back unchanged from the writer.

#include "FuzzSupport.h"
#include "layout/ColourRuleNodes.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"

namespace {

// What the reader keeps of a tab, as far as the writer stores it for its type.
layout::TabEntry Stored(layout::TabEntry entry)
{
    if (entry.type < 2 || entry.type > 7)
        entry.exchange.clear();
    if (entry.type < 2 || entry.type > 6)
        entry.category.clear();
    return entry;
}

void CheckTab(const layout::TabEntry& read)
{
    const layout::TabEntry expected = Stored(read);
    const fuzz::Tree written = layout::TabEntryTree(expected, {"No.", "Name"});
    const layout::TabEntry again = layout::ReadTabEntry(fuzz::Reparse(written, "watchlist"));
    fuzz::Check(again.name == expected.name, "tab name");
    fuzz::Check(again.current == expected.current, "current");
    fuzz::Check(again.type == expected.type, "type");
    fuzz::Check(again.exchange == expected.exchange, "exchange");
    fuzz::Check(again.category == expected.category, "category");
    fuzz::Check(fuzz::SameColumns(again.columns, expected.columns), "columns");
    fuzz::Check(again.hasFilters == expected.hasFilters, "filters present");
    fuzz::Check(fuzz::SameFilters(again.filters, expected.filters), "filters");
    fuzz::Check(again.bookmarks == expected.bookmarks, "bookmarks");
    fuzz::Check(again.computed == expected.computed, "computed columns");
    fuzz::Check(again.colourRules == expected.colourRules, "colour rules");
}

void CheckColumnSets(const fuzz::Tree& node)
{
    const layout::ColumnSets read = layout::ReadColumnSets(node);
    fuzz::Tree written;
    written.put_child(layout::kColumnSetsElement, layout::ColumnSetsTree(read));
    const layout::ColumnSets again = layout::ReadColumnSets(fuzz::Reparse(written, "tickerdeck"));
    fuzz::Check(again.forNewTabs == read.forNewTabs && again.sets.size() == read.sets.size(), "column sets");
    for (size_t i = 0; i < read.sets.size() && i < again.sets.size(); ++i)
        fuzz::Check(again.sets[i].name == read.sets[i].name &&
                        fuzz::SameColumns(again.sets[i].columns, read.sets[i].columns) &&
                        again.sets[i].colourRules == read.sets[i].colourRules &&
                        again.sets[i].computed == read.sets[i].computed,
                    "column set");
}

void CheckSettings(const fuzz::Tree& node)
{
    const layout::WindowSettings read = layout::ReadWindowSettings(node, layout::WindowSettings());
    fuzz::Tree written = node;
    layout::WriteWindowSettings(written, read);
    layout::WindowSettings other;
    other.autoFitColumns = false;
    other.volumeInThousands = true;
    const layout::WindowSettings again = layout::ReadWindowSettings(fuzz::Reparse(written, "tickerdeck"), other);
    fuzz::Check(again.title == read.title, "title");
    fuzz::Check(again.autoFitColumns == read.autoFitColumns && again.volumeInThousands == read.volumeInThousands &&
                    again.controlledByOrders == read.controlledByOrders &&
                    again.controlledByInstruments == read.controlledByInstruments &&
                    again.controlledByPositions == read.controlledByPositions &&
                    again.controlsOthers == read.controlsOthers && again.autoAddInstrument == read.autoAddInstrument &&
                    again.staleAfterSeconds == read.staleAfterSeconds,
                "settings");
}

void CheckAlerts(const fuzz::Tree& node)
{
    const std::vector<layout::AlertEntry> read = layout::ReadAlertEntries(node);
    fuzz::Tree written;
    fuzz::Tree& alerts = written.put_child("alerts", fuzz::Tree());
    for (const layout::AlertEntry& alert : read)
        alerts.add_child("alert", layout::AlertTree(alert));
    const std::vector<layout::AlertEntry> again = layout::ReadAlertEntries(fuzz::Reparse(written, "tickerdeck"));
    fuzz::Check(again.size() == read.size(), "alert count");
    for (size_t i = 0; i < read.size(); ++i)
        fuzz::Check(again[i].instrument == read[i].instrument && again[i].field == read[i].field &&
                        again[i].comparison == read[i].comparison && again[i].value == read[i].value &&
                        again[i].remark == read[i].remark,
                    "alert");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<fuzz::Tree> document = fuzz::ParseXml(data, size);
    if (!document)
        return 0;
    // The node is whatever the document's first element holds.
    const fuzz::Tree& node = document->empty() ? *document : document->begin()->second;
    layout::ReadFrameSize(node);
    CheckSettings(node);
    CheckAlerts(node);
    CheckColumnSets(node);
    if (const auto watchlists = node.get_child_optional("watchlists"))
        for (const layout::TabEntry& tab : layout::ReadTabEntries(*watchlists))
            CheckTab(tab);
    return 0;
}
