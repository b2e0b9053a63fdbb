// Catalogue files the terminal refuses: every rejection names the file, the
// line and what is wrong, and hostile input is rejected rather than swallowed.

#include <string>

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

TEST(CatalogueErrors, EveryRejectionNamesFileLineAndWhatIsWrong)
{
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
    };
    for (const auto& c : cases)
    {
        const std::string message = ErrorOf(c.xml);
        SCOPED_TRACE(c.xml.substr(0, 80));
        EXPECT_EQ(message.rfind(c.prefix, 0), 0u) << message;
        EXPECT_NE(message.find(c.mentioned), std::string::npos) << message;
    }
    // Surrounding blanks are tolerated, as are explicit defaults.
    EXPECT_EQ(ErrorOf(Wrap("<instrument code=\"X4\" prevclose=\" 7.25 \" decimals=\"-1\"/>")), "(accepted)");
}

TEST(CatalogueErrors, HostileInputIsRejectedNotSwallowed)
{
    const std::string huge(Catalogue::kMaxAttributeBytes + 1, 'x');
    for (const std::string& xml : {Wrap("<instrument code=\"H\" name=\"" + huge + "\"/>"),
                                   Wrap("<instrument code=\"" + huge + "\"/>")})
    {
        const std::string message = ErrorOf(xml);
        EXPECT_NE(message.find("longer than"), std::string::npos) << message.substr(0, 200);
        EXPECT_LT(message.size(), 500u) << "the message must not echo the hostile value";
    }
    const std::string atLimit(Catalogue::kMaxAttributeBytes, 'y');
    EXPECT_EQ(ErrorOf(Wrap("<instrument code=\"OK\" name=\"" + atLimit + "\"/>")), "(accepted)");

    // Deep nesting would overflow a recursive parser's stack.
    std::string deep = "<catalogue>";
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    EXPECT_NE(ErrorOf(deep).find("nested too deeply"), std::string::npos);
}

}  // namespace
