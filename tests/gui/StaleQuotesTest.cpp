// Quotes gone quiet: dimmed prices of live rows past the board's setting,
// the notice of a silent feed, and the setting kept in the layout.

#include "alert/StaleQuotes.h"
#include "board/TabFill.h"
#include "kit/BoardNotice.h"
#include "support/BoardFixture.h"

namespace {

using namespace std::chrono_literals;
using namespace testing_support;

class StaleQuotesTest : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        board = CreateBoard();
        stale = board->Features().FindFeature<StaleQuotes>();
        stale->SetClocks([this] { return std::chrono::steady_clock::time_point{} + at; }, [this] { return wall; });
    }

    void CheckAt(std::chrono::seconds when)
    {
        at = when;
        stale->Check();
    }

    /// Whether the cell of `instrument`'s row in `col` has the theme's disabled text colour.
    bool Dimmed(wxGridEx* grid, Instrument* instrument, int col = column::Last)
    {
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        const int row = table->Index().RowOf(host.PriceOf(instrument, board->Rows().GetDateText()));
        const wxGridCellAttrPtr attr(table->GetAttr(row, col, wxGridCellAttr::Any));
        return attr->GetTextColour() == host.theme.LabelTextColour();
    }

    StaleQuotes* stale = nullptr;
    std::chrono::seconds at{0};
    wxDateTime wall{7, wxDateTime::Dec, 2026, 12, 0, 5};
};

TEST_F(StaleQuotesTest, LivePricesDimPastTheSettingUntilTheirNextUpdateButHistoryAndZeroNever)
{
    board->Settings().staleAfterSeconds = 5;
    wxGridEx* grid = AddTab(board, {arpi, bdi}, "Core");
    CheckAt(5s);
    EXPECT_FALSE(Dimmed(grid, arpi)) << "five seconds are not longer than five";
    CheckAt(6s);
    EXPECT_TRUE(Dimmed(grid, arpi));
    EXPECT_TRUE(Dimmed(grid, bdi, column::Buy));

    PostQuote(board, host.PriceOf(arpi), kLastMask);
    Flush();
    EXPECT_FALSE(Dimmed(grid, arpi)) << "the update itself ends the mark, before any check";
    EXPECT_TRUE(Dimmed(grid, bdi));

    board->Rows().SetHistoryDate(wxDateTime(3, wxDateTime::Jan, 2024));
    CheckAt(60s);
    EXPECT_FALSE(Dimmed(grid, arpi)) << "a past day's quotes never change";

    board->Rows().SetHistoryDate(wxDateTime());
    board->Settings().staleAfterSeconds = 0;
    CheckAt(200s);
    EXPECT_FALSE(Dimmed(grid, bdi)) << "0 turns the marks off, whatever the default would say";
}

TEST_F(StaleQuotesTest, TheNoticeTellsTheLastQuoteAfterTenQuietSecondsAndClearsOnTheNextOne)
{
    const BoardNotice* notice = board->Toolbar().Notice();
    CheckAt(0s);
    CheckAt(30s);
    EXPECT_FALSE(notice->IsShown()) << "a board without subscriptions waits for nothing";

    AddTab(board, {arpi}, "Core");
    CheckAt(31s);
    wall += wxTimeSpan::Seconds(20);
    CheckAt(40s);
    EXPECT_FALSE(notice->IsShown());
    CheckAt(41s);
    EXPECT_EQ("No quotes since 12:00:05", notice->Text()) << "quiet since the board began to wait";
    EXPECT_TRUE(notice->IsShown());

    PostQuote(board, host.PriceOf(arpi), kLastMask);
    Flush();
    CheckAt(42s);
    EXPECT_FALSE(notice->IsShown());
    CheckAt(52s);
    EXPECT_EQ("No quotes since 12:00:25", notice->Text());

    // A large tab opening shows its progress; the quiet time starts once it is open.
    wxGridEx* opening = AddTab(board, {}, "Opening");
    TabFills& fills = board->Rows().GetTabFills();
    fills.Steps().SetSliceBounds(1, std::chrono::milliseconds(1000));
    fills.Start(opening, {bdi, cdg, ai}, "Opening");
    const auto quiet = [notice] { return notice->Get(StaleQuotes::kNoticeKey); };
    CheckAt(70s);
    EXPECT_EQ("", quiet());
    fills.Stop(opening);
    CheckAt(79s);
    EXPECT_EQ("", quiet());
    CheckAt(80s);
    EXPECT_EQ("No quotes since 12:00:25", quiet());
}

}  // namespace
