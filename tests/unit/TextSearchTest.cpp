#include <clocale>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "model/TextSearch.h"

namespace {

TEST(TextSearch, FindsLettersOfAnyCaseBeyondAsciiAndKeepsDifferentLettersApart)
{
    // The "C" locale knows only ASCII letters; the search must not.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    for (const auto& [text, part] : {std::pair{"BANK ZÜRICH AG", "zürich"},
                                     {"ÉLECTRICITÉ", "é"},
                                     {"Łódź Holding", "ŁÓDŹ"},
                                     {"ΑΘΗΝΑ Σ", "αθηνα ς"},
                                     {"Газпром", "ГАЗ"},
                                     {"ЁЄІЇЈЉЊЏ", "ёєіїјљњџ"},
                                     {"Arpina Group", "PINA g"},
                                     {"ȘANTIERUL ȚĂRII", "șantierul țării"},
                                     {"ӁӃ Ԫ", "ӂӄ ԫ"},
                                     {"ＡＢＣ Holdings", "ａｂｃ"}})
        EXPECT_TRUE(ContainsIgnoringCase(wxString::FromUTF8(text), wxString::FromUTF8(part))) << text;

    // Letters that differ stay apart.
    EXPECT_FALSE(ContainsIgnoringCase(wxString::FromUTF8("ZURICH"), wxString::FromUTF8("zürich")));
    EXPECT_FALSE(ContainsIgnoringCase(wxString::FromUTF8("×"), wxString::FromUTF8("÷")));
    EXPECT_FALSE(ContainsIgnoringCase("ARPI", "arpix"));
    EXPECT_TRUE(ContainsIgnoringCase("ARPI", ""));
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
