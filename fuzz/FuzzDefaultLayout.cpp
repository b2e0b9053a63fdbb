// The default layout file: its default window node and the "Default" column
// template that new tabs take.

#include "FuzzSupport.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<fuzz::Tree> document = fuzz::ParseXml(data, size);
    if (!document)
        return 0;
    const auto node = document->get_child_optional(layout::kDefaultWindowPath);
    if (!node)
        return 0;
    const layout::FrameSize frame = layout::ReadFrameSize(*node);
    (void)frame;
    layout::ReadWindowSettings(*node, layout::WindowSettings());
    const auto watchlists = node->get_child_optional("watchlists");
    if (!watchlists)
        return 0;
    for (const auto& [key, watchlist] : *watchlists)
    {
        if (key != "watchlist" || layout::ReadText(watchlist, "<xmlattr>.name") != "Default")
            continue;
        const auto columns = watchlist.get_child_optional("columns");
        if (!columns)
            continue;
        // The template's columns survive being stored again with a tab.
        layout::TabEntry tab;
        tab.name = "Default";
        tab.columns = layout::ReadColumns(*columns);
        const layout::TabEntry again =
            layout::ReadTabEntry(fuzz::Reparse(layout::TabEntryTree(tab, {}), "watchlist"));
        fuzz::Check(fuzz::SameColumns(again.columns, tab.columns), "template columns");
    }
    return 0;
}
