#pragma once
// The watchlist store of the whole plug-in: what the store file holds, kept
// in memory, changed by one operation at a time, each written at once and
// told to every board. Window-free.

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "files/DurableFile.h"
#include "layout/LayoutEntries.h"
#include "layout/TreeValues.h"

namespace store
{

/// What an operation on the store changed, as its observers hear of it.
struct StoreChange
{
    enum Kind
    {
        Reloaded, // the file was read again: anything may differ; `names` went
        Created,  // `name` is new
        Renamed,  // `name` is now called `newName`
        Changed,  // the instruments of every list in `names` changed
        Deleted   // `name` is gone
    };
    Kind kind = Reloaded;
    std::string name;
    std::string newName;
    std::vector<std::string> names;
};

/// The shared store. Every operation first reads the file again when it
/// changed on disk (size, time or identity, then content), applies itself by
/// instrument identity, writes the file once through ReplaceFileContents and
/// tells every observer. An operation that fails throws, naming the path,
/// and leaves file, memory and observers as they were. Lists that share a
/// name are read as one and merged into the first at the first write of
/// that name. A file that was there and is gone is waited for (editors and
/// sync tools replace files by deleting them): meanwhile the lists read
/// before are what it holds and writes are refused; only a file missing at
/// kMissingChecks looks spread over kMissingGrace is an empty store.
class WatchlistStoreService
{
public:
    using PathSource = std::function<std::string()>;
    using Observer = std::function<void(const StoreChange&)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int kMissingChecks = 3;
    static constexpr std::chrono::seconds kMissingGrace{3};

    explicit WatchlistStoreService(PathSource path, Clock clock = std::chrono::steady_clock::now);
    ~WatchlistStoreService();

    /// Calls `observer` after every change until Forget(returned id).
    int Observe(Observer observer);
    void Forget(int id);

    std::string Path() const { return m_path(); }
    /// Reads the file again if it changed on disk; observers hear
    /// `Reloaded`, except of the very first read, which nobody saw before.
    /// False when the file cannot be read (see Problem).
    bool Refresh();
    /// Why the file could not be read last time, or empty.
    const std::string& Problem() const { return m_problem; }

    /// The stored names in store order, the file checked first; empty when
    /// it cannot be read.
    std::vector<std::string> Names();
    bool Has(const std::string& name);
    /// The instruments with both exchange and code of every list named
    /// `name`, in store order. Throws when the file cannot be read.
    std::vector<layout::InstrumentRef> Instruments(const std::string& name);

    /// Appends a new list. Throws when the name is stored already.
    void Create(const std::string& name, const std::vector<layout::InstrumentRef>& instruments);
    /// Stores `instruments` as a new list named `name` unless the store has
    /// one; true when it was created.
    bool CreateMissing(const std::string& name, const std::vector<layout::InstrumentRef>& instruments);
    /// Changes only the name of the list named `from`.
    void Rename(const std::string& from, const std::string& to);
    /// Applies what the user changed from `before` to `after` to the list
    /// named `name`, and names it `newName`: what left `before` goes,
    /// what is new to it comes, in `after`'s order; what another writer
    /// added meanwhile stays (after the user's order), what it took out
    /// stays out. Creates the list when it is missing.
    void Edit(const std::string& name, const std::string& newName, const std::vector<layout::InstrumentRef>& before,
              const std::vector<layout::InstrumentRef>& after);
    /// Appends to the list named `name` what it does not hold yet
    /// (creating the list when missing); returns what was appended.
    std::vector<layout::InstrumentRef> Add(const std::string& name, const std::vector<layout::InstrumentRef>& instruments);
    /// Takes every entry of `instruments` out of the list named `name`.
    void Remove(const std::string& name, const std::vector<layout::InstrumentRef>& instruments);
    /// Add to `to` and Remove from `from` in one write; returns what `to` gained.
    std::vector<layout::InstrumentRef> Move(const std::string& from, const std::string& to,
                                    const std::vector<layout::InstrumentRef>& instruments);
    /// Puts the instruments of the list named `name` that `order` holds into
    /// the order `order` gives them, in the places they took among the
    /// others: what another writer added meanwhile keeps its place, what it
    /// took out is not brought back. Nothing happens when there is no list.
    void Reorder(const std::string& name, const std::vector<layout::InstrumentRef>& order);
    /// Erases the list named `name`; nothing happens when there is none.
    void Delete(const std::string& name);

    /// One stored list as held in memory; instruments lacking an exchange or
    /// a code are kept as they were read.
    struct List
    {
        std::string name;
        std::vector<layout::InstrumentRef> instruments;
    };

private:
    struct Contents;
    struct DiskStamp
    {
        files::FileIdentity file;
        std::size_t hash = 0;
        bool operator==(const DiskStamp& other) const;
    };

    /// Brings memory in line with the file; throws when it cannot be read.
    void Synchronize();
    DiskStamp StampOf(const std::string& path) const;
    /// The file is missing: false while it is waited for.
    bool BelieveMissing();
    void Commit(Contents next, const std::vector<StoreChange>& changes);
    void Notify(const StoreChange& change);
    int FirstIndexOf(const Contents& contents, const std::string& name) const;
    /// Makes every list named `name` in `contents` one, at the first one's
    /// place; returns its index, or -1 when there is none.
    static int MergeLists(Contents& contents, const std::string& name);
    static std::vector<std::string> Gone(const Contents& before, const Contents& after);

    PathSource m_path;
    Clock m_clock;
    std::unique_ptr<Contents> m_contents;
    bool m_checked = false;                                        // Synchronize ran before
    int m_missingChecks = 0;                                       // looks at a file that went
    std::chrono::steady_clock::time_point m_missingSince;
    DiskStamp m_stamp;
    std::string m_problem;
    std::map<int, Observer> m_observers;
    int m_nextObserver = 1;
};

} // namespace store
