// Bars in cells: where a value's bar lies across its cell, and the bar
// style of a colour rule kept in the layout.

#include <gtest/gtest.h>

#include "layout/ColourRuleNodes.h"
#include "model/CellBars.h"
#include "model/ColumnSpec.h"
#include "support/RuleSpec.h"
#include "support/XmlText.h"

namespace {

std::pair<int, int> Span(double value, const BarRange& range, int width)
{
    const BarSpan span = BarAcross(value, range, width);
    return {span.left, span.width};
}

TEST(CellBars, BarsRunFromZeroToTheValueWithinTheRangeOnlyNumberColumnsTakeThemAndABarRuleIsStoredWhereItIsOn)
{
    BarRange volumes;
    for (double value : {250.0, 1000.0, 0.0})
        volumes.Include(value);
    EXPECT_EQ(std::make_pair(0, 25), Span(250.0, volumes, 100));
    EXPECT_EQ(std::make_pair(0, 100), Span(1000.0, volumes, 100));
    EXPECT_EQ(std::make_pair(0, 100), Span(4000.0, volumes, 100)) << "newer than the range: held at its edge";
    EXPECT_EQ(std::make_pair(0, 0), Span(0.0, volumes, 100));

    BarRange flow;
    flow.Include(-50.0);
    flow.Include(150.0);
    EXPECT_EQ(std::make_pair(0, 25), Span(-50.0, flow, 100)) << "left of the zero line";
    EXPECT_EQ(std::make_pair(25, 50), Span(100.0, flow, 100));

    BarRange empty;
    empty.Include(0.0);
    EXPECT_EQ(std::make_pair(0, 0), Span(5.0, empty, 100)) << "all zero: no range, no bar";

    // Computed columns are numbers; the row's place is no figure.
    for (int col : {column::CumVolume, column::MoneyFlow, column::Count})
        EXPECT_TRUE(TakesBars(col)) << col;
    for (int col : {column::No, column::Name, column::Trend})
        EXPECT_FALSE(TakesBars(col)) << col;

    const RuleStyle bar{{}, {}, false, true};
    const RuleStyle text{RuleColour::Of(0xE53935), {}};
    const ColourRuleSpec bars = testing_support::Rule(column::CumVolume, filter_op::AtLeast, "0", bar);
    const ColourRuleSpec red = testing_support::Rule(column::CumVolume, filter_op::AtLeast, "0", text);
    const layout::Tree tree = layout::ColourRulesTree({bars, red});
    const std::string xml = testing_support::Xml(tree, "r");
    const size_t start = xml.find("<r>") + 3;
    EXPECT_EQ("<rule column=\"14\" condition=\"at-least\" value=\"0\" bar=\"true\" target=\"cell\"/>"
              "<rule column=\"14\" condition=\"at-least\" value=\"0\" text=\"#e53935\" target=\"cell\"/>",
              xml.substr(start, xml.rfind("</r>") - start));
    EXPECT_EQ((std::vector<ColourRuleSpec>{bars, red}), layout::ReadColourRules(tree));
}

}  // namespace
