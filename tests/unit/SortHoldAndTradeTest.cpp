// When a sorted tab holds its rows, and which instruments a ticket may be
// opened for at all.

#include <gtest/gtest.h>

#include "contract/Records.h"
#include "model/SortHold.h"
#include "model/TradeRefusal.h"

namespace {

TEST(SortHold, HoldsWhilePressedOrOpenAndForAMomentAfterTheRelease)
{
    SortHold hold;
    EXPECT_FALSE(hold.Holds(5000)) << "nothing aimed at yet";
    hold.Press();
    EXPECT_TRUE(hold.Holds(5000));
    EXPECT_TRUE(hold.Holds(500000)) << "a button held down holds however long";
    hold.Release(10000);
    EXPECT_TRUE(hold.Holds(10000));
    EXPECT_TRUE(hold.Holds(10000 + SortHold::kAfterClickMs - 1));
    EXPECT_FALSE(hold.Holds(10000 + SortHold::kAfterClickMs)) << "the sort catches up after the moment";
    EXPECT_FALSE(hold.Holds(9000)) << "a clock that went back does not hold";

    hold.SetOpen(true);
    hold.SetOpen(true);
    hold.SetOpen(false);
    EXPECT_TRUE(hold.Holds(60000)) << "one of two nested menus or dialogs is still open";
    hold.SetOpen(false);
    EXPECT_FALSE(hold.Holds(60000));
    hold.SetOpen(false);
    hold.SetOpen(true);
    EXPECT_TRUE(hold.Holds(60000)) << "an extra close does not swallow the next open";
}

TEST(TradeRefusal, IndexesAndHaltedInstrumentsAreRefusedWithTheirCode)
{
    Instrument stock;
    stock.code = "BDI";
    stock.assetId = "stock";
    stock.tradingStatus = "Pre-open; SSR";
    Price quote;
    quote.instrument = &stock;
    EXPECT_TRUE(TradeRefusal(stock, &quote).empty());
    EXPECT_TRUE(TradeRefusal(stock, nullptr).empty());

    quote.statusNote = "SSR ; halted ";
    EXPECT_EQ("Trading in BDI is halted: no orders can be sent.", TradeRefusal(stock, &quote))
        << "the session's note on the quote, any case and spacing";
    quote.statusNote = "Unhalted";
    EXPECT_TRUE(TradeRefusal(stock, &quote).empty()) << "a flag is a whole token";
    stock.tradingStatus = "Halted";
    EXPECT_FALSE(TradeRefusal(stock, nullptr).empty());

    Instrument index;
    index.code = "AMXI";
    index.assetId = "index";
    EXPECT_EQ("AMXI is an index: it cannot be traded.", TradeRefusal(index, nullptr));
}

}  // namespace
