// Reading catalogue files: structure, defaults, rejected input, lookups and
// the generated load-test market.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "market/Catalogue.h"

namespace {

const char* const kSample = R"(<?xml version="1.0" encoding="UTF-8"?>
<catalogue>
  <exchange code="AAA" name="Alpha Exchange" flag="us">
    <kind type="2" caption="Sector">
      <category key="TECH" name="Technology"/>
      <category key="FIN"/>
    </kind>
    <kind type="3" caption="Index">
      <category key="IDX" name="Alpha 10"/>
    </kind>
    <instrument code="ZED" name="Zed Corp" asset="equity" flag="us" currency="USD" sector="Technology"
                type="Common Stock" decimals="2" status="Halted" ca="XD 0.42" categories="2:TECH 3:IDX"
                prevclose="12.34"/>
    <instrument code="ABC" name="Abc &amp; Sons" asset="etf" categories="2:FIN 2:TECH 5:NEW 2:FIN" prevclose="100"/>
    <instrument code="MID" categories="2:TECH" decimals="0"/>
  </exchange>
  <exchange code="BBB" name="Beta Bourse" flag="de" active="false">
    <instrument code="ZED" name="Zed Beta" categories="4:MAIN" prevclose="1500"/>
    <kind type="4" caption="Board"><category key="MAIN" name="Main Board"/></kind>
  </exchange>
</catalogue>
)";

std::string ErrorOf(const std::string& xml, const std::string& source = "bad.xml")
{
    try
    {
        Catalogue::FromText(xml, source);
    }
    catch (const CatalogueError& error)
    {
        return error.what();
    }
    return "(accepted)";
}

std::string Wrap(const std::string& instruments)
{
    return "<catalogue>\n<exchange code=\"AAA\">\n" + instruments + "\n</exchange>\n</catalogue>\n";
}

std::vector<std::string> Codes(const std::vector<Instrument*>& instruments)
{
    std::vector<std::string> codes;
    for (const Instrument* instrument : instruments)
        codes.push_back(instrument->code);
    return codes;
}

using Strings = std::vector<std::string>;

TEST(CatalogueReading, ExchangesKindsAndDisplayNames)
{
    const Catalogue catalogue = Catalogue::FromText(kSample, "sample.xml");
    const ExchangeList& exchanges = catalogue.Exchanges();
    ASSERT_EQ(exchanges.size(), 2u);
    EXPECT_EQ(exchanges[0].code, "AAA");
    EXPECT_EQ(exchanges[0].name, "Alpha Exchange");
    EXPECT_EQ(exchanges[0].flag, "us");
    EXPECT_TRUE(exchanges[0].active);
    EXPECT_EQ(exchanges[1].code, "BBB");
    EXPECT_FALSE(exchanges[1].active);

    const CategoryGroup& sectors = *exchanges[0].Group(2);
    EXPECT_EQ(sectors.caption, "Sector");
    ASSERT_EQ(sectors.categories.size(), 2u);
    EXPECT_EQ(sectors.categories[0].key, "TECH");
    EXPECT_EQ(sectors.categories[1].key, "FIN");
    EXPECT_EQ(sectors.displayNames.at("TECH"), "Technology");
    EXPECT_EQ(sectors.displayNames.count("FIN"), 0u) << "a category without name has no display name";
    EXPECT_EQ(exchanges[0].Group(3)->displayNames.at("IDX"), "Alpha 10");

    // Referenced but never declared: created, without caption or display name.
    const CategoryGroup& undeclared = *exchanges[0].Group(5);
    EXPECT_TRUE(undeclared.caption.empty());
    ASSERT_NE(undeclared.Find("NEW"), nullptr);
    EXPECT_TRUE(undeclared.displayNames.empty());
    EXPECT_EQ(Codes(undeclared.Find("NEW")->instruments), Strings({"ABC"}));
    EXPECT_TRUE(exchanges[0].Group(6)->categories.empty());
}

TEST(CatalogueReading, MembershipsKeepFileOrderWithoutDuplicates)
{
    const Catalogue catalogue = Catalogue::FromText(kSample, "sample.xml");
    const Exchange& alpha = catalogue.Exchanges()[0];
    EXPECT_EQ(Codes(alpha.Group(2)->Find("TECH")->instruments), Strings({"ZED", "ABC", "MID"}));
    EXPECT_EQ(Codes(alpha.Group(2)->Find("FIN")->instruments), Strings({"ABC"}));
    EXPECT_EQ(Codes(alpha.Group(3)->Find("IDX")->instruments), Strings({"ZED"}));
    EXPECT_EQ(Codes(alpha.instruments), Strings({"ZED", "ABC", "MID"}));
    // A kind declared after the instruments that use it still gets its name.
    const Exchange& beta = catalogue.Exchanges()[1];
    EXPECT_EQ(beta.Group(4)->caption, "Board");
    EXPECT_EQ(beta.Group(4)->displayNames.at("MAIN"), "Main Board");
    EXPECT_EQ(Codes(beta.Group(4)->Find("MAIN")->instruments), Strings({"ZED"}));
    EXPECT_EQ(Codes(catalogue.Instruments()), Strings({"ZED", "ABC", "MID", "ZED"}));
}

TEST(CatalogueReading, InstrumentFieldsAndDefaults)
{
    const Catalogue catalogue = Catalogue::FromText(kSample, "sample.xml");
    const Instrument* zed = catalogue.Find("ZED", "AAA");
    ASSERT_NE(zed, nullptr);
    EXPECT_EQ(zed->exchange, "AAA");
    EXPECT_EQ(zed->name, "Zed Corp");
    EXPECT_EQ(zed->assetId, "equity");
    EXPECT_EQ(zed->flag, "us");
    EXPECT_EQ(zed->currency, "USD");
    EXPECT_EQ(zed->sector, "Technology");
    EXPECT_EQ(zed->type, "Common Stock");
    EXPECT_EQ(zed->decimals, 2);
    EXPECT_EQ(zed->tradingStatus, "Halted");
    EXPECT_EQ(zed->corporateAction, "XD 0.42");
    EXPECT_DOUBLE_EQ(catalogue.PrevClose(zed), 12.34);

    const Instrument* abc = catalogue.Find("ABC", "AAA");
    ASSERT_NE(abc, nullptr);
    EXPECT_EQ(abc->name, "Abc & Sons");
    EXPECT_EQ(abc->decimals, -1) << "missing decimals means not given";
    EXPECT_TRUE(abc->flag.empty());
    EXPECT_TRUE(abc->currency.empty());
    EXPECT_TRUE(abc->tradingStatus.empty());
    EXPECT_DOUBLE_EQ(catalogue.PrevClose(abc), 100.0);

    const Instrument* mid = catalogue.Find("MID", "AAA");
    ASSERT_NE(mid, nullptr);
    EXPECT_EQ(mid->decimals, 0);
    EXPECT_TRUE(mid->name.empty());
    EXPECT_EQ(catalogue.PrevClose(mid), 0.0);
}

TEST(CatalogueReading, AcceptsByteOrderMarkAndUtf8Text)
{
    const std::string xml = "\xEF\xBB\xBF<catalogue><exchange code=\"RHX\">"
                            "<instrument code=\"ALT\" name=\"Altm\xC3\xBChl AG\"/></exchange></catalogue>";
    const Catalogue catalogue = Catalogue::FromText(xml, "bom.xml");
    ASSERT_NE(catalogue.Find("ALT", "RHX"), nullptr);
    EXPECT_EQ(catalogue.Find("ALT", "RHX")->name, "Altm\xC3\xBChl AG");
}

TEST(CatalogueLookup, FindsByCodeAndExchange)
{
    Catalogue catalogue = Catalogue::FromText(kSample, "sample.xml");
    const Instrument* alphaZed = catalogue.Find("ZED", "AAA");
    const Instrument* betaZed = catalogue.Find("ZED", "BBB");
    ASSERT_NE(alphaZed, nullptr);
    ASSERT_NE(betaZed, nullptr);
    EXPECT_NE(alphaZed, betaZed);
    EXPECT_EQ(betaZed->name, "Zed Beta");
    EXPECT_EQ(catalogue.Find("ZED", "CCC"), nullptr);
    EXPECT_EQ(catalogue.Find("zed", "AAA"), nullptr);
    EXPECT_EQ(catalogue.Find("ABC", "BBB"), nullptr);
    EXPECT_EQ(catalogue.Find("", ""), nullptr);

    // Plug-ins keep these pointers: moving the catalogue must not move records.
    Catalogue moved = std::move(catalogue);
    EXPECT_EQ(moved.Find("ZED", "AAA"), alphaZed);
    EXPECT_EQ(moved.Exchanges()[0].instruments[0], alphaZed);
    EXPECT_DOUBLE_EQ(moved.PrevClose(betaZed), 1500.0);
}

TEST(CatalogueErrors, SyntaxErrorsNameFileAndLine)
{
    const std::string unclosedTag = "<catalogue>\n<exchange code=\"A\">\n<instrument code=\"X\"\n</exchange>\n</catalogue>";
    EXPECT_EQ(ErrorOf(unclosedTag).rfind("bad.xml:4:", 0), 0u) << ErrorOf(unclosedTag);

    const std::string wrongClosing = "<catalogue>\n<exchange code=\"A\">\n</exchnge>\n</catalogue>";
    EXPECT_EQ(ErrorOf(wrongClosing).rfind("bad.xml:3:", 0), 0u) << ErrorOf(wrongClosing);

    const std::string truncated = "<catalogue>\n<exchange code=\"A\">\n<instrument code=\"X\"/>\n";
    EXPECT_EQ(ErrorOf(truncated).rfind("bad.xml:", 0), 0u) << ErrorOf(truncated);

    const std::string windowsLines = "<catalogue>\r\n<exchange code=\"A\">\r\n</exchnge>\r\n</catalogue>\r\n";
    EXPECT_EQ(ErrorOf(windowsLines).rfind("bad.xml:3:", 0), 0u) << ErrorOf(windowsLines);

    EXPECT_EQ(ErrorOf("this is not xml").rfind("bad.xml:1:", 0), 0u) << ErrorOf("this is not xml");
    EXPECT_NE(ErrorOf(""), "(accepted)");
}

TEST(CatalogueErrors, WrongRootAndMissingCodes)
{
    const std::string wrongRoot = ErrorOf("<?xml version=\"1.0\"?>\n<catalog>\n</catalog>");
    EXPECT_NE(wrongRoot.find("bad.xml:2:"), std::string::npos) << wrongRoot;
    EXPECT_NE(wrongRoot.find("catalog"), std::string::npos) << wrongRoot;

    const std::string noCode = ErrorOf(Wrap("<instrument name=\"Nameless\"/>"));
    EXPECT_NE(noCode.find("bad.xml:3:"), std::string::npos) << noCode;
    EXPECT_NE(noCode.find("without code"), std::string::npos) << noCode;

    const std::string noExchangeCode = ErrorOf("<catalogue><exchange name=\"X\"/></catalogue>");
    EXPECT_NE(noExchangeCode.find("exchange without code"), std::string::npos) << noExchangeCode;

    const std::string twoExchanges = ErrorOf("<catalogue><exchange code=\"A\"/>\n<exchange code=\"A\"/></catalogue>");
    EXPECT_NE(twoExchanges.find("duplicate exchange"), std::string::npos) << twoExchanges;
}

TEST(CatalogueErrors, DuplicateCodeNamesInstrumentAndLine)
{
    const std::string message = ErrorOf(Wrap("<instrument code=\"DUP\"/>\n<instrument code=\"OK\"/>\n<instrument code=\"DUP\"/>"));
    EXPECT_EQ(message.rfind("bad.xml:5:", 0), 0u) << message;
    EXPECT_NE(message.find("\"DUP\""), std::string::npos) << message;
    EXPECT_NE(message.find("\"AAA\""), std::string::npos) << message;
    EXPECT_NE(message.find("duplicate"), std::string::npos) << message;
}

TEST(CatalogueErrors, BadNumbersNameInstrumentAndAttribute)
{
    const std::string comma = ErrorOf(Wrap("<instrument code=\"X1\" prevclose=\"12,5\"/>"));
    EXPECT_NE(comma.find("\"X1\""), std::string::npos) << comma;
    EXPECT_NE(comma.find("prevclose"), std::string::npos) << comma;

    for (const char* value : {"abc", "1e999", "nan", "-3", "12.5x"})
    {
        const std::string message = ErrorOf(Wrap(std::string("<instrument code=\"X2\" prevclose=\"") + value + "\"/>"));
        EXPECT_NE(message.find("prevclose"), std::string::npos) << value << ": " << message;
    }
    for (const char* value : {"two", "2.5", "-2", "99"})
    {
        const std::string message = ErrorOf(Wrap(std::string("<instrument code=\"X3\" decimals=\"") + value + "\"/>"));
        EXPECT_NE(message.find("\"X3\""), std::string::npos) << value << ": " << message;
        EXPECT_NE(message.find("decimals"), std::string::npos) << value << ": " << message;
    }
    const std::string active = ErrorOf("<catalogue><exchange code=\"A\" active=\"maybe\"/></catalogue>");
    EXPECT_NE(active.find("active"), std::string::npos) << active;
    // Surrounding blanks are tolerated, as are explicit defaults.
    EXPECT_EQ(ErrorOf(Wrap("<instrument code=\"X4\" prevclose=\" 7.25 \" decimals=\"-1\"/>")), "(accepted)");
}

TEST(CatalogueErrors, CategoryKindsOutsideTheFiveKinds)
{
    const std::string kind9 = ErrorOf(Wrap("<kind type=\"9\" caption=\"Odd\"/>"));
    EXPECT_EQ(kind9.rfind("bad.xml:3:", 0), 0u) << kind9;
    EXPECT_NE(kind9.find("2..6"), std::string::npos) << kind9;
    EXPECT_NE(ErrorOf(Wrap("<kind type=\"1\"/>")).find("2..6"), std::string::npos);
    EXPECT_NE(ErrorOf(Wrap("<kind/>")).find("2..6"), std::string::npos);

    const std::string member = ErrorOf(Wrap("<instrument code=\"Y\" categories=\"2:A 7:ALL\"/>"));
    EXPECT_NE(member.find("\"Y\""), std::string::npos) << member;
    EXPECT_NE(member.find("2..6"), std::string::npos) << member;
    const std::string noKey = ErrorOf(Wrap("<instrument code=\"Y\" categories=\"3:\"/>"));
    EXPECT_NE(noKey.find("categories"), std::string::npos) << noKey;
    const std::string noKind = ErrorOf(Wrap("<instrument code=\"Y\" categories=\"TECH\"/>"));
    EXPECT_NE(noKind.find("categories"), std::string::npos) << noKind;
}

TEST(CatalogueErrors, HostileInputIsRejectedNotSwallowed)
{
    const std::string huge(Catalogue::kMaxAttributeBytes + 1, 'x');
    const std::string longName = ErrorOf(Wrap("<instrument code=\"H\" name=\"" + huge + "\"/>"));
    EXPECT_NE(longName.find("longer than"), std::string::npos) << longName.substr(0, 200);
    EXPECT_LT(longName.size(), 500u) << "the message must not echo the hostile value";
    const std::string longCode = ErrorOf(Wrap("<instrument code=\"" + huge + "\"/>"));
    EXPECT_NE(longCode.find("longer than"), std::string::npos) << longCode.substr(0, 200);
    EXPECT_LT(longCode.size(), 500u);

    // Deep nesting would overflow a recursive parser's stack.
    std::string deep = "<catalogue>";
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    const std::string nested = ErrorOf(deep);
    EXPECT_NE(nested.find("nested too deeply"), std::string::npos) << nested;

    const std::string atLimit(Catalogue::kMaxAttributeBytes, 'y');
    EXPECT_EQ(ErrorOf(Wrap("<instrument code=\"OK\" name=\"" + atLimit + "\"/>")), "(accepted)");
}

TEST(CatalogueFiles, ReadsFileAndNamesItInErrors)
{
    const std::string path = ::testing::TempDir() + "catalogue_test_broken.xml";
    {
        std::ofstream out(path);
        out << "<catalogue>\n<exchange code=\"A\">\n\n<instrument code=\"X\" prevclose=\"1\"\n</exchange>\n";
    }
    try
    {
        Catalogue::FromFile(path);
        ADD_FAILURE() << "a broken file was accepted";
    }
    catch (const CatalogueError& error)
    {
        EXPECT_EQ(std::string(error.what()).rfind(path + ":5:", 0), 0u) << error.what();
    }
    {
        std::ofstream out(path);
        out << kSample;
    }
    EXPECT_EQ(Catalogue::FromFile(path).Instruments().size(), 4u);
    std::remove(path.c_str());

    const std::string missing = ::testing::TempDir() + "no_such_catalogue.xml";
    try
    {
        Catalogue::FromFile(missing);
        ADD_FAILURE() << "a missing file was accepted";
    }
    catch (const CatalogueError& error)
    {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
}

TEST(SyntheticMarket, AddsTwentyThousandDistinctInstruments)
{
    Catalogue catalogue = Catalogue::FromText(kSample, "sample.xml");
    const Instrument* before = catalogue.Find("ZED", "AAA");
    catalogue.AddSynthetic(20000, 7);
    const Exchange* synthetic = FindExchange(catalogue.Exchanges(), "SYN");
    ASSERT_NE(synthetic, nullptr);
    EXPECT_EQ(synthetic->name, "Synthetic Market");
    EXPECT_TRUE(synthetic->active);
    ASSERT_EQ(synthetic->instruments.size(), 20000u);
    EXPECT_EQ(catalogue.Instruments().size(), 20004u);
    EXPECT_EQ(catalogue.Find("ZED", "AAA"), before);

    std::set<std::string> codes;
    for (const Instrument* instrument : synthetic->instruments)
    {
        codes.insert(instrument->code);
        ASSERT_EQ(catalogue.Find(instrument->code, "SYN"), instrument) << instrument->code;
        ASSERT_GT(catalogue.PrevClose(instrument), 0.0) << instrument->code;
        ASSERT_FALSE(instrument->name.empty());
        ASSERT_FALSE(instrument->assetId.empty());
        ASSERT_EQ(instrument->exchange, "SYN");
        ASSERT_TRUE(instrument->code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos)
            << instrument->code;
    }
    EXPECT_EQ(codes.size(), 20000u);

    for (int kind = 2; kind <= 6; ++kind)
    {
        const CategoryGroup& group = *synthetic->Group(kind);
        EXPECT_FALSE(group.caption.empty()) << kind;
        size_t members = 0;
        for (const Category& category : group.categories)
        {
            EXPECT_EQ(group.displayNames.count(category.key), 1u) << category.key;
            members += category.instruments.size();
            for (const Instrument* instrument : category.instruments)
                ASSERT_EQ(instrument->exchange, "SYN");
        }
        EXPECT_GT(members, 1000u) << "kind " << kind << " should have sizable categories";
    }
    size_t inSectors = 0;
    for (const Category& sector : synthetic->Group(2)->categories)
        inSectors += sector.instruments.size();
    EXPECT_EQ(inSectors, 20000u) << "every instrument has exactly one sector";
}

TEST(SyntheticMarket, SeededAndExtendable)
{
    Catalogue first;
    Catalogue second;
    first.AddSynthetic(300, 42);
    second.AddSynthetic(300, 42);
    const auto& a = first.Instruments();
    const auto& b = second.Instruments();
    ASSERT_EQ(a.size(), b.size());
    bool anyNameDiffers = false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        EXPECT_EQ(a[i]->code, b[i]->code);
        EXPECT_EQ(a[i]->name, b[i]->name);
        EXPECT_EQ(first.PrevClose(a[i]), second.PrevClose(b[i]));
        anyNameDiffers |= a[i]->name != a[0]->name;
    }
    EXPECT_TRUE(anyNameDiffers);

    const Instrument* firstOne = a.front();
    first.AddSynthetic(5000, 43);
    EXPECT_EQ(first.Instruments().front(), firstOne) << "earlier instruments keep their address";
    ASSERT_EQ(first.Exchanges().size(), 1u);
    std::set<std::string> codes;
    for (const Instrument* instrument : first.Exchanges()[0].instruments)
        codes.insert(instrument->code);
    EXPECT_EQ(codes.size(), 5300u);
}

}  // namespace
