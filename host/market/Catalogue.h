#pragma once
// The terminal's instrument catalogue: exchanges, their category groups and
// every instrument, read from the terminal's own XML catalogue file.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "contract/Records.h"

/// A catalogue file that cannot be used; what() names the source and where.
class CatalogueError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// Owns the instruments and exchanges; addresses stay valid for its lifetime,
/// across moves too, because plug-ins keep Instrument pointers. Texts are
/// kept as UTF-8, as the file has them.
class Catalogue
{
public:
    Catalogue();
    ~Catalogue();
    Catalogue(Catalogue&&) noexcept;
    Catalogue& operator=(Catalogue&&) noexcept;
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    /// Reads a catalogue file; throws CatalogueError.
    static Catalogue FromFile(const std::string& path);
    /// Reads catalogue XML held in memory; `sourceName` prefixes error messages.
    static Catalogue FromText(const std::string& xml, const std::string& sourceName);

    const ExchangeList& Exchanges() const;
    /// Every instrument, exchange by exchange, in file order.
    const std::vector<Instrument*>& Instruments() const;
    /// The instrument with that code on that exchange, or null.
    Instrument* Find(const std::string& code, const std::string& exchange) const;
    /// Previous close used to seed quotes; 0 when the catalogue gives none.
    double PrevClose(const Instrument* instrument) const;

    /// Adds (or extends) the exchange "SYN" with `count` generated instruments
    /// spread over categories of every kind, for load testing.
    void AddSynthetic(int count, uint32_t seed);

    /// Largest file or text accepted, and largest attribute value.
    static constexpr size_t kMaxSourceBytes = 128u * 1024u * 1024u;
    static constexpr size_t kMaxAttributeBytes = 4096;

    // Building interface, used by the reader and the synthetic generator.
    // Adding an exchange may move the other Exchange records (instruments
    // never move), so finish building before handing out Exchange pointers.
    Exchange& AddExchange(const Exchange& exchange);
    Exchange* FindExchangeMutable(const std::string& code);
    /// Appends an instrument to the exchange named by `instrument.exchange`;
    /// returns null when that code is already taken on that exchange.
    Instrument* AddInstrument(Exchange& exchange, Instrument instrument, double prevClose);

private:
    /// Room for `count` more instruments on `exchange`, so that adding a
    /// great many at once rehashes the lookups only once.
    void Reserve(Exchange& exchange, size_t count);

    struct Store;
    std::unique_ptr<Store> store_;
};
