// What the table of column facts decides where two uses of "price column"
// part ways: the sheet's number format against dimming a stale quote.

#include <gtest/gtest.h>

#include <set>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/QuoteAges.h"
#include "model/QuoteFormat.h"
#include "model/TabSheet.h"

TEST(ColumnFacts, PriceUnitsSetTheSheetFormatWhileOnlyLiveFiguresDimAndEachTieColumnHasItsOwnSlot)
{
    Instrument instrument;
    instrument.decimals = 3;
    Price quote;
    quote.instrument = &instrument;
    const QuoteFormat format;
    // The day's fixed prices are in the instrument's units, so they export
    // in its decimals, yet an old quote does not make them wrong.
    for (int col : {column::PrevClose, column::Closing})
    {
        EXPECT_EQ("#,##0.000", sheet::NumberFormatOf(col, quote, format, 1.0)) << col;
        EXPECT_FALSE(DimsWhenStale(col)) << col;
    }
    // The live figures, prices or not (their sheet formats are the export texts' to check).
    for (int col : {column::ChangePercent, column::Last, column::Change, column::Buy, column::Sell, column::Vwap})
        EXPECT_TRUE(DimsWhenStale(col)) << col;
    for (int col : {column::Amplitude, column::BuyVolume, column::CumValue, column::Deals, column::Name,
                    column::Date, column::No})
        EXPECT_FALSE(DimsWhenStale(col)) << col;
    EXPECT_FALSE(DimsWhenStale(column::Count));

    std::set<int> slots;
    for (int col = 0; col < column::Count; ++col)
        if (TieSlotOf(col) >= 0)
        {
            EXPECT_EQ(ColourRule::ByOwnValue, ColumnAt(col).colourRule) << col;
            EXPECT_LT(TieSlotOf(col), TieSlotCount()) << col;
            slots.insert(TieSlotOf(col));
        }
    EXPECT_EQ(4u, slots.size()) << "Open, High, Low and Vwap";
    EXPECT_EQ(-1, TieSlotOf(column::Last));
    EXPECT_EQ(-1, TieSlotOf(-1));
}
