// Computed columns: formula values worked out by hand, blanks where a value
// would be a lie, refusals with their place, and the stored form.

#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "contract/Records.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "model/ColumnSpec.h"
#include "model/ComputedColumns.h"
#include "model/FilterSet.h"
#include "model/QuoteFormat.h"
#include "model/RowComparator.h"
#include "model/TabSheet.h"
#include "support/XmlText.h"

namespace {

Price Quote(Instrument& instrument)
{
    instrument.decimals = 2;
    Price quote;
    quote.instrument = &instrument;
    quote.buy = 10.00;
    quote.sell = 10.05;
    quote.last = 10.02;
    quote.vwap = 9.90;
    quote.high = 10.30;
    quote.low = 9.80;
    quote.sellVolume = 1500;
    quote.change = 0.0;
    return quote;
}

ComputedColumns Columns(std::initializer_list<ComputedColumnDef> defs)
{
    ComputedColumns columns;
    for (const ComputedColumnDef& def : defs)
    {
        FormulaRefusal why;
        EXPECT_TRUE(columns.Set(columns.Size(), def, &why)) << def.formula << ": " << why.reason;
    }
    return columns;
}

TEST(ComputedColumns, FormulasGiveHandWorkedValuesAndBlanksWhereAValueWouldLieWhichSortLowAndPassNothing)
{
    Instrument instrument;
    const Price quote = Quote(instrument);
    const ComputedColumns columns = Columns({{"Spread", "Sell - Buy", 2},
                                             {"Spread %", "(Sell - Buy) / Last * 100", 3},
                                             {"From VWAP %", "(Last - Vwap) / Vwap * 100", 2},
                                             {"Range", "High - Low", 1},
                                             {"Mixed", "max(Buy, Sell, Last) - min(Last, Vwap) + abs(Buy - Sell)", 2},
                                             {"Whole", "round(Sell Vol / 1000)", 0}});
    // 0.05; 0.05 / 10.02 * 100 = 0.499002; 0.12 / 9.9 * 100 = 1.212121; 0.5;
    // 10.05 - 9.90 + 0.05 = 0.20; 1.5 rounds away from zero to 2.
    EXPECT_NEAR(0.05, *columns.Value(0, quote), 1e-12);
    EXPECT_NEAR(0.4990019960, *columns.Value(1, quote), 1e-9);
    EXPECT_NEAR(1.2121212121, *columns.Value(2, quote), 1e-9);
    const std::vector<std::string> texts{"0.05", "0.499", "1.21", "0.5", "0.20", "2"};
    for (size_t index = 0; index < texts.size(); ++index)
        EXPECT_EQ(texts[index], columns.Text(index, quote).utf8_string()) << index;

    // The grid, the sheet and the sort read the same columns after the fixed ones.
    QuoteFormat format;
    format.computed = columns;
    EXPECT_EQ("0.499", format.CellText(0, column::Count + 1, quote).utf8_string());
    EXPECT_EQ("#,##0.000", sheet::NumberFormatOf(column::Count + 1, quote, format, 0.499));
    EXPECT_EQ("#,##0", sheet::NumberFormatOf(column::Count + 5, quote, format, 2.0));
    EXPECT_EQ(sheet::ColumnKind::Number, sheet::KindOfColumn(column::Count + 1));
    EXPECT_TRUE(ShowsFigures(column::Count));

    // Division by zero, absent fields and infinities leave the cell blank, which
    // sorts low and passes no comparison.
    Price partial = Quote(instrument);
    partial.high = partial.low;
    const ComputedColumns guarded = Columns({{"Per Range", "Last / (High - Low)", 2},
                                             {"Spread", "Sell - Buy", 2},
                                             {"Change Back", "+/- * 2", 2},
                                             {"Zero", "Last - Last", 2}});
    EXPECT_FALSE(guarded.Value(0, partial)) << "division by zero";
    EXPECT_EQ("", guarded.Text(0, partial).utf8_string());
    partial.buy = 0.0;
    EXPECT_FALSE(guarded.Value(1, partial)) << "no bid is no bid of 0";
    // A traded instrument's change of 0 is a value; before any trade it is none.
    EXPECT_EQ("0.00", guarded.Text(2, partial).utf8_string());
    EXPECT_EQ("0.00", guarded.Text(3, partial).utf8_string());
    partial.last = 0.0;
    EXPECT_FALSE(guarded.Value(2, partial));
    EXPECT_FALSE(guarded.Value(3, partial)) << "Last is absent";

    EXPECT_EQ(-std::numeric_limits<double>::infinity(), ComputedSortKey(column::Count + 1, partial, guarded));
    partial.buy = 10.0;
    EXPECT_NEAR(0.05, ComputedSortKey(column::Count + 1, partial, guarded), 1e-12);

    // Rounded to nothing shows as an unsigned zero.
    const ComputedColumns tiny = Columns({{"Tiny", "(Buy - Sell) / 1000", 2}});
    EXPECT_EQ("0.00", tiny.Text(0, partial).utf8_string());

    FilterSet above({{column::Count + 1, {{filter_op::Above, "0.01", 0}}}});
    above.SetComputed(&guarded);
    FilterSet notIn({{column::Count + 1, {{filter_op::NotIn, "5", 0}}}});
    notIn.SetComputed(&guarded);
    EXPECT_TRUE(above.Accepts(partial));
    partial.buy = 0.0;
    EXPECT_FALSE(above.Accepts(partial)) << "a partial cell is above nothing";
    EXPECT_TRUE(notIn.Accepts(partial)) << "and in no list";
}

TEST(ComputedColumns, AnUnreadableFormulaIsRefusedWithItsPlaceAndReasonOrKeptAsReadAndNamesAreStoredInEnglish)
{
    struct Case
    {
        const char* formula;
        int position;
        const char* reason;
    };
    for (const Case& c : {Case{"Sell -", 6, "the formula ends too early"},
                          Case{"Sell + Spred", 7, "\"Spred\" is no column or function"},
                          Case{"(Sell - Buy", 11, "a parenthesis is not closed"},
                          Case{"Sell Buy", 5, "a value where an operator belongs"},
                          Case{"Last * _c6", 7, "\"_\" is no column or function"},
                          Case{"  ", -1, "Type a formula"}})
    {
        FormulaRefusal why;
        EXPECT_FALSE(Formula::Read(c.formula, &why)) << c.formula;
        EXPECT_EQ(c.position, why.position) << c.formula;
        EXPECT_EQ(c.reason, why.reason.utf8_string()) << c.formula;
    }
    ComputedColumns columns;
    FormulaRefusal why;
    EXPECT_FALSE(columns.Set(0, {"Bad", "Sell -", 2}, &why));
    EXPECT_TRUE(columns.Empty()) << "nothing changes on a refusal";

    // "Sell Vol" is one name, not Sell and a stray word.
    ASSERT_TRUE(columns.Set(0, {"Depth", "sell vol-BUYVOL+Last", 99}, &why));
    EXPECT_EQ("Sell Vol-BuyVol+Last", columns.Def(0).formula);
    EXPECT_EQ(kMostComputedDecimals, columns.Def(0).decimals);
    Instrument instrument;
    Price quote = Quote(instrument);
    quote.buyVolume = 400;
    EXPECT_NEAR(1110.02, *ComputedColumns(columns).Value(0, quote), 1e-9) << "a copy reads the formula again";

    // A column kept as a layout held it, without a readable formula, has no
    // value, in the export's copy too, until an edit that reads replaces it.
    ComputedColumns kept;
    kept.Keep({"Broken", "Sell -", 99});
    ASSERT_TRUE(kept.Set(1, {"Range", "High - Low", 2}, &why));
    EXPECT_FALSE(kept.Readable(0));
    EXPECT_TRUE(kept.Readable(1));
    const ComputedColumns copy = kept;
    EXPECT_FALSE(copy.Value(0, quote));
    EXPECT_EQ("", copy.Text(0, quote));
    EXPECT_TRUE(copy.Value(1, quote));
    EXPECT_EQ((ComputedColumnDef{"Broken", "Sell -", 99}), copy.Def(0)) << "kept exactly as read";
    ASSERT_TRUE(kept.Set(0, {"Fixed", "Sell - Buy", 2}, &why));
    EXPECT_TRUE(kept.Readable(0));
}

/// The tab that the `<watchlist>` element in `xml` describes.
layout::TabEntry ReadTab(const std::string& xml)
{
    return layout::ReadTabEntry(testing_support::Parse(xml).get_child("watchlist"));
}

TEST(ComputedColumns, TheyAreStoredUnderTheTabAndLayoutsWithoutThemOrFromBeforeTheTrendReadAsBefore)
{
    layout::TabEntry entry;
    entry.name = "Core";
    entry.type = 1;
    entry.computed = {{"Spread %", "(Sell - Buy) / Last * 100", 2}, {"A<B", "Sell Vol & 1", 0}};
    const std::string xml = testing_support::Xml(layout::TabEntryTree(entry, {}), "watchlist");
    EXPECT_EQ("<watchlist name=\"Core\" current=\"true\" type=\"1\"><columns/>"
              "<computed first=\"32\"><column name=\"Spread %\" formula=\"(Sell - Buy) / Last * 100\" decimals=\"2\"/>"
              "<column name=\"A&lt;B\" formula=\"Sell Vol &amp; 1\" decimals=\"0\"/></computed></watchlist>",
              xml.substr(xml.find("?>") + 3));
    EXPECT_EQ(entry.computed, ReadTab(xml).computed);

    const layout::TabEntry plain = ReadTab(
        "<watchlist name=\"Core\"><columns/><computed><column name=\"X\" decimals=\"-4\"/></computed></watchlist>");
    ASSERT_EQ(1u, plain.computed.size());
    EXPECT_EQ(0, plain.computed[0].decimals) << "decimals kept within what a column shows";
    entry.computed.clear();
    const std::string without = testing_support::Xml(layout::TabEntryTree(entry, {}), "watchlist");
    EXPECT_EQ(std::string::npos, without.find("computed"));

    // Layouts written before the trend column took id 31 gave the computed
    // columns ids from 31; their columns, sort, filters and rules move with them.
    const char* const before =
        "<watchlist name=\"Core\" type=\"1\"><columns>"
        "<column id=\"6\" name=\"Last\" size=\"60\" show=\"true\" sort=\"false\" ascending=\"true\" position=\"0\"/>"
        "<column id=\"31\" name=\"Spread %\" size=\"70\" show=\"true\" sort=\"true\" ascending=\"false\" position=\"1\"/>"
        "<column id=\"32\" name=\"Range\" size=\"55\" show=\"false\" sort=\"false\" ascending=\"false\" position=\"2\"/>"
        "</columns><filters><column id=\"31\"><filter condition=\"2\" value=\"0.5\" locale_free=\"true\"/></column>"
        "<column id=\"6\"><filter condition=\"1\" value=\"1\" locale_free=\"true\"/></column></filters>"
        "<colour-rules><rule column=\"32\" condition=\"above\" against=\"31\" text=\"#E53935\" target=\"cell\"/></colour-rules>"
        "<computed><column name=\"Spread %\" formula=\"(Sell - Buy) / Last * 100\" decimals=\"2\"/>"
        "<column name=\"Range\" formula=\"High - Low\" decimals=\"2\"/></computed></watchlist>";
    const layout::TabEntry read = ReadTab(before);
    ASSERT_EQ(3u, read.columns.size());
    EXPECT_EQ(column::Last, read.columns[0].id);
    EXPECT_EQ(column::Count, read.columns[1].id);
    EXPECT_TRUE(read.columns[1].sort);
    EXPECT_EQ(column::Count + 1, read.columns[2].id);
    ASSERT_EQ(2u, read.filters.size());
    EXPECT_EQ(1u, read.filters.count(column::Last));
    EXPECT_EQ("0.5", read.filters.at(column::Count).at(0).value);
    ASSERT_EQ(1u, read.colourRules.size());
    EXPECT_EQ(column::Count + 1, read.colourRules[0].column);
    EXPECT_EQ(column::Count, read.colourRules[0].againstColumn);

    // Written again it says where they start, and reads back unmoved.
    const layout::TabEntry again = ReadTab(testing_support::Xml(layout::TabEntryTree(read, {}), "watchlist"));
    EXPECT_EQ(column::Count, again.columns[1].id);
    EXPECT_EQ(1u, again.filters.count(column::Count));
    EXPECT_EQ(read.colourRules, again.colourRules);

    // A start no version wrote moves nothing.
    EXPECT_EQ(33, ReadTab("<watchlist name=\"Core\"><columns><column id=\"33\" show=\"true\"/></columns>"
                          "<computed first=\"-4\"><column name=\"X\" formula=\"Last\"/></computed></watchlist>")
                      .columns.at(0).id);
}

}  // namespace
