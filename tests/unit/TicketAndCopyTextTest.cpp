// The window-free rules behind order tickets and copied rows.

#include <numeric>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/CopyText.h"
#include "model/TicketPrice.h"

namespace {

using ticket::Side;

Price Quote()
{
    Price quote;
    quote.buy = 10.25;
    quote.sell = 10.5;
    quote.buyVolume = 700;
    quote.sellVolume = 300;
    quote.last = 10.4;
    quote.prevClose = 9.9;
    return quote;
}

TEST(TicketRules, TheClickedSideDecidesHintAndQuantityAZeroHintFallsBackAndTicksRoundHalvesAwayFromZero)
{
    Price quote = Quote();
    for (const auto& [side, col, hint, quantity] :
         {std::tuple{Side::Buy, column::SellVolume, 10.5, 300.0}, {Side::Buy, column::Last, 10.25, 0.0},
          {Side::Sell, column::Buy, 10.25, 700.0}, {Side::Sell, column::Name, 10.5, 0.0}})
    {
        const ticket::Order order = ticket::FromMenu(side, col, quote);
        EXPECT_DOUBLE_EQ(hint, order.priceHint) << col;
        EXPECT_DOUBLE_EQ(quantity, order.quantity) << col;
    }

    const auto takeOffer = ticket::FromDoubleClick(column::Sell, quote);
    ASSERT_TRUE(takeOffer);
    EXPECT_EQ(Side::Buy, takeOffer->side);
    EXPECT_DOUBLE_EQ(300, takeOffer->quantity);
    EXPECT_EQ(Side::Sell, ticket::FromDoubleClick(column::BuyVolume, quote)->side);
    EXPECT_FALSE(ticket::FromDoubleClick(column::Last, quote));

    for (const auto& [command, hint] : {std::pair{1, 10.25}, {2, 10.5}, {16, 10.5}})
        EXPECT_DOUBLE_EQ(hint, ticket::FromHostCommand(command, quote)->priceHint) << command;
    EXPECT_EQ(Side::Sell, ticket::FromHostCommand(17, quote)->side);
    EXPECT_FALSE(ticket::FromHostCommand(12, quote));

    // A zero hint falls back through the other side, the last and the previous close.
    const ticket::Order buy{Side::Buy, 0.0, 0.0};
    EXPECT_DOUBLE_EQ(10.5, ticket::ChosenPrice(buy, quote));
    quote.sell = 0;
    EXPECT_DOUBLE_EQ(10.4, ticket::ChosenPrice(buy, quote));
    quote.last = 1e-9;
    EXPECT_DOUBLE_EQ(9.9, ticket::ChosenPrice(buy, quote)) << "below the tolerance counts as zero";
    quote.prevClose = 0;
    EXPECT_DOUBLE_EQ(0, ticket::ChosenPrice(buy, quote));
    EXPECT_DOUBLE_EQ(10.25, ticket::ChosenPrice({Side::Buy, 10.25, 0.0}, quote));

    // Ticks round halves away from zero, in sixty-four bits.
    EXPECT_EQ(13, ticket::PriceInTicks(0.125, 2).value);
    EXPECT_EQ(-13, ticket::PriceInTicks(-0.125, 2).value);
    EXPECT_EQ(150000, ticket::PriceInTicks(1.5, -1).value) << "no decimals given counts five, as the grid shows";
    EXPECT_EQ(2, ticket::PriceInTicks(1.5, 0).value) << "a whole-number instrument ticks in units";
    EXPECT_EQ(0, ticket::PriceInTicks(0.0, 2).value);
    EXPECT_TRUE(ticket::PriceInTicks(0.0, 2).problem.empty());

    EXPECT_EQ(2147484000, ticket::PriceInTicks(21474.84, -1).value) << "past 32 bits";
    const ticket::Ticks tooBig = ticket::PriceInTicks(1e17, 5);
    EXPECT_EQ(0, tooBig.value) << "1e22 ticks do not fit 64 bits and must not wrap";
    EXPECT_NE(std::string::npos, tooBig.problem.find("1e+17")) << tooBig.problem;
}

TEST(CopyText, HeaderThenRowsInSelectionOrderEachEndingInCrLfCopiedAsTheyWereAtTheKeyPress)
{
    const auto label = [](int col) { return wxString::Format("C%d", col); };
    const auto cell = [](int row, int col) { return wxString::Format("r%dc%d", row, col); };
    EXPECT_EQ("C1\tC6\r\nr2c1\tr2c6\r\nr0c1\tr0c6\r\n", BuildCopyText({1, 6}, {2, 0}, label, cell));
    EXPECT_EQ("C1\tC6\r\n", BuildCopyText({1, 6}, {}, label, cell)) << "nothing selected copies the header alone";
    // A long copy is made in parts on several threads and put back in order.
    std::vector<int> many(12000);
    std::iota(many.rbegin(), many.rend(), 0);
    wxString expected = "C1\r\n";
    for (int row : many)
        expected += cell(row, 1) + "\r\n";
    EXPECT_TRUE(BuildCopyText({1}, many, label, cell) == expected) << "every row once, in order";

    // Copied rows keep the quotes of the key press and read the host's instruments.
    Instrument instrument;
    instrument.code = "ARPI";
    instrument.name = "Arpeggio Industrial Holdings";
    instrument.decimals = 2;
    Price quote;
    quote.instrument = &instrument;
    quote.last = 2.5;
    CopiedRows rows;
    rows.columns = {column::Code, column::Last};
    rows.labels = {"Code", "Last"};
    rows.Reserve(2);
    rows.Add(4, quote);
    quote.last = 9.75;  // the tab goes on changing after the key press
    rows.Add(7, quote);

    // A copy of every instrument was a few small blocks per row, let go of
    // on another thread than the one that took them.
    EXPECT_EQ(&instrument, rows.quotes[0].instrument);
    EXPECT_EQ((std::vector<int>{4, 7}), rows.rowNumbers);
    EXPECT_EQ("Code\tLast\r\nARPI\t2.50\r\nARPI\t9.75\r\n", rows.Text());
}

}  // namespace
