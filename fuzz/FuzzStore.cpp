// The watchlist store and its operations: read, change, write back, read
// again. Nothing a reader accepted may be lost or changed on the way.

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FuzzSupport.h"
#include "layout/WatchlistStore.h"

namespace {

std::string StorePath()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("fuzz-store-" + std::to_string(::getpid()) + ".xml")).string();
    return path;
}

std::vector<std::string> NamesIn(const fuzz::Tree& store)
{
    std::vector<std::string> names;
    if (const auto watchlists = store.get_child_optional("application.watchlists"))
        for (const auto& [key, watchlist] : *watchlists)
            if (key == "watchlist")
                names.push_back(layout::ReadText(watchlist, "<xmlattr>.name"));
    return names;
}

// Every name with its instruments, as the readers see the store.
std::vector<std::pair<std::string, std::vector<layout::InstrumentRef>>> Contents(const fuzz::Tree& store)
{
    std::vector<std::pair<std::string, std::vector<layout::InstrumentRef>>> contents;
    for (const std::string& name : NamesIn(store))
        contents.emplace_back(name, layout::StoredInstruments(store, name));
    return contents;
}

fuzz::Tree WrittenAndReadBack(const fuzz::Tree& store)
{
    layout::WriteStore(StorePath(), store);
    return layout::ReadStore(StorePath());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::ofstream file(StorePath(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fuzz::Tree store;
    try
    {
        store = layout::ReadStoreForUpdate(StorePath());
    }
    catch (const std::exception&)
    {
        // Rejected: the listing is empty and the file stays as it was.
        fuzz::Check(layout::ListWatchlistNames(StorePath()).empty(), "listing of a rejected store");
        return 0;
    }
    fuzz::Check(layout::ListWatchlistNames(StorePath()) == NamesIn(store), "listing");

    const auto contents = Contents(store);
    fuzz::Check(Contents(WrittenAndReadBack(store)) == contents, "plain round trip");

    // Refill the first watchlist with the last one's instruments, then add one.
    const std::string name = contents.empty() ? std::string("W") : contents.front().first;
    const std::vector<layout::InstrumentRef> rows =
        contents.empty() ? std::vector<layout::InstrumentRef>{{"X", "Y"}} : contents.back().second;
    const bool changed = layout::WriteWatchlist(store, name, rows);
    fuzz::Check(!layout::WriteWatchlist(store, name, rows), "a second identical write changes nothing");
    const layout::InstrumentRef extra{"FUZZ", name.empty() ? "E" : name};
    const bool added = layout::AppendToWatchlist(store, name, extra);
    fuzz::Check(!layout::AppendToWatchlist(store, name, extra), "appending twice");
    (void)changed;
    (void)added;

    const fuzz::Tree again = WrittenAndReadBack(store);
    fuzz::Check(Contents(again) == Contents(store), "round trip after the operations");
    for (const auto& [otherName, instruments] : contents)
        if (otherName != name)
            fuzz::Check(layout::StoredInstruments(again, otherName) == instruments, "other watchlists untouched");
    const std::vector<layout::InstrumentRef> refilled = layout::StoredInstruments(again, name);
    fuzz::Check(std::find(refilled.begin(), refilled.end(), extra) != refilled.end(), "appended instrument");
    return 0;
}
