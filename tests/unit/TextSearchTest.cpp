#include <clocale>

#include <gtest/gtest.h>

#include "model/TextSearch.h"

namespace {

TEST(TextSearch, FindsLettersOfAnyCaseBeyondAsciiAndKeepsDifferentLettersApart)
{
    // The "C" locale knows only ASCII letters; the search must not.
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(ContainsIgnoringCase(wxString::FromUTF8("BANK ZÜRICH AG"), wxString::FromUTF8("zürich")));
    EXPECT_TRUE(ContainsIgnoringCase(wxString::FromUTF8("ÉLECTRICITÉ"), wxString::FromUTF8("é")));
    EXPECT_TRUE(ContainsIgnoringCase(wxString::FromUTF8("Łódź Holding"), wxString::FromUTF8("ŁÓDŹ")));
    EXPECT_TRUE(ContainsIgnoringCase(wxString::FromUTF8("ΑΘΗΝΑ Σ"), wxString::FromUTF8("αθηνα ς")));
    EXPECT_TRUE(ContainsIgnoringCase(wxString::FromUTF8("Газпром"), wxString::FromUTF8("ГАЗ")));
    EXPECT_TRUE(ContainsIgnoringCase("Arpina Group", "PINA g"));

    // Letters that differ stay apart.
    EXPECT_FALSE(ContainsIgnoringCase(wxString::FromUTF8("ZURICH"), wxString::FromUTF8("zürich")));
    EXPECT_FALSE(ContainsIgnoringCase(wxString::FromUTF8("×"), wxString::FromUTF8("÷")));
    EXPECT_FALSE(ContainsIgnoringCase("ARPI", "arpix"));
    EXPECT_TRUE(ContainsIgnoringCase("ARPI", ""));
}

}  // namespace
