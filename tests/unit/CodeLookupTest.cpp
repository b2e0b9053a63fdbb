// Finding instruments by what a user types or pastes.

#include <deque>

#include <gtest/gtest.h>

#include "model/CodeList.h"
#include "model/InstrumentLookup.h"
#include "support/GroupingLocale.h"

namespace {

class Codes : public ::testing::Test
{
protected:
    Instrument* Add(const std::string& code, const std::string& exchange, const std::string& name = "Co")
    {
        Instrument& instrument = m_instruments.emplace_back();
        instrument.code = code;
        instrument.exchange = exchange;
        instrument.name = name;
        list.push_back(&instrument);
        return &instrument;
    }

    std::vector<Instrument*> list;

private:
    std::deque<Instrument> m_instruments;
};

TEST_F(Codes, LookupPutsTheCodeThenItsPrefixesThenNamesAndPastedTextNamesInstrumentsWithOrWithoutExchange)
{
    Instrument* inName = Add("ABC", "AMX", "Orsino Foods");
    Instrument* inCode = Add("XORS", "AMX");
    Instrument* prefixed = Add("ORSTED", "RHX");
    Instrument* exact = Add("ORS", "KTX");
    const InstrumentLookup lookup(list);
    EXPECT_EQ(lookup.Find(" ors"), (std::vector<Instrument*>{exact, prefixed, inName, inCode}));
    EXPECT_EQ(lookup.Find("ORS", 2), (std::vector<Instrument*>{exact, prefixed}));
    EXPECT_TRUE(lookup.Find("").empty());

    for (int i = 0; i < 12; ++i)
        Add("OR" + std::to_string(i), "AMX");
    const std::vector<Instrument*> found = InstrumentLookup(list).Find("or");
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found[0], prefixed);
    for (Instrument* instrument : found)
        EXPECT_EQ(instrument->code.rfind("OR", 0), 0u) << instrument->code;

    // Pasted text names instruments with or without their exchange.
    const std::vector<CodeToken> tokens = SplitCodes(" kss, AMX:ORCA,\tNOPE\r\n\"RHX:KSS\";KSS  ktx:orca");
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[1].exchange, "AMX");
    EXPECT_EQ(tokens[1].code, "ORCA");
    EXPECT_EQ(tokens[3].exchange, "RHX");
    EXPECT_EQ(tokens[3].written, "\"RHX:KSS\"");

    Instrument* kss = Add("KSS", "RHX");
    Instrument* amxOrca = Add("ORCA", "AMX");
    Instrument* ktxOrca = Add("ORCA", "KTX");
    const std::vector<CodeToken> names = {{"", "orca", ""}, {"ktx", "Orca", ""}, {"AMX", "KSS", ""}, {"RHX", "", ""}};
    EXPECT_EQ(FindCodes(list, names), (std::vector<Instrument*>{amxOrca, ktxOrca, nullptr, nullptr}));

    const ResolvedCodes resolved = ResolveCodes(list, tokens);
    EXPECT_EQ(resolved.found, (std::vector<Instrument*>{kss, amxOrca, ktxOrca}));
    EXPECT_EQ(resolved.missing, std::vector<std::string>{"NOPE"});
}

TEST(NamedCodes, TheFirstFewAreNamedAndTheRestCountedWithTheLocalesGrouping)
{
    const std::vector<wxString> five{"A", "B", "C", "D", "E"};
    EXPECT_EQ("A, B", NamedAndMore({"A", "B"}, 2));
    EXPECT_EQ("A, B, C, D, E", NamedAndMore(five, 5)) << "no \"and 0 more\"";
    EXPECT_EQ("A, B, C, D, E and 1 more", NamedAndMore(five, 6));
    testing_support::GroupingLocale english;
    if (!english.IsOk())
        GTEST_SKIP() << "no US English locale on this system";
    EXPECT_EQ("A, B, C, D, E and 100,019 more", NamedAndMore(five, 100024));
}

}  // namespace
