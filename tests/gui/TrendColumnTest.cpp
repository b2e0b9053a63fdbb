// The trend column on a board: hidden until asked for, sampled only on the
// tabs that show it and never on a history date, sorted by its change, left
// out of copies, and its line drawn inside the cell where it belongs.

#include <wx/dcmemory.h>
#include <wx/image.h>

#include "board/ColumnLayout.h"
#include "board/WatchlistGridCellRenderer.h"
#include "commands/BookmarksColumns.h"
#include "commands/GridMenus.h"
#include "layout/WindowNodeReader.h"
#include "commands/GridKeys.h"
#include "support/BoardFixture.h"
#include "support/RuleSpec.h"

namespace {

using namespace std::chrono_literals;
using namespace testing_support;
using Clock = TrendSamples::Clock;

class TrendColumnTest : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        board = CreateBoard();
        board->Trends().StopTrendTimer();
    }

    void SampleAt(std::chrono::seconds when) { board->Trends().SampleTrends(Clock::time_point{} + when); }

    size_t PointsOf(Instrument* instrument)
    {
        return board->Trends().Samples().Points(host.PriceOf(instrument, board->Rows().GetDateText())).size();
    }
};

TEST_F(TrendColumnTest, OnlyTabsShowingTheColumnAreSampledAndAHistoryDateForgetsEveryPoint)
{
    AddTab(board, {tke}, "Other");
    wxGridEx* grid = AddTab(board, {arpi, bdi}, "Core");
    EXPECT_EQ(0, grid->GetColSize(column::Trend)) << "hidden until the user shows it";
    SetLasts({{arpi, 10.0}, {bdi, 20.0}, {tke, 30.0}});
    SampleAt(0s);
    EXPECT_EQ(0u, board->Trends().Samples().Size()) << "no tab shows the column: nothing is kept";

    BookmarksColumns::ToggleColumn(*board, column::Trend);
    ASSERT_GT(grid->GetColSize(column::Trend), 0);
    SampleAt(1s);
    SampleAt(5s);
    EXPECT_EQ(1u, PointsOf(arpi)) << "one point per interval";
    EXPECT_EQ(0u, PointsOf(tke)) << "a tab without the column costs no samples";
    SampleAt(11s);
    EXPECT_EQ(2u, PointsOf(bdi));
    EXPECT_FALSE(GridKeys::CopyText(grid).Contains(ColumnLabel(column::Trend))) << "a picture has no text to copy";

    board->Rows().SetHistoryDate(wxDateTime(3, wxDateTime::Jan, 2024));
    SampleAt(21s);
    EXPECT_EQ(0u, board->Trends().Samples().Size()) << "a past day's quotes draw no path";
    board->Rows().SetHistoryDate(wxDateTime());
    SampleAt(22s);
    EXPECT_EQ(1u, PointsOf(arpi)) << "back to live quotes, the line starts afresh";
}

TEST_F(TrendColumnTest, ATabSortedByItsTrendFollowsTheChangeAtEachPointWithTheSelectionKept)
{
    wxGridEx* grid = AddTab(board, {arpi, bdi, cdg}, "Core");
    BookmarksColumns::ToggleColumn(*board, column::Trend);
    SetLasts({{arpi, 10.0}, {bdi, 10.0}, {cdg, 10.0}});
    SampleAt(0s);
    grid->SetSortingColumn(column::Trend, false);
    SetLasts({{arpi, 9.0}, {bdi, 12.0}, {cdg, 10.5}});
    SampleAt(10s);
    EXPECT_EQ((std::vector<Instrument*>{bdi, cdg, arpi}), InstrumentsShown(grid)) << "biggest rise first";
    grid->SelectRow(2);
    SetLasts({{arpi, 13.0}});
    SampleAt(20s);
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), InstrumentsShown(grid));
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(grid)) << "the selected quote is still the one selected";
}

TEST_F(TrendColumnTest, ABarRuleDrawsInTheNumberCellsItMatchesAndTheLayoutKeepsItWithTheTrendColumn)
{
    wxGridEx* grid = AddTab(board, {arpi, bdi}, "Core");
    host.PriceOf(arpi)->cumVolume = 5000;
    host.PriceOf(bdi)->cumVolume = 50;
    const ColourRuleSpec bars = Rule(column::CumVolume, filter_op::Above, "100", {{}, {}, false, true});
    // A row rule: bars in each number cell of the row.
    const ColourRuleSpec rows = Rule(column::Code, filter_op::Equals, "BDI", {{}, {}, false, true}, true);
    const ColourRuleSpec bold = Rule(column::Last, filter_op::Above, "-1", {{}, {}, true});  // last, and without a bar
    board->Looks().SetColourRules(grid, {bars, rows, bold});
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const int first = table->Index().RowOf(host.PriceOf(arpi));
    const int second = table->Index().RowOf(host.PriceOf(bdi));
    EXPECT_TRUE(table->Styler().DrawsBar(first, column::CumVolume));
    EXPECT_FALSE(table->Styler().DrawsBar(first, column::CumValue)) << "a cell rule draws in its own column";
    EXPECT_TRUE(table->Styler().DrawsBar(second, column::CumValue));
    EXPECT_FALSE(table->Styler().DrawsBar(first, column::Last)) << "a rule without a bar draws none";
    BookmarksColumns::ToggleColumn(*board, column::Trend);

    table->Identity().watchlistName = "Core";  // a save stores the tab's list under its name
    const Tree saved = Saved(board);
    const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(saved.get_child("watchlists"));
    ASSERT_EQ(1u, tabs.size());
    EXPECT_EQ((std::vector<ColourRuleSpec>{bars, rows, bold}), tabs[0].colourRules);
    wxGridEx* restored = board->Tabs().CreateGrid();
    ApplyColumnLayout(restored, tabs[0].columns);
    EXPECT_TRUE(TrendSampler::ShowsTrend(restored));
}

// Drawn into a 30 by 16 cell: a box of 24 by 10 at (3, 3) inside the inset.
// A full window falling straight from 12 to 8 past a close of 10 runs from
// (3, 3) to (26, 12), crossing the close at x 14.5, y 7.5.
TEST(TrendDrawing, TheLineCoversTheHandComputedPolylineInTheUpColourAboveTheCloseAndTheDownColourBelow)
{
    const WatchlistGridCellRenderer::TrendColours colours{wxColour(0, 200, 0), wxColour(200, 0, 0),
                                                          wxColour(0, 0, 255), wxColour(0, 0, 0)};
    std::vector<double> points;
    for (size_t i = 0; i < TrendSamples::kWindow; ++i)
        points.push_back(12.0 - 4.0 * static_cast<double>(i) / (TrendSamples::kWindow - 1));
    wxBitmap bitmap(30, 16);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        WatchlistGridCellRenderer::DrawTrend(dc, wxRect(0, 0, 30, 16), points, 10.0, colours);
    }
    const wxImage image = bitmap.ConvertToImage();
    wxRect up;
    wxRect down;
    wxRect baseline;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const int r = image.GetRed(x, y);
            const int g = image.GetGreen(x, y);
            const int b = image.GetBlue(x, y);
            wxRect* kind = g > 60 && g > r ? &up : r > 60 && r > g ? &down : b > 30 ? &baseline : nullptr;
            if (kind)
                *kind = kind->IsEmpty() ? wxRect(x, y, 1, 1) : kind->Union(wxRect(x, y, 1, 1));
        }
    // Each edge within a pixel of the expected one.
    const auto near = [](const wxRect& found, const wxRect& expected) {
        const bool within = std::abs(found.GetLeft() - expected.GetLeft()) <= 1 &&
                            std::abs(found.GetRight() - expected.GetRight()) <= 1 &&
                            std::abs(found.GetTop() - expected.GetTop()) <= 1 &&
                            std::abs(found.GetBottom() - expected.GetBottom()) <= 1;
        return (within ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
               << found.x << "," << found.y << " " << found.width << "x" << found.height;
    };
    EXPECT_TRUE(near(up, wxRect(wxPoint(3, 3), wxPoint(15, 8))));
    EXPECT_TRUE(near(down, wxRect(wxPoint(14, 7), wxPoint(26, 12))));
    EXPECT_TRUE(near(baseline, wxRect(wxPoint(3, 7), wxPoint(26, 8)))) << "the faint close spans the box";
}

}  // namespace
