// The board's own number texts against the toolkit's formatter they stand
// in for, over the values, precisions and locales a board meets.

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/numformatter.h>

#include "model/NumberText.h"

namespace {

std::vector<double> Samples()
{
    // The last four lie beyond the fast path.
    std::vector<double> values = {0.0, -0.0, 0.5, -0.5, 1.005, 2.675, 999.995, 1000, -1000, 123456.789,
                                  -123456.789, 9999999.5, 1e15, -1e15, 1e22, 5e-9, -5e-9, 0.000015, 1.0 / 3,
                                  100, -100, 999, -999, 1234, -1234, 1e300, -1e300, std::nan(""), HUGE_VAL};
    std::mt19937 random(11);
    std::uniform_real_distribution<double> exponent(-9, 13);
    std::bernoulli_distribution negative(0.4);
    for (int i = 0; i < 4000; ++i)
    {
        const double magnitude = std::pow(10.0, exponent(random));
        values.push_back(negative(random) ? -magnitude : magnitude);
    }
    return values;
}

void ExpectSameAsTheToolkit(const wxString& localeName)
{
    const std::vector<double> values = Samples();
    for (int precision : {0, 1, 2, 3, 5, 8})
        for (bool dropZeroes : {false, true})
        {
            const int style = wxNumberFormatter::Style_WithThousandsSep |
                              (dropZeroes ? wxNumberFormatter::Style_NoTrailingZeroes : 0);
            for (double value : values)
                ASSERT_EQ(GroupedNumberText(value, precision, dropZeroes),
                          wxNumberFormatter::ToString(value, precision, style))
                    << localeName << ": " << value << " with " << precision << " decimals"
                    << (dropZeroes ? ", no trailing zeroes" : "");
        }
}

TEST(NumberTextTest, MatchesTheToolkitFormatterInEveryLocaleAtHand)
{
    wxInitializer toolkit;
    ExpectSameAsTheToolkit("the default locale");
    // English groups with commas; German swaps the two and French groups
    // with a space that is not ASCII, where this machine has them.
    int grouping = 0;
    for (wxLanguage language : {wxLANGUAGE_ENGLISH_US, wxLANGUAGE_GERMAN, wxLANGUAGE_FRENCH})
    {
        wxLogNull quiet;
        wxLocale locale;
        if (!locale.Init(language, wxLOCALE_DONT_LOAD_DEFAULT))
            continue;
        wxChar separator = 0;
        ASSERT_TRUE(wxNumberFormatter::GetThousandsSeparatorIfUsed(&separator)) << locale.GetName();
        ++grouping;
        ExpectSameAsTheToolkit(locale.GetName());
    }
    EXPECT_GE(grouping, 1) << "no grouping locale to test with (the set-up generates en_US.UTF-8)";
    const int noZeroes = wxNumberFormatter::Style_WithThousandsSep | wxNumberFormatter::Style_NoTrailingZeroes;
    EXPECT_EQ(GroupedNumberText(1.5, 25, true), wxNumberFormatter::ToString(1.5, 25, noZeroes)) << "beyond the fast path";
}

}  // namespace
