#include "market/Catalogue.h"

#include <deque>
#include <unordered_map>
#include <utility>

// Instruments live in a deque so that adding more never moves the ones that
// plug-ins already point to; the whole store sits behind one pointer so that
// moving a Catalogue moves no record either.
struct Catalogue::Store
{
    std::deque<Instrument> instruments;
    std::vector<Instrument*> order;
    ExchangeList exchanges;
    std::unordered_map<std::string, Instrument*> byKey;
    std::unordered_map<const Instrument*, double> prevClose;
};

namespace {

std::string LookupKey(const std::string& code, const std::string& exchange)
{
    std::string key;
    key.reserve(code.size() + exchange.size() + 1);
    key.append(exchange).push_back('\n');
    key.append(code);
    return key;
}

}  // namespace

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
    const auto found = store_->byKey.find(LookupKey(code, exchange));
    return found == store_->byKey.end() ? nullptr : found->second;
}

double Catalogue::PrevClose(const Instrument* instrument) const
{
    if (!store_)
        return 0.0;
    const auto found = store_->prevClose.find(instrument);
    return found == store_->prevClose.end() ? 0.0 : found->second;
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
    store_->prevClose.reserve(store_->prevClose.size() + count);
    exchange.instruments.reserve(exchange.instruments.size() + count);
}

Instrument* Catalogue::AddInstrument(Exchange& exchange, Instrument instrument, double prevClose)
{
    // One lookup both refuses a taken code and files the new instrument.
    const auto [entry, added] = store_->byKey.try_emplace(LookupKey(instrument.code, exchange.code), nullptr);
    if (!added)
        return nullptr;
    Instrument& stored = store_->instruments.emplace_back(std::move(instrument));
    entry->second = &stored;
    stored.exchange = exchange.code;
    exchange.instruments.push_back(&stored);
    store_->order.push_back(&stored);
    store_->prevClose.emplace(&stored, prevClose);
    return &stored;
}
