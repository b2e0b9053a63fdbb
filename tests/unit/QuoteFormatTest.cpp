// Cell texts of the quote columns: number formats, blanks, signs and joins.

#include <gtest/gtest.h>

#include "model/ColumnSpec.h"
#include "model/QuoteFormat.h"
#include "contract/Records.h"
#include "unit/LocaleNumbers.h"

namespace {

using testing_support::Grouped;

class QuoteFormatTest : public ::testing::Test
{
protected:
    QuoteFormatTest()
    {
        instrument.name = "Alpha Corp";
        instrument.exchange = "XEX";
        instrument.decimals = 2;
        price.instrument = &instrument;
        price.last = 1234.5;
        price.prevClose = 1200.0;
    }

    wxString Cell(int col, int row = 0) const { return format.CellText(row, col, price); }

    const testing_support::GroupingLocale locale;
    Instrument instrument;
    Price price;
    QuoteFormat format;
};

TEST_F(QuoteFormatTest, PricesInTheInstrumentsDecimalsOrFiveBlankNearZeroBarTheChangesAndSignedOnlyPastZero)
{
    EXPECT_EQ(Cell(column::Last), Grouped("1234", "50"));
    price.buy = 1234567.891;
    EXPECT_EQ(Cell(column::Buy), Grouped("1234567", "89"));
    instrument.decimals = 0;
    EXPECT_EQ(Cell(column::Buy), Grouped("1234568"));

    instrument.decimals = -1;
    price.last = 12.0;
    EXPECT_EQ(Cell(column::Last), "12");
    price.last = 0.123456789;
    EXPECT_EQ(Cell(column::Last), Grouped("0", "12346"));
    instrument.decimals = -7;  // never a negative precision
    price.open = 3.5;
    EXPECT_EQ(Cell(column::Open), Grouped("3", "5"));

    // Near zero values are blank, bar the changes; only real gains get a plus.
    instrument.decimals = 2;
    price.last = 5e-9;
    EXPECT_EQ(Cell(column::Last), "");
    price.high = -9e-9;
    EXPECT_EQ(Cell(column::High), "");
    price.amplitude = 2e-8;
    EXPECT_EQ(Cell(column::Amplitude), Grouped("0", "00"));

    // The change columns blank on the last price, not on their own value.
    price.last = 10.0;
    price.change = -1e-12;  // a zero that went through arithmetic
    price.changePercent = 0.0;
    EXPECT_EQ(Cell(column::Change), Grouped("0", "00"));
    EXPECT_EQ(Cell(column::ChangePercent), Grouped("0", "00"));
    price.last = 0.0;
    price.change = 3.25;
    price.changePercent = 1.7;
    EXPECT_EQ(Cell(column::Change), "");
    EXPECT_EQ(Cell(column::ChangePercent), "");

    // Signed columns prefix a plus only above the tolerance.
    price.last = 10.0;
    price.changePercent = 1.234;
    EXPECT_EQ(Cell(column::ChangePercent), "+" + Grouped("1", "23"));
    price.changePercent = -1.5;
    EXPECT_EQ(Cell(column::ChangePercent), "-" + Grouped("1", "50"));
    price.moneyFlow = 0.0;
    EXPECT_EQ(Cell(column::MoneyFlow), "");
    price.moneyFlow = 1234.5;
    EXPECT_EQ(Cell(column::MoneyFlow), "+" + Grouped("1234", "50"));
    price.moneyFlow = -2.25;
    EXPECT_EQ(Cell(column::MoneyFlow), "-" + Grouped("2", "25"));
}

TEST_F(QuoteFormatTest, VolumesDropTrailingZeroesOrScaleToThousandsCountsStayWholeAndNotesAndDatesJoin)
{
    price.buyVolume = 1500.0;
    price.cumVolume = 2500000.0;
    EXPECT_EQ(Cell(column::BuyVolume), Grouped("1500"));
    EXPECT_EQ(Cell(column::SellVolume), "");
    format.volumeInThousands = true;
    price.sellVolume = 12345.0;
    // Thousands all with three decimals, so that a column's figures line up.
    EXPECT_EQ(Cell(column::BuyVolume), Grouped("1", "500"));
    EXPECT_EQ(Cell(column::CumVolume), Grouped("2500", "000"));
    EXPECT_EQ(Cell(column::SellVolume), Grouped("12", "345"));

    EXPECT_EQ(Cell(column::Deals), "");
    price.deals = 1234567;
    EXPECT_EQ(Cell(column::Deals), Grouped("1234567"));
    EXPECT_EQ(Cell(column::No, 12344), "12345") << "row numbers are never grouped";

    // Notes join the instrument's texts; dates prefer the trade date.
    instrument.tradingStatus = "Halted";
    EXPECT_EQ(Cell(column::Status), "Halted");
    price.statusNote = "N";
    EXPECT_EQ(Cell(column::Status), "N;Halted");
    instrument.tradingStatus.clear();
    EXPECT_EQ(Cell(column::Status), "N");
    price.caNote = "XD";
    instrument.corporateAction = "Dividend 0.5";
    EXPECT_EQ(Cell(column::CorporateAction), "XD;Dividend 0.5");

    price.secondDate = "20240102";
    EXPECT_EQ(Cell(column::Date), "2024-01-02");
    price.tradeDate = "20240229";
    EXPECT_EQ(Cell(column::Date), "2024-02-29");
    for (const char* unparsable : {"20230229", "18000229", "20241301", "yesterday"})
    {
        price.tradeDate = unparsable;
        EXPECT_EQ(Cell(column::Date), "") << unparsable;
    }
}

}  // namespace
