// The shipped demo catalogue: it loads, and it has what the terminal's demo
// needs (several markets, every kind of category, icons for every code).

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>
#include <wx/filename.h>

#include "market/Catalogue.h"

namespace {

const std::set<std::string> kAssetIds = {"equity", "etf", "bond", "warrant", "fund",
                                         "reit", "index", "future", "option", "fx"};
const std::set<std::string> kFlagCodes = {"us", "gb", "de", "fr", "nl", "ch", "jp", "hk", "cn",
                                          "sg", "au", "ca", "kr", "eu", "se", "it", "es", "in", "br"};

bool AllDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool AllLetters(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isupper(c); });
}

class DemoCatalogue : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { catalogue_ = new Catalogue(Catalogue::FromFile("data/catalogue.xml")); }
    static void TearDownTestSuite()
    {
        delete catalogue_;
        catalogue_ = nullptr;
    }
    static Catalogue* catalogue_;
};

Catalogue* DemoCatalogue::catalogue_ = nullptr;

TEST_F(DemoCatalogue, HasSeveralMarketsAndEnoughInstruments)
{
    size_t active = 0;
    size_t inactive = 0;
    std::set<std::string> currencies;
    for (const Exchange& exchange : catalogue_->Exchanges())
    {
        (exchange.active ? active : inactive) += 1;
        EXPECT_FALSE(exchange.name.empty()) << exchange.code;
        EXPECT_EQ(kFlagCodes.count(exchange.flag), 1u) << exchange.code;
        ASSERT_FALSE(exchange.instruments.empty()) << exchange.code;
        if (exchange.active)
            currencies.insert(exchange.instruments.front()->currency);
    }
    EXPECT_GE(active, 3u);
    EXPECT_GE(inactive, 1u);
    EXPECT_GE(currencies.size(), 3u);
    EXPECT_GE(catalogue_->Instruments().size(), 300u);
}

TEST_F(DemoCatalogue, EveryActiveExchangeHasCategoryKinds)
{
    bool someKindSix = false;
    for (const Exchange& exchange : catalogue_->Exchanges())
    {
        if (!exchange.active)
            continue;
        for (int kind = 2; kind <= 5; ++kind)
        {
            const CategoryGroup& group = *exchange.Group(kind);
            EXPECT_FALSE(group.caption.empty()) << exchange.code << " kind " << kind;
            ASSERT_FALSE(group.categories.empty()) << exchange.code << " kind " << kind;
            for (const Category& category : group.categories)
                EXPECT_FALSE(category.instruments.empty()) << exchange.code << " " << category.key;
        }
        someKindSix |= !exchange.Group(6)->categories.empty();
        size_t sectorMembers = 0;
        for (const Category& sector : exchange.Group(2)->categories)
            sectorMembers += sector.instruments.size();
        EXPECT_EQ(sectorMembers, exchange.instruments.size()) << exchange.code << ": one sector each";
    }
    EXPECT_TRUE(someKindSix);
}

TEST_F(DemoCatalogue, CodesFollowEachMarketsStyle)
{
    const std::map<std::string, std::pair<size_t, size_t>> numericLengths = {{"KTX", {4, 4}}, {"HBX", {4, 5}}};
    for (const Exchange& exchange : catalogue_->Exchanges())
    {
        const auto numeric = numericLengths.find(exchange.code);
        for (const Instrument* instrument : exchange.instruments)
        {
            if (numeric != numericLengths.end())
            {
                EXPECT_TRUE(AllDigits(instrument->code)) << instrument->code;
                EXPECT_GE(instrument->code.size(), numeric->second.first) << instrument->code;
                EXPECT_LE(instrument->code.size(), numeric->second.second) << instrument->code;
            }
            else if (exchange.code == "AMX" || exchange.code == "RHX")
            {
                EXPECT_TRUE(AllLetters(instrument->code)) << instrument->code;
            }
            if (exchange.code == "KTX" && instrument->assetId == "equity")
            {
                EXPECT_LE(instrument->decimals, 0) << instrument->code;
            }
        }
    }
    ASSERT_NE(FindExchange(catalogue_->Exchanges(), "KTX"), nullptr);
    ASSERT_NE(FindExchange(catalogue_->Exchanges(), "HBX"), nullptr);
}

TEST_F(DemoCatalogue, InstrumentsAreCompleteAndVaried)
{
    std::set<std::string> assets;
    std::set<std::string> statuses;
    size_t withoutDecimals = 0;
    size_t withCorporateAction = 0;
    for (const Instrument* instrument : catalogue_->Instruments())
    {
        EXPECT_EQ(kAssetIds.count(instrument->assetId), 1u) << instrument->code << " " << instrument->assetId;
        EXPECT_EQ(kFlagCodes.count(instrument->flag), 1u) << instrument->code << " " << instrument->flag;
        EXPECT_FALSE(instrument->name.empty()) << instrument->code;
        EXPECT_FALSE(instrument->sector.empty()) << instrument->code;
        EXPECT_FALSE(instrument->type.empty()) << instrument->code;
        EXPECT_FALSE(instrument->currency.empty()) << instrument->code;
        EXPECT_GT(catalogue_->PrevClose(instrument), 0.0) << instrument->code;
        assets.insert(instrument->assetId);
        if (!instrument->tradingStatus.empty())
            statuses.insert(instrument->tradingStatus);
        withoutDecimals += instrument->decimals < 0 ? 1 : 0;
        withCorporateAction += instrument->corporateAction.empty() ? 0 : 1;
    }
    EXPECT_EQ(assets, kAssetIds) << "every asset kind should appear in the demo";
    EXPECT_TRUE(statuses.count("Halted"));
    EXPECT_TRUE(statuses.count("Pre-open"));
    EXPECT_GE(withCorporateAction, 3u);
    const double share = static_cast<double>(withoutDecimals) / catalogue_->Instruments().size();
    EXPECT_GT(share, 0.05);
    EXPECT_LT(share, 0.2);
}

TEST_F(DemoCatalogue, EveryFlagAndAssetHasAnIcon)
{
    // The icon set is drawn separately; until it lands only the code lists
    // above can be checked.
    if (!wxFileName::DirExists("icon/flag") || !wxFileName::DirExists("icon/asset"))
        GTEST_SKIP() << "icon folders not present yet";
    std::set<std::string> flags;
    std::set<std::string> assets;
    for (const Instrument* instrument : catalogue_->Instruments())
    {
        flags.insert(instrument->flag);
        assets.insert(instrument->assetId);
    }
    for (const Exchange& exchange : catalogue_->Exchanges())
        flags.insert(exchange.flag);
    for (const std::string& flag : flags)
        EXPECT_TRUE(wxFileName::FileExists("icon/flag/" + flag + ".png")) << flag;
    for (const std::string& asset : assets)
        EXPECT_TRUE(wxFileName::FileExists("icon/asset/" + asset + ".png")) << asset;
}

}  // namespace
