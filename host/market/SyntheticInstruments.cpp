// Generated instruments for load tests: enough variety in codes, names,
// categories and prices that large tabs look like a real market.

#include <array>
#include <cmath>
#include <utility>

#include "market/Catalogue.h"
#include "market/SeededRandom.h"

namespace {

const char* const kSyntheticCode = "SYN";

struct SectorInfo
{
    const char* key;
    const char* name;
};

const std::array<SectorInfo, 10> kSectors = {{
    {"TECH", "Technology"}, {"FIN", "Financials"}, {"HLTH", "Health Care"}, {"ENGY", "Energy"},
    {"INDU", "Industrials"}, {"CONS", "Consumer"}, {"UTIL", "Utilities"}, {"MATL", "Materials"},
    {"REAL", "Real Estate"}, {"TELE", "Telecom"},
}};

const std::array<const char*, 24> kNameStems = {
    "Northgate", "Bluewater", "Silverline", "Redwood", "Ironbridge", "Clearpath", "Summit", "Harborview",
    "Oakridge", "Brightstone", "Falconer", "Meridian", "Copperfield", "Westmark", "Stonehaven", "Larkspur",
    "Granite Peak", "Evergreen", "Crescent", "Pinecrest", "Tidewater", "Sterling Vale", "Aurora", "Kestrel",
};

const std::array<const char*, 12> kNameEndings = {
    "Holdings", "Systems", "Industries", "Group", "Technologies", "Partners",
    "Resources", "Labs", "Networks", "Capital", "Energy", "Foods",
};

struct KindInfo
{
    const char* caption;
    std::array<SectorInfo, 3> categories;
};

const std::array<KindInfo, 4> kOtherKinds = {{
    {"Index", {{{"SYN500", "Synthetic 500"}, {"SYNTECH", "Synthetic Tech 50"}, {"SYNDIV", "Synthetic Dividend"}}}},
    {"Board", {{{"MAIN", "Main Board"}, {"GROWTH", "Growth Board"}, {"SME", "SME Board"}}}},
    {"Liquidity tier", {{{"T1", "Tier 1"}, {"T2", "Tier 2"}, {"T3", "Tier 3"}}}},
    {"Theme", {{{"AI", "Artificial Intelligence"}, {"ESG", "Sustainability"}, {"YIELD", "High Yield"}}}},
}};

struct AssetInfo
{
    const char* asset;
    const char* type;
};

const std::array<AssetInfo, 6> kAssets = {{
    {"equity", "Common Stock"}, {"equity", "Common Stock"}, {"equity", "Common Stock"},
    {"etf", "ETF"}, {"warrant", "Warrant"}, {"reit", "REIT"},
}};

constexpr uint64_t kFourLetterCodes = 26ull * 26 * 26 * 26;

/// Letter code of the n-th synthetic instrument; scattered over the alphabet
/// rather than counting AAAA, AAAB... so sorted tabs look natural.
std::string SyntheticCode(uint64_t n)
{
    const bool fourLetters = n < kFourLetterCodes;
    const uint64_t space = fourLetters ? kFourLetterCodes : kFourLetterCodes * 26;
    // 7919 is prime and shares no factor with 26^k, so this is a permutation.
    uint64_t value = (n * 7919ull + 12345ull) % space;
    std::string code(fourLetters ? 4 : 5, 'A');
    for (auto it = code.rbegin(); it != code.rend(); ++it, value /= 26)
        *it = static_cast<char>('A' + value % 26);
    return code;
}

Exchange& SyntheticExchange(Catalogue& catalogue)
{
    if (Exchange* existing = catalogue.FindExchangeMutable(kSyntheticCode))
        return *existing;
    Exchange exchange;
    exchange.code = kSyntheticCode;
    exchange.name = "Synthetic Market";
    exchange.flag = "us";
    CategoryGroup& sectors = exchange.groups[0];
    sectors.caption = "Sector";
    for (const SectorInfo& sector : kSectors)
    {
        sectors.categories.push_back(Category{sector.key, {}});
        sectors.displayNames.emplace(sector.key, sector.name);
    }
    for (size_t kind = 0; kind < kOtherKinds.size(); ++kind)
    {
        CategoryGroup& group = exchange.groups[kind + 1];
        group.caption = kOtherKinds[kind].caption;
        for (const SectorInfo& category : kOtherKinds[kind].categories)
        {
            group.categories.push_back(Category{category.key, {}});
            group.displayNames.emplace(category.key, category.name);
        }
    }
    return catalogue.AddExchange(exchange);
}

void Join(CategoryGroup& group, size_t category, Instrument* instrument)
{
    group.categories[category].instruments.push_back(instrument);
}

}  // namespace

void Catalogue::AddSynthetic(int count, uint32_t seed)
{
    if (count <= 0)
        return;
    Exchange& exchange = SyntheticExchange(*this);
    Reserve(exchange, static_cast<size_t>(count));
    SeededRandom random(seed);
    uint64_t n = exchange.instruments.size();
    for (int added = 0; added < count; ++n)
    {
        const size_t sector = random.Below(kSectors.size());
        const AssetInfo& asset = kAssets[random.Below(kAssets.size())];
        Instrument instrument;
        instrument.code = SyntheticCode(n);
        instrument.name = std::string(kNameStems[random.Below(kNameStems.size())]) + " " +
                          kNameEndings[random.Below(kNameEndings.size())];
        instrument.assetId = asset.asset;
        instrument.type = asset.type;
        instrument.flag = "us";
        instrument.currency = "USD";
        instrument.sector = kSectors[sector].name;
        const bool penny = instrument.assetId == "warrant";
        instrument.decimals = random.Chance(0.1) ? -1 : (penny ? 3 : 2);
        // Log-uniform prices: most between 5 and 200, a few far above.
        const double prevClose = penny ? random.Uniform(0.05, 2.0)
                                       : std::round(std::exp(random.Uniform(std::log(5.0), std::log(900.0))) * 100) / 100;
        if (random.Chance(0.01))
            instrument.tradingStatus = "Halted";
        Instrument* stored = AddInstrument(exchange, std::move(instrument), prevClose);
        if (!stored)
            continue;  // taken by an earlier call with the same code
        ++added;
        Join(exchange.groups[0], sector, stored);
        if (n % 40 == 0 || sector == 0)
            Join(exchange.groups[1], sector == 0 ? 1 : 0, stored);
        if (random.Chance(0.15))
            Join(exchange.groups[1], 2, stored);
        Join(exchange.groups[2], random.Chance(0.7) ? 0 : (random.Chance(0.7) ? 1 : 2), stored);
        Join(exchange.groups[3], std::min<size_t>(2, random.Below(4)), stored);
        if (random.Chance(0.2))
            Join(exchange.groups[4], random.Below(3), stored);
    }
}
