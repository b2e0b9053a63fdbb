// The stored form of colour rules and column sets, against text written by
// hand: what is written, what reads back, and hand-edited rules kept whole.

#include <string>

#include <gtest/gtest.h>

#include "layout/ColourRuleNodes.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "support/RuleSpec.h"
#include "support/XmlText.h"

namespace {

using testing_support::Node;
using testing_support::Rule;
using testing_support::Xml;

std::string Body(const std::string& xml, const std::string& from)
{
    return xml.substr(xml.find(from));
}

const RuleStyle kRedText{RuleColour::Of(0xC62828), {}};

std::vector<ColourRuleSpec> TwoRules()
{
    ColourRuleSpec red = Rule(column::ChangePercent, rule_op::Between, "-0.5", kRedText);
    red.upper = "1250.25";
    ColourRuleSpec green =
        Rule(column::Last, filter_op::Above, "", {{}, RuleColour::Of(0x2E7D32), true}, true);
    green.againstColumn = column::Vwap;
    return {red, green};
}

const char* const kTwoRules =
    "<colour-rules>"
    "<rule column=\"8\" condition=\"between\" value=\"-0.5\" upper=\"1250.25\" text=\"#c62828\" target=\"cell\"/>"
    "<rule column=\"6\" condition=\"above\" against=\"21\" background=\"#2e7d32\" bold=\"true\" target=\"row\"/>"
    "</colour-rules>";

TEST(ColourRuleNodes, ATabsRulesFollowItsBookmarksReadBackTheSameAndThoseThatDoNotReadAreKeptAsWritten)
{
    layout::TabEntry entry;
    entry.name = "Main";
    entry.bookmarks = {{"NYSE", "AAA"}};
    entry.colourRules = TwoRules();
    const std::string xml = Xml(layout::TabEntryTree(entry, {}), "watchlist");
    EXPECT_EQ(Body(xml, "<bookmark>"), std::string("<bookmark><instrument exchange=\"NYSE\" code=\"AAA\"/></bookmark>") +
                                           kTwoRules + "</watchlist>");

    const layout::TabEntry read = layout::ReadTabEntry(testing_support::Parse(xml).get_child("watchlist"));
    EXPECT_EQ(TwoRules(), read.colourRules);
    EXPECT_TRUE(ColourRuleSet(read.colourRules).Unusable().empty());

    entry.colourRules.clear();
    EXPECT_EQ(std::string::npos, Xml(layout::TabEntryTree(entry, {}), "watchlist").find("colour-rules"))
        << "a tab without rules writes no element an older reader would meet";

    // Hand-edited rules that do not read are kept as written.
    const std::string edited =
        "<colour-rules>"
        "<rule column=\"6\" condition=\"above\" value=\"1\" text=\"red\" target=\"cell\"/>"
        "<rule column=\"Last\" condition=\"above\" value=\"1\"/>"
        "<rule column=\"6\" condition=\"over\" value=\"1\"/>"
        "<rule column=\"6\" condition=\"above\" value=\"1\" blink=\"fast\"/>"
        "<rule condition=\"above\" value=\"1\"/>"
        "<rule column=\"6\" condition=\"above\" value=\"1,5\" target=\"row\"/>"  // reads, but no number
        "</colour-rules>";
    const std::vector<ColourRuleSpec> rules = layout::ReadColourRules(Node(edited).get_child("colour-rules"));
    ASSERT_EQ(6u, rules.size());
    for (size_t at = 0; at < 5; ++at)
        EXPECT_FALSE(rules[at].verbatim.empty()) << "rule " << at;
    EXPECT_TRUE(rules[5].verbatim.empty());
    EXPECT_EQ("1,5", rules[5].value);
    EXPECT_EQ(6u, ColourRuleSet(rules).Unusable().size());
    EXPECT_EQ(Body(Xml(layout::ColourRulesTree(rules), "colour-rules"), "<colour-rules>"), edited);
}

TEST(ColourRuleNodes, ColumnSetsKeepColumnsComputedColumnsRulesAndTheSetForNewTabs)
{
    layout::ColumnSets sets;
    layout::ColumnSet scalping;
    scalping.name = "Scalping";
    scalping.computed = {{"Spread %", "(Sell - Buy) / Last * 100", 3}, {"From VWAP %", "(Last - Vwap) / Vwap * 100", 2}};
    scalping.columns = {{column::Last, 90, true, true, false, 1}, {column::Code, 60, true, false, true, 0},
                        {column::Count + 1, 75, true, false, false, 2}, {column::Count, 60, false, false, true, 3}};
    scalping.colourRules = {TwoRules()[1], Rule(column::Count, filter_op::Above, "0.5", kRedText)};
    sets.sets = {scalping, layout::ColumnSet{"Bare", {}, {}, {}}};
    sets.forNewTabs = "Scalping";
    const std::string expected =
        "<column-sets new-tabs=\"Scalping\">"
        "<set name=\"Scalping\"><columns>"
        "<column id=\"6\" name=\"Last\" size=\"90\" show=\"true\" sort=\"true\" ascending=\"false\" position=\"1\"/>"
        "<column id=\"2\" name=\"Code\" size=\"60\" show=\"true\" sort=\"false\" ascending=\"true\" position=\"0\"/>"
        "<column id=\"33\" name=\"From VWAP %\" size=\"75\" show=\"true\" sort=\"false\" ascending=\"false\" position=\"2\"/>"
        "<column id=\"32\" name=\"Spread %\" size=\"60\" show=\"false\" sort=\"false\" ascending=\"true\" position=\"3\"/>"
        "</columns><colour-rules>"
        "<rule column=\"6\" condition=\"above\" against=\"21\" background=\"#2e7d32\" bold=\"true\" target=\"row\"/>"
        "<rule column=\"32\" condition=\"above\" value=\"0.5\" text=\"#c62828\" target=\"cell\"/>"
        "</colour-rules><computed first=\"32\">"
        "<column name=\"Spread %\" formula=\"(Sell - Buy) / Last * 100\" decimals=\"3\"/>"
        "<column name=\"From VWAP %\" formula=\"(Last - Vwap) / Vwap * 100\" decimals=\"2\"/>"
        "</computed></set>"
        "<set name=\"Bare\"><columns/></set>"
        "</column-sets>";
    const auto written = [](const layout::ColumnSets& columnSets) {
        return Body(Xml(layout::ColumnSetsTree(columnSets), "column-sets"), "<column-sets");
    };
    EXPECT_EQ(expected, written(sets));
    // Every field the text holds is read back: written again, the text is the same.
    EXPECT_EQ(expected, written(layout::ReadColumnSets(Node(expected))));

    // A second set of a name already read, and a default naming no set, are no sets.
    const layout::ColumnSets odd = layout::ReadColumnSets(
        Node("<column-sets new-tabs=\"Gone\"><set name=\"A\"/><set name=\"A\"><columns><column id=\"1\"/></columns>"
             "</set><set/></column-sets>"));
    ASSERT_EQ(1u, odd.sets.size());
    EXPECT_TRUE(odd.sets[0].columns.empty());
    EXPECT_TRUE(odd.forNewTabs.empty());
    EXPECT_TRUE(layout::ReadColumnSets(Node("")).sets.empty());

    // Written when computed columns started at 31: the set's ids move with the
    // tab's, a hand-edited rule keeps its text.
    const layout::ColumnSets older = layout::ReadColumnSets(
        Node("<column-sets><set name=\"Old\"><columns><column id=\"31\" show=\"true\"/>"
             "<column id=\"6\" show=\"true\"/></columns><colour-rules>"
             "<rule column=\"6\" condition=\"above\" against=\"31\" target=\"row\"/>"
             "<rule column=\"31\" condition=\"above\" value=\"1\" blink=\"fast\"/>"
             "</colour-rules><computed first=\"31\"><column name=\"Range\" formula=\"High - Low\"/></computed>"
             "</set></column-sets>"));
    ASSERT_EQ(1u, older.sets.size());
    EXPECT_EQ(column::Count, older.sets[0].columns[0].id);
    EXPECT_EQ(column::Last, older.sets[0].columns[1].id);
    EXPECT_EQ(column::Count, older.sets[0].colourRules[0].againstColumn);
    EXPECT_EQ(column::Last, older.sets[0].colourRules[0].column);
    EXPECT_EQ("31", older.sets[0].colourRules[1].verbatim[0].second);
    EXPECT_EQ(2, older.sets[0].computed[0].decimals);
}

}  // namespace
