// Attribute values of the layout trees: every malformed text falls back to
// the default, and texts keep their characters whatever the process locale.

#include <clocale>
#include <limits>
#include <string>

#include <boost/property_tree/ptree.hpp>
#include <gtest/gtest.h>

#include "layout/TreeValues.h"

namespace {

using layout::Tree;

Tree WithValue(const std::string& text)
{
    Tree tree;
    tree.put("a.<xmlattr>.v", text);
    return tree;
}

TEST(LayoutValues, BooleansAcceptOnlyTheFourSpellings)
{
    for (bool fallback : {false, true})
    {
        EXPECT_TRUE(layout::ReadBool(WithValue("true"), "a.<xmlattr>.v", fallback));
        EXPECT_TRUE(layout::ReadBool(WithValue("1"), "a.<xmlattr>.v", fallback));
        EXPECT_FALSE(layout::ReadBool(WithValue("false"), "a.<xmlattr>.v", fallback));
        EXPECT_FALSE(layout::ReadBool(WithValue("0"), "a.<xmlattr>.v", fallback));
        EXPECT_TRUE(layout::ReadBool(WithValue(" true "), "a.<xmlattr>.v", fallback));
        for (const char* other : {"yes", "no", "TRUE", "False", "2", "", "on", "truex"})
            EXPECT_EQ(fallback, layout::ReadBool(WithValue(other), "a.<xmlattr>.v", fallback)) << other;
        EXPECT_EQ(fallback, layout::ReadBool(Tree(), "a.<xmlattr>.v", fallback)) << "missing";
    }
}

TEST(LayoutValues, IntegersAreDecimal32BitAndDoublesFiniteAndLocaleIndependentOrTheDefault)
{
    EXPECT_EQ(42, layout::ParseInt("42", -1));
    EXPECT_EQ(-7, layout::ParseInt("-7", -1));
    EXPECT_EQ(12, layout::ParseInt(" 12\n", -1));
    EXPECT_EQ(5, layout::ParseInt("+5", -1));
    EXPECT_EQ(std::numeric_limits<int>::max(), layout::ParseInt("2147483647", -1));
    EXPECT_EQ(std::numeric_limits<int>::min(), layout::ParseInt("-2147483648", -1));
    for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999", "12abc", "abc", "", "1.5",
                            "0x10", "+-3", "- 3", "+"})
        EXPECT_EQ(-1, layout::ParseInt(bad, -1)) << bad;
    EXPECT_EQ(360, layout::ReadInt(Tree(), "a.<xmlattr>.v", 360));
    EXPECT_EQ(17, layout::ReadInt(WithValue("17"), "a.<xmlattr>.v", 360));

    // Doubles are finite and read the same whatever the locale.
    EXPECT_DOUBLE_EQ(1.25, layout::ParseDouble("1.25", -1.0));
    EXPECT_DOUBLE_EQ(-0.5, layout::ParseDouble("-0.5", -1.0));
    EXPECT_DOUBLE_EQ(1000.0, layout::ParseDouble("1e3", -1.0));
    EXPECT_DOUBLE_EQ(3.0, layout::ParseDouble("+3", -1.0));
    for (const char* bad : {"nan", "inf", "-inf", "1e999", "1,5", "x", "", "1.2.3", "4 5"})
        EXPECT_DOUBLE_EQ(-1.0, layout::ParseDouble(bad, -1.0)) << bad;

    // A comma-decimal locale must not change how stored numbers read.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
    {
        EXPECT_DOUBLE_EQ(1.25, layout::ParseDouble("1.25", -1.0));
        EXPECT_DOUBLE_EQ(-1.0, layout::ParseDouble("1,25", -1.0));
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(LayoutValues, NonAsciiTextSurvivesTheCLocaleAndLegacyBytesAreKept)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");

    const std::string stored = "Z\xC3\xBCrich \xE6\xA0\xAA\xE5\xBC\x8F";  // "Zürich 株式" in UTF-8
    const wxString shown = layout::ToWxString(stored);
    EXPECT_EQ(9u, shown.length());
    EXPECT_EQ(wxUniChar(0x00FC), shown[1]);
    EXPECT_EQ(wxUniChar(0x682A), shown[7]);
    EXPECT_EQ(stored, layout::ToTreeText(shown));

    std::setlocale(LC_ALL, previous.c_str());

    const wxString legacy = layout::ToWxString("\xE9t\xE9");  // Latin-1 "été", not UTF-8
    ASSERT_EQ(3u, legacy.length()) << "legacy bytes are kept rather than dropped";
    EXPECT_EQ(wxUniChar(0x00E9), legacy[0]);
    EXPECT_EQ(wxUniChar('t'), legacy[1]);
}

}  // namespace
