#include "layout/WatchlistStore.h"

#include <boost/property_tree/ptree.hpp>

#include "layout/WindowNodeReader.h"

namespace layout {

namespace {

const char* const kWatchlistsPath = "application.watchlists";

}  // namespace

Tree ReadStore(const std::string& path)
{
    return ReadXmlFile(path);
}

std::vector<InstrumentRef> StoredInstruments(const Tree& store, const std::string& name)
{
    std::vector<InstrumentRef> instruments;
    const auto watchlists = store.get_child_optional(kWatchlistsPath);
    if (!watchlists)
        return instruments;
    for (const auto& [key, watchlist] : *watchlists)
    {
        if (key != "watchlist" || ReadText(watchlist, "<xmlattr>.name") != name)
            continue;
        std::vector<InstrumentRef> found = ReadInstruments(watchlist);
        instruments.insert(instruments.end(), found.begin(), found.end());
    }
    return instruments;
}

std::vector<std::string> ListWatchlistNames(const std::string& path)
{
    std::vector<std::string> names;
    try
    {
        const Tree store = ReadStore(path);
        const auto watchlists = store.get_child_optional(kWatchlistsPath);
        if (!watchlists)
            return names;
        for (const auto& [key, watchlist] : *watchlists)
            if (key == "watchlist")
                names.push_back(ReadText(watchlist, "<xmlattr>.name"));
    }
    catch (const std::exception&)
    {
        // A store that cannot be read lists nothing; the menus show no entries.
        names.clear();
    }
    return names;
}

}  // namespace layout
