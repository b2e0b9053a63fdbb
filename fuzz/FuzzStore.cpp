// The shared watchlist store: what it reads it keeps through an operation
// and the write that follows; what it refuses to read stays on disk as it was.

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FuzzSupport.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"

namespace {

std::string StorePath()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("fuzz-store-" + std::to_string(::getpid()) + ".xml")).string();
    return path;
}

std::string FileText()
{
    std::ifstream file(StorePath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

using Contents = std::vector<std::pair<std::string, std::vector<layout::InstrumentRef>>>;

Contents ContentsOf(store::WatchlistStoreService& store)
{
    Contents contents;
    for (const std::string& name : store.Names())
        contents.emplace_back(name, store.Instruments(name));
    return contents;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream file(StorePath(), std::ios::binary | std::ios::trunc);
        file << input;
    }
    store::WatchlistStoreService store([] { return StorePath(); });
    const layout::InstrumentRef extra{"FUZZ", "E"};
    if (!store.Refresh())
    {
        bool refused = false;
        try
        {
            store.Add("W", {extra});
        }
        catch (const std::exception&)
        {
            refused = true;
        }
        fuzz::Check(refused, "an operation on a store that cannot be read");
        fuzz::Check(FileText() == input, "a store that cannot be read is left as it was");
        fuzz::Check(store::ListWatchlistNames(StorePath()).empty(), "listing of a rejected store");
        return 0;
    }
    const Contents before = ContentsOf(store);
    std::vector<std::string> names;
    for (const auto& [name, instruments] : before)
        names.push_back(name);
    fuzz::Check(store::ListWatchlistNames(StorePath()) == names, "listing");

    const std::string target = names.empty() ? std::string("W") : names.front();
    try
    {
        store.Add(target, {extra});
    }
    catch (const std::exception&)
    {
        // A name the file cannot hold (a NUL) is refused before writing.
        fuzz::Check(FileText() == input, "a refused write leaves the file");
        return 0;
    }
    fuzz::Check(store.Add(target, {extra}).empty(), "appending twice");

    store::WatchlistStoreService again([] { return StorePath(); });
    fuzz::Check(again.Refresh(), "the store written reads again");
    for (const auto& [name, instruments] : before)
        if (name != target)
            fuzz::Check(again.Instruments(name) == instruments, "other watchlists untouched");
    const std::vector<layout::InstrumentRef> grown = again.Instruments(target);
    fuzz::Check(std::find(grown.begin(), grown.end(), extra) != grown.end(), "appended instrument");
    // Lists sharing the written name merge into the first of them.
    std::vector<std::string> kept;
    for (const std::string& name : names)
        if (name != target || std::find(kept.begin(), kept.end(), name) == kept.end())
            kept.push_back(name);
    if (!names.empty())
        fuzz::Check(again.Names() == kept, "names and their order kept");
    return 0;
}
