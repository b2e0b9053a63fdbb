#pragma once
// Host records shared between the terminal and its plug-ins. The field order
// is part of the contract: plug-ins read these structures directly.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

/// Static data of one tradable instrument, owned by the host.
struct Instrument
{
    std::string assetId;       // names ./icon/asset/<assetId>.png
    std::string exchange;      // exchange code
    std::string code;          // instrument code
    std::string name;
    std::string flag;          // names ./icon/flag/<flag>.png
    std::string corporateAction;
    std::string tradingStatus;
    std::string currency;
    std::string sector;
    std::string type;
    int32_t decimals = -1;     // price decimals; negative = not given
};

/// Live quote of one instrument, owned by the host for as long as it runs.
struct Price
{
    Instrument* instrument = nullptr;
    std::string statusNote;
    std::string caNote;
    std::string extraNote;     // read only by tab filters
    double buy = 0.0;
    double sell = 0.0;
    double high = 0.0;
    double low = 0.0;
    double last = 0.0;
    double change = 0.0;
    double open = 0.0;
    double changePercent = 0.0;
    double closing = 0.0;
    double prevClose = 0.0;
    double buyVolume = 0.0;
    double sellVolume = 0.0;
    double cumVolume = 0.0;
    double cumValue = 0.0;
    double vwap = 0.0;
    double moneyFlow = 0.0;
    double amplitude = 0.0;
    int32_t deals = 0;
    std::string tradeDate;     // "%Y%m%d"
    std::string tradeTime;
    std::string secondDate;    // "%Y%m%d", used when there is no trade date
    char tradeType = ' ';      // '+' uptick, '-' downtick
};

/// One category of an exchange (a sector, an index, a board...).
struct Category
{
    std::string key;
    std::vector<Instrument*> instruments;  // in the exchange's order
};

/// Category tabs come in five kinds, numbered 2 to 6 like the tab types.
constexpr int kFirstCategoryKind = 2;
constexpr int kCategoryKindCount = 5;

/// The categories of one kind; `categories` keeps the exchange's order.
struct CategoryGroup
{
    std::string caption;                                // e.g. "Sector"
    std::vector<Category> categories;
    std::map<std::string, std::string> displayNames;    // key -> display name

    const Category* Find(const std::string& key) const
    {
        for (const Category& category : categories)
            if (category.key == key)
                return &category;
        return nullptr;
    }
};

/// A market place with its instruments and category groups.
struct Exchange
{
    std::string code;
    std::string name;          // display name
    std::string flag;          // flag icon code
    bool active = true;
    std::vector<Instrument*> instruments;               // every instrument, in order
    CategoryGroup groups[kCategoryKindCount];           // kinds 2..6

    /// The group of tab type `kind` (2..6), or null for any other value.
    const CategoryGroup* Group(int kind) const
    {
        if (kind < kFirstCategoryKind || kind >= kFirstCategoryKind + kCategoryKindCount)
            return nullptr;
        return &groups[kind - kFirstCategoryKind];
    }
};

using ExchangeList = std::vector<Exchange>;

/// Finds an exchange by code in the host's collection.
inline const Exchange* FindExchange(const ExchangeList& exchanges, const std::string& code)
{
    for (const Exchange& exchange : exchanges)
        if (exchange.code == code)
            return &exchange;
    return nullptr;
}

/// The signed-in user as far as plug-ins care.
struct UserProfile
{
    static constexpr uint32_t kAllowTrading = 0x10;
    std::string userName;
    uint32_t permissions = 0;
};
