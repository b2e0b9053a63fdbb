// Catalogue files the terminal refuses: every rejection names the file, the
// line and what is wrong, and hostile input is rejected rather than swallowed.

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "market/Catalogue.h"

namespace {

std::string ErrorOf(const std::string& xml)
{
    try
    {
        Catalogue::FromText(xml, "bad.xml");
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

// Hostile input is rejected rather than swallowed: a value past the
// attribute limit without echoing it, and nesting that would overflow a
// recursive parser's stack.
TEST(CatalogueErrors, EveryRejectionNamesFileLineAndWhatIsWrongAndHostileInputIsRejected)
{
    const std::string huge(Catalogue::kMaxAttributeBytes + 1, 'x');
    std::string deep = "<catalogue>";
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    const struct
    {
        std::string xml;
        std::string prefix;
        std::string mentioned;
    } cases[] = {
        {"<catalogue>\n<exchange code=\"A\">\n<instrument code=\"X\"\n</exchange>\n</catalogue>", "bad.xml:4:", ""},
        {"<catalogue>\n<exchange code=\"A\">\n</exchnge>\n</catalogue>", "bad.xml:3:", ""},
        {"<catalogue>\n<exchange code=\"A\">\n<instrument code=\"X\"/>\n", "bad.xml:", ""},
        {"this is not xml", "bad.xml:1:", ""},
        {"", "bad.xml", ""},
        {"<?xml version=\"1.0\"?>\n<catalog>\n</catalog>", "bad.xml:2:", "catalog"},
        {Wrap("<instrument name=\"Nameless\"/>"), "bad.xml:3:", "without code"},
        {"<catalogue><exchange name=\"X\"/></catalogue>", "bad.xml", "exchange without code"},
        {"<catalogue><exchange code=\"A\"/>\n<exchange code=\"A\"/></catalogue>", "bad.xml", "duplicate exchange"},
        {Wrap("<instrument code=\"DUP\"/>\n<instrument code=\"OK\"/>\n<instrument code=\"DUP\"/>"), "bad.xml:5:",
         "\"DUP\""},
        {Wrap("<instrument code=\"X1\" prevclose=\"12,5\"/>"), "bad.xml", "prevclose"},
        {Wrap("<instrument code=\"X1\" prevclose=\"1e999\"/>"), "bad.xml", "prevclose"},
        {Wrap("<instrument code=\"X1\" prevclose=\"-3\"/>"), "bad.xml", "prevclose"},
        {Wrap("<instrument code=\"X3\" decimals=\"2.5\"/>"), "bad.xml", "decimals"},
        {Wrap("<instrument code=\"X3\" decimals=\"99\"/>"), "bad.xml", "decimals"},
        {"<catalogue><exchange code=\"A\" active=\"maybe\"/></catalogue>", "bad.xml", "active"},
        {Wrap("<kind type=\"9\" caption=\"Odd\"/>"), "bad.xml:3:", "2..6"},
        {Wrap("<instrument code=\"Y\" categories=\"2:A 7:ALL\"/>"), "bad.xml", "2..6"},
        {Wrap("<instrument code=\"Y\" categories=\"TECH\"/>"), "bad.xml", "categories"},
        {Wrap("<instrument code=\"H\" name=\"" + huge + "\"/>"), "bad.xml:3:", "longer than"},
        {Wrap("<instrument code=\"" + huge + "\"/>"), "bad.xml:3:", "longer than"},
        {deep, "bad.xml:1:", "nested too deeply"},
    };
    for (const auto& c : cases)
    {
        const std::string message = ErrorOf(c.xml);
        SCOPED_TRACE(c.xml.substr(0, 80));
        EXPECT_EQ(message.rfind(c.prefix, 0), 0u) << message.substr(0, 200);
        EXPECT_NE(message.find(c.mentioned), std::string::npos) << message.substr(0, 200);
        EXPECT_LT(message.size(), 500u) << "the message must not echo the hostile value";
    }
    // Surrounding blanks are tolerated, as are explicit defaults and a value at the limit.
    EXPECT_EQ(ErrorOf(Wrap("<instrument code=\"X4\" prevclose=\" 7.25 \" decimals=\"-1\"/>")), "(accepted)");
    const std::string atLimit(Catalogue::kMaxAttributeBytes, 'y');
    EXPECT_EQ(ErrorOf(Wrap("<instrument code=\"OK\" name=\"" + atLimit + "\"/>")), "(accepted)");
}

// Plug-ins keep the catalogue's pointers and ask it by exchange and code:
// lookups must tell exchanges apart and stay right as a large market is added.
TEST(CatalogueLookups, FindAndPrevCloseHoldAsTheMarketGrowsAndMoves)
{
    Catalogue catalogue = Catalogue::FromText(
        "<catalogue>\n<exchange code=\"AAA\">\n<instrument code=\"X\" prevclose=\"12.5\"/>\n</exchange>\n"
        "<exchange code=\"BBB\">\n<instrument code=\"X\" prevclose=\"40\"/>\n</exchange>\n</catalogue>\n",
        "two.xml");
    Instrument* inA = catalogue.Find("X", "AAA");
    Instrument* inB = catalogue.Find("X", "BBB");
    ASSERT_TRUE(inA && inB);
    EXPECT_NE(inA, inB);
    EXPECT_EQ(catalogue.PrevClose(inA), 12.5);
    EXPECT_EQ(catalogue.PrevClose(inB), 40.0);
    EXPECT_EQ(catalogue.Find("X", "CCC"), nullptr);
    EXPECT_EQ(catalogue.Find("XA", "AA"), nullptr) << "the exchange and the code are not one text";

    // More than one chunk of instruments, twice, then the catalogue moves.
    catalogue.AddSynthetic(5000, 7);
    catalogue.AddSynthetic(5000, 8);
    Catalogue moved = std::move(catalogue);
    EXPECT_EQ(moved.Find("X", "AAA"), inA);
    EXPECT_EQ(inA->code, "X");
    ASSERT_EQ(moved.Instruments().size(), 10002u);
    for (Instrument* instrument : moved.Instruments())
        ASSERT_EQ(moved.Find(instrument->code, instrument->exchange), instrument) << instrument->code;
    EXPECT_GT(moved.PrevClose(moved.Instruments().back()), 0.0);

    // The same code in another catalogue is another instrument with its own close.
    const Catalogue other = Catalogue::FromText(
        "<catalogue>\n<exchange code=\"AAA\">\n<instrument code=\"X\" prevclose=\"99\"/>\n</exchange>\n</catalogue>\n",
        "other.xml");
    EXPECT_EQ(other.PrevClose(inA), 0.0);
    EXPECT_EQ(other.PrevClose(other.Find("X", "AAA")), 99.0);
}

}  // namespace
