// The trend column's points: when they are taken, how many are kept, what a
// row costs, and the line they make in a cell's box.

#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/Spreadsheet.h"
#include "model/TabSheet.h"
#include "model/TrendSamples.h"
#include "support/RuleSpec.h"

namespace {

using namespace std::chrono_literals;
using Clock = TrendSamples::Clock;

const Clock::time_point kStart{};

struct Quotes
{
    explicit Quotes(size_t count) : instruments(count), prices(count)
    {
        for (size_t i = 0; i < count; ++i)
        {
            instruments[i].decimals = 2;
            prices[i].instrument = &instruments[i];
            all.push_back(&prices[i]);
        }
    }
    std::deque<Instrument> instruments;
    std::deque<Price> prices;
    std::vector<const Price*> all;
};

TEST(TrendSamples, PointsComeEveryIntervalFromTheFirstOnlyForTradedQuotesATabNamesOnePerTick)
{
    TrendSamples samples(10s);
    EXPECT_TRUE(samples.Due(kStart)) << "the first point is due at once";
    Quotes quotes(1);
    quotes.prices[0].last = 5.0;
    samples.Take(quotes.all, kStart + 300ms);
    EXPECT_FALSE(samples.Due(kStart + 10s)) << "the next is due an interval after the first was due";
    EXPECT_TRUE(samples.Due(kStart + 10300ms));
    samples.Take(quotes.all, kStart + 10900ms);
    EXPECT_FALSE(samples.Due(kStart + 20200ms)) << "a tick that came late does not move the schedule";
    EXPECT_TRUE(samples.Due(kStart + 20300ms));
    samples.Take(quotes.all, kStart + 47s);
    EXPECT_FALSE(samples.Due(kStart + 50300ms)) << "after a long gap, points do not come in a burst";
    EXPECT_TRUE(samples.Due(kStart + 57s));
    EXPECT_EQ((std::vector<double>{5.0, 5.0, 5.0}), samples.Points(&quotes.prices[0]));

    // Only traded quotes that a tab names have points, one per tick; the
    // others give their memory back.
    samples.Clear();
    Quotes three(3);
    three.prices[0].last = 1.0;
    three.prices[1].last = 0.0;  // not traded yet
    three.prices[2].last = 3.0;
    std::vector<const Price*> watched = three.all;
    watched.push_back(&three.prices[0]);  // a tab listing it twice, or two tabs
    samples.Take(watched, kStart);
    samples.Take(watched, kStart + 1s);
    EXPECT_EQ(2u, samples.Points(&three.prices[0]).size());
    EXPECT_TRUE(samples.Points(&three.prices[1]).empty());
    three.prices[1].last = 2.0;
    samples.Take({&three.prices[1]}, kStart + 2s);
    EXPECT_EQ(1u, samples.Size()) << "the quotes no tab with the column shows are forgotten";
    EXPECT_EQ((std::vector<double>{2.0}), samples.Points(&three.prices[1]));
    EXPECT_TRUE(samples.Points(&three.prices[0]).empty());
    samples.Clear();
    EXPECT_EQ(0u, samples.Size());
    EXPECT_TRUE(samples.Due(kStart + 2s)) << "after a clear the sampling starts afresh";
}

TEST(TrendSamples, TheWindowKeepsTheNewestPointsTheChangeIsNewestLessOldestAndAQuoteThatNeverMovesIsFlat)
{
    TrendSamples samples(1s);
    Quotes quotes(2);
    Price& price = quotes.prices[0];
    Price& still = quotes.prices[1];
    still.last = 42.5;
    for (int point = 0; point < 130; ++point)
    {
        price.last = 123456.78 + 0.01 * point;
        samples.Take(quotes.all, kStart + point * 1s);
        EXPECT_TRUE(point > 0 || !samples.Change(&still, 2)) << "one point has no change yet";
    }
    const std::vector<double> points = samples.Points(&price);
    ASSERT_EQ(TrendSamples::kWindow, points.size());
    EXPECT_NEAR(123456.88, points.front(), 1e-6) << "the ten oldest points went";
    EXPECT_NEAR(123458.07, points.back(), 1e-6);
    // 119 steps of a cent, exact although a float alone holds no cent of 123456.
    EXPECT_EQ(1.19, samples.Change(&price, 2).value());

    EXPECT_EQ(0.0, samples.Change(&still, 2).value());
    const TrendShape shape = ShapeTrend(std::vector<double>(5, 42.5), 0.0, 10, 20, 9, 5, 5);
    ASSERT_EQ(1u, shape.runs.size());
    EXPECT_FALSE(shape.baseline);
    for (const TrendRun::Point& point : shape.runs[0].points)
        EXPECT_EQ(22.0, point.y) << "across the middle of the box, not a division by a zero range";
    EXPECT_EQ(10.0, shape.runs[0].points.front().x);
    EXPECT_EQ(18.0, shape.runs[0].points.back().x);
}

TEST(TrendSamples, AFullWindowCostsAFewHundredBytesPerRowAndNothingOnceNoTabShowsTheColumn)
{
    constexpr size_t kRows = 20000;
    TrendSamples samples(1s);
    Quotes quotes(kRows);
    for (Price& price : quotes.prices)
        price.last = 10.0;
    for (size_t point = 0; point < TrendSamples::kWindow + 5; ++point)
        samples.Take(quotes.all, kStart + point * 1s);
    const double perRow = static_cast<double>(samples.BytesUsed()) / kRows;
    EXPECT_LE(perRow, 600.0);
    EXPECT_GE(perRow, TrendSamples::kWindow * sizeof(float)) << "the count is of the points themselves";
    samples.Take({}, kStart + 1000s);
    EXPECT_LT(samples.BytesUsed(), 4096u);
}

TEST(TrendSamples, TheLineLiesInItsBoxNewestAtTheRightAndSplitsWhereItCrossesThePreviousClose)
{
    // Box 9 by 5 at (0, 0), a window of 5: a step of 2 pixels. The range is
    // 8 to 12, 1 pixel per unit: 12 at y 0, the close of 10 at y 2, 8 at y 4.
    const TrendShape shape = ShapeTrend({10.0, 12.0, 8.0}, 10.0, 0, 0, 9, 5, 5);
    ASSERT_TRUE(shape.baseline);
    EXPECT_EQ(2.0, *shape.baseline);
    ASSERT_EQ(2u, shape.runs.size());
    const auto xy = [](const TrendRun& run) {
        std::vector<std::pair<double, double>> points;
        for (const TrendRun::Point& point : run.points)
            points.emplace_back(point.x, point.y);
        return points;
    };
    EXPECT_EQ(CellColour::Up, shape.runs[0].colour) << "leaving the close upwards is a rise";
    EXPECT_EQ((std::vector<std::pair<double, double>>{{4, 2}, {6, 0}, {7, 2}}), xy(shape.runs[0]));
    EXPECT_EQ(CellColour::Down, shape.runs[1].colour);
    EXPECT_EQ((std::vector<std::pair<double, double>>{{7, 2}, {8, 4}}), xy(shape.runs[1]));

    const TrendShape above = ShapeTrend({11.0}, 10.0, 0, 0, 9, 5, 5);
    ASSERT_EQ(1u, above.runs.size());
    EXPECT_EQ(CellColour::Up, above.runs[0].colour) << "a lone point has its side's colour";
    EXPECT_TRUE(ShapeTrend({}, 10.0, 0, 0, 9, 5, 5).runs.empty());
}

/// Keeps what a sheet was told, one line per cell.
class RecordingSheet : public sheet::Sheet, public sheet::Workbook
{
public:
    sheet::Sheet& AddSheet(const std::string&) override { return *this; }
    void Close() override {}
    void SetColumnAsText(int col) override { cells.push_back("text column " + std::to_string(col)); }
    void SetColumnWidth(int, double) override {}
    void WriteText(int row, int col, std::string_view utf8) override
    {
        cells.push_back(std::to_string(row) + "," + std::to_string(col) + " s " + std::string(utf8));
    }
    void WriteNumber(int row, int col, double value, const std::string& format) override
    {
        std::ostringstream text;
        text << row << "," << col << " n " << value << " " << format;
        cells.push_back(text.str());
    }
    void SetLook(const sheet::CellLook&) override {}
    void AddDataBar(int col, const std::vector<std::pair<int, int>>& rows, double low, double high) override
    {
        std::ostringstream text;
        text << "bars " << col;
        for (const auto& [first, last] : rows)
            text << " " << first << "-" << last;
        text << " from " << low << " to " << high;
        cells.push_back(text.str());
    }
    std::vector<std::string> cells;
};

TEST(TrendAndBarExport, TheTrendCellIsItsChangeInThePricesDecimalsAndBarRulesGiveTheirCellsOneDataBar)
{
    Instrument instrument;
    instrument.code = "ARPI";
    instrument.decimals = 3;
    Price price;
    price.instrument = &instrument;
    sheet::TabSnapshot snapshot;
    snapshot.columnIds = {column::Code, column::Trend};
    snapshot.header = {"Code", "Trend"};
    snapshot.instruments.reserve(2);
    snapshot.quotes.reserve(2);
    snapshot.AddRow(price);
    snapshot.AddRow(price);
    snapshot.trendChanges = {-0.125, std::nullopt};
    RecordingSheet book;
    sheet::WriteTabSheet(snapshot, book);
    EXPECT_EQ((std::vector<std::string>{"text column 0", "0,0 s Code", "0,1 s Trend", "1,0 s ARPI",
                                        "1,1 n -0.125 #,##0.000", "2,0 s ARPI"}),
              book.cells);

    // The rows whose rules draw a bar get one, in runs sharing the scale of
    // the whole column's values; other columns and rows get none.
    std::vector<Instrument> instruments(5);
    sheet::TabSnapshot bars;
    bars.columnIds = {column::Code, column::CumVolume};
    bars.header = {"Code", "Cum Vol"};
    bars.instruments.reserve(instruments.size());
    bars.quotes.reserve(instruments.size());
    for (double volume : {500.0, 40.0, 300.0, 200.0, -100.0})
    {
        Price row;
        row.instrument = &instruments[bars.quotes.size()];
        row.cumVolume = volume;
        bars.AddRow(row);
    }
    const RuleStyle bar{{}, {}, false, true};
    const RuleStyle bold{{}, {}, true};
    using testing_support::Rule;
    bars.rules = ColourRuleSet({Rule(column::CumVolume, filter_op::Above, "100", bar),
                                Rule(column::Code, filter_op::Differs, "x", bar),  // no bar in a text column
                                // styles the other cells, without a bar
                                Rule(column::CumVolume, filter_op::Below, "100", bold)});
    EXPECT_EQ(1u, bars.rules.Unusable().size()) << "a bar on a text cell is refused";
    RecordingSheet barBook;
    sheet::WriteTabSheet(bars, barBook);
    ASSERT_FALSE(barBook.cells.empty());
    EXPECT_EQ("bars 1 1-1 3-4 from -100 to 500", barBook.cells.back());
}

}  // namespace
