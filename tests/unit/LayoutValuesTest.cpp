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

TEST(LayoutValues, BooleansTakeFourSpellingsIntegersDecimal32BitDoublesFiniteAndLocaleFreeOrTheDefault)
{
    for (bool fallback : {false, true})
    {
        for (const auto& [text, value] : {std::pair{"true", true}, {"1", true}, {"false", false}, {"0", false},
                                          {" true ", true}})
            EXPECT_EQ(value, layout::ReadBool(WithValue(text), "a.<xmlattr>.v", fallback)) << text;
        for (const char* other : {"yes", "no", "TRUE", "False", "2", "", "on", "truex"})
            EXPECT_EQ(fallback, layout::ReadBool(WithValue(other), "a.<xmlattr>.v", fallback)) << other;
        EXPECT_EQ(fallback, layout::ReadBool(Tree(), "a.<xmlattr>.v", fallback)) << "missing";
    }

    // Integers are decimal and 32-bit.
    for (const auto& [text, value] : {std::pair{"42", 42}, {"-7", -7}, {" 12\n", 12}, {"+5", 5},
                                      {"2147483647", std::numeric_limits<int>::max()},
                                      {"-2147483648", std::numeric_limits<int>::min()}})
        EXPECT_EQ(value, layout::ParseInt(text, -1)) << text;
    for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999", "12abc", "abc", "", "1.5",
                            "0x10", "+-3", "- 3", "+"})
        EXPECT_EQ(-1, layout::ParseInt(bad, -1)) << bad;

    // Doubles are finite and read the same whatever the locale.
    for (const auto& [text, value] : {std::pair{"1.25", 1.25}, {"-0.5", -0.5}, {"1e3", 1000.0}, {"+3", 3.0}})
        EXPECT_DOUBLE_EQ(value, layout::ParseDouble(text, -1.0)) << text;
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

TEST(LayoutValues, NonAsciiTextSurvivesTheCLocaleLegacyBytesAreKeptAndTabLabelsShowNamesOnOneLine)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");

    const std::string stored = "Z\xC3\xBCrich \xE6\xA0\xAA\xE5\xBC\x8F";  // "Zürich 株式" in UTF-8
    const wxString shown = layout::ToWxString(stored);
    EXPECT_EQ(wxString(L"Z\u00FCrich \u682A\u5F0F"), shown);
    EXPECT_EQ(stored, layout::ToTreeText(shown));

    std::setlocale(LC_ALL, previous.c_str());

    const wxString legacy = layout::ToWxString("\xE9t\xE9");  // Latin-1 "été", not UTF-8
    EXPECT_EQ(wxString(L"\u00E9t\u00E9"), legacy) << "legacy bytes are kept rather than dropped";

    // A tab shows a name as the menus do, on one line.
    EXPECT_EQ(wxString::FromUTF8("A \xEF\xBF\xBD B  C D\xC3\xBC"), layout::ShownTabLabel("A \xFF B\r\n\nC\tD\xC3\xBC"));
    EXPECT_EQ(layout::ShownName("x\xE9y"), layout::ShownTabLabel("x\xE9y"));
    EXPECT_EQ(wxString("end "), layout::ShownTabLabel("end\r"));
}

}  // namespace
