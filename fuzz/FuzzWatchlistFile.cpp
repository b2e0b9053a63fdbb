// Watchlist files as a user may hand them over: whatever the bytes, the
// reader ends, stays within its bounds, and what it took in survives being
// written as CSV and read again.

#include "FuzzSupport.h"
#include "store/WatchlistFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const store::WatchlistFileContents contents = store::ReadWatchlistText(text);
    if (contents.problem != store::WatchlistFileContents::None)
    {
        fuzz::Check(contents.entries.empty(), "entries beside a problem");
        return 0;
    }
    fuzz::Check(!contents.entries.empty(), "no entries and no problem");
    fuzz::Check(contents.entries.size() <= store::kMaxFileEntries, "entry bound");
    std::vector<store::WatchlistFileRow> rows;
    for (const layout::InstrumentRef& entry : contents.entries)
    {
        fuzz::Check(!entry.code.empty(), "empty code");
        fuzz::Check(entry.code.size() <= store::kMaxCodeBytes && entry.exchange.size() <= store::kMaxCodeBytes,
                    "code length bound");
        rows.push_back({entry.exchange, entry.code, "name, \"quoted\"\r\nacross lines"});
    }
    const store::WatchlistFileContents again = store::ReadWatchlistText(store::WatchlistCsv(rows));
    fuzz::Check(again.problem == store::WatchlistFileContents::None && again.entries == contents.entries,
                "round trip");
    return 0;
}
