#include "market/Catalogue.h"

#include <functional>
#include <memory_resource>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "market/StableChunks.h"

namespace {

/// An instrument with the close its quotes start from, kept side by side so
/// that finding one finds the other.
struct Entry
{
    Instrument instrument;
    double prevClose = 0.0;
};

/// Exchange and code, viewing the stored instrument's own texts.
struct Key
{
    std::string_view exchange;
    std::string_view code;
    bool operator==(const Key& other) const { return exchange == other.exchange && code == other.code; }
};

struct KeyHash
{
    size_t operator()(const Key& key) const
    {
        const std::hash<std::string_view> hash;
        return hash(key.code) * 31u ^ hash(key.exchange);
    }
};

}  // namespace

// The whole store sits behind one pointer so that moving a Catalogue moves
// no record either. The index's nodes come from one growing buffer: the
// catalogue only ever grows, and a million small allocations were most of a
// large market's start.
struct Catalogue::Store
{
    StableChunks<Entry> entries;
    std::vector<Instrument*> order;
    ExchangeList exchanges;
    std::pmr::monotonic_buffer_resource indexMemory;
    std::pmr::unordered_map<Key, Entry*, KeyHash> byKey{&indexMemory};

    Entry* FindEntry(std::string_view code, std::string_view exchange) const
    {
        const auto found = byKey.find(Key{exchange, code});
        return found == byKey.end() ? nullptr : found->second;
    }
};

Catalogue::Catalogue() : store_(std::make_unique<Store>()) {}
Catalogue::~Catalogue() = default;
Catalogue::Catalogue(Catalogue&&) noexcept = default;
Catalogue& Catalogue::operator=(Catalogue&&) noexcept = default;

const ExchangeList& Catalogue::Exchanges() const
{
    static const ExchangeList none;
    return store_ ? store_->exchanges : none;
}

const std::vector<Instrument*>& Catalogue::Instruments() const
{
    static const std::vector<Instrument*> none;
    return store_ ? store_->order : none;
}

Instrument* Catalogue::Find(const std::string& code, const std::string& exchange) const
{
    if (!store_)
        return nullptr;
    Entry* entry = store_->FindEntry(code, exchange);
    return entry ? &entry->instrument : nullptr;
}

double Catalogue::PrevClose(const Instrument* instrument) const
{
    if (!store_ || !instrument)
        return 0.0;
    // Found by address: an instrument of another catalogue has no close here.
    const Entry* entry = store_->entries.OwnerOf(instrument, &Entry::instrument);
    return entry ? entry->prevClose : 0.0;
}

Exchange& Catalogue::AddExchange(const Exchange& exchange)
{
    store_->exchanges.push_back(exchange);
    return store_->exchanges.back();
}

Exchange* Catalogue::FindExchangeMutable(const std::string& code)
{
    for (Exchange& exchange : store_->exchanges)
        if (exchange.code == code)
            return &exchange;
    return nullptr;
}

void Catalogue::Reserve(Exchange& exchange, size_t count)
{
    store_->order.reserve(store_->order.size() + count);
    store_->byKey.reserve(store_->byKey.size() + count);
    exchange.instruments.reserve(exchange.instruments.size() + count);
}

Instrument* Catalogue::AddInstrument(Exchange& exchange, Instrument instrument, double prevClose)
{
    if (store_->FindEntry(instrument.code, exchange.code))
        return nullptr;
    Entry& entry = store_->entries.Add(Entry{std::move(instrument), prevClose});
    Instrument& stored = entry.instrument;
    stored.exchange = exchange.code;
    try
    {
        // The key views the stored texts, which stay where they are.
        store_->byKey.emplace(Key{stored.exchange, stored.code}, &entry);
    }
    catch (...)
    {
        store_->entries.DropLast();
        throw;
    }
    exchange.instruments.push_back(&stored);
    store_->order.push_back(&stored);
    return &stored;
}
