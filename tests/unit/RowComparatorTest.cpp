// Ascending order of quote rows per column kind, and the colour rules.

#include <functional>

#include <gtest/gtest.h>

#include "model/CellColour.h"
#include "model/ColumnSpec.h"
#include "model/RowComparator.h"
#include "contract/Records.h"

namespace {

struct Row
{
    Instrument instrument;
    Price price;
    Row() { price.instrument = &instrument; }
};

TEST(RowComparatorTest, NumbersAsValuesTextsAsBytesNotesAloneDatesFallingBackAndNoInstrumentAsEmptyText)
{
    // Each case sorts a before b on its column, and not the other way round.
    const std::pair<int, std::function<void(Row&, Row&)>> cases[] = {
        {column::Last, [](Row& a, Row& b) { a.price.last = 9.5, b.price.last = 10.25; }},
        {column::Deals, [](Row& a, Row& b) { a.price.deals = -3, b.price.deals = 2; }},
        {column::MoneyFlow, [](Row& a, Row&) { a.price.moneyFlow = -1.0; }},
        {column::Vwap, [](Row&, Row& b) { b.price.vwap = 1e-12; }},  // no tolerance in ordering
        {column::TradeType, [](Row& a, Row& b) { a.price.tradeType = '+', b.price.tradeType = '-'; }},
        // Texts compare as bytes: upper case first, a UTF-8 lead byte after ASCII.
        {column::Name, [](Row& a, Row& b) { a.instrument.name = "Zulu", b.instrument.name = "alpha"; }},
        {column::Code, [](Row& a, Row& b) { a.instrument.code = "z", b.instrument.code = "\xC3\xA9"; }},
        {column::Sector, [](Row& a, Row& b) { a.instrument.sector = "B", b.instrument.sector = "BA"; }},
        // Notes alone order status and corporate actions.
        {column::Status, [](Row& a, Row& b) {
             a.price.statusNote = "A", b.price.statusNote = "B", a.instrument.tradingStatus = "z";
         }},
        {column::CorporateAction, [](Row& a, Row& b) {
             a.price.caNote = "X", b.price.caNote = "Y", a.instrument.corporateAction = "Z";
         }},
        // The second date counts only when neither quote has a trade date; an empty one comes first.
        {column::Date, [](Row& a, Row& b) {
             a.price.secondDate = "20240101", b.price.secondDate = "20240105";
         }},
        {column::Date, [](Row& a, Row& b) {
             a.price.secondDate = "20240105", b.price.tradeDate = "20230101";
         }},
        {column::Date, [](Row& a, Row& b) {
             a.price.tradeDate = "20230101", b.price.tradeDate = "20240301", a.price.secondDate = "20240105";
         }},
        // A missing instrument counts as empty text.
        {column::Exchange, [](Row& a, Row& b) { a.price.instrument = nullptr, b.instrument.exchange = "A"; }},
    };
    for (const auto& [col, make] : cases)
    {
        Row a, b;
        make(a, b);
        EXPECT_TRUE(CompareRows(col, a.price, b.price)) << "column " << col;
        EXPECT_FALSE(CompareRows(col, b.price, a.price)) << "column " << col;
    }
    Row same;
    EXPECT_FALSE(CompareRows(column::Last, same.price, same.price));

    Row c, d;
    c.price.instrument = nullptr;
    EXPECT_FALSE(CompareRows(column::No, c.price, d.price));
    EXPECT_FALSE(CompareRows(column::No, d.price, c.price));
}

TEST(CellColourTest, PricesFollowPreviousCloseWithToleranceSessionValuesKeepColourOnExactTiesOthersHaveNoRule)
{
    Price price;
    price.prevClose = 10.0;
    price.last = 10.5;
    price.buy = 9.5;
    price.sell = 10.0 + 5e-9;
    price.open = 10.0;
    price.high = 10.0 + 5e-9;
    price.low = 9.0;
    price.vwap = 10.0;
    price.closing = 2.0;
    using C = CellColour;
    // The colour the cell had, and the one it takes: session values keep
    // theirs only on exact ties; columns without a rule stay unset.
    for (const auto& [col, before, after] :
         {std::tuple{column::Last, C::Unset, C::Up}, {column::ChangePercent, C::Unset, C::Up},
          {column::Buy, C::Unset, C::Down}, {column::Sell, C::Up, C::Foreground}, {column::Open, C::Down, C::Down},
          {column::Vwap, C::Up, C::Up}, {column::Vwap, C::Unset, C::Unset}, {column::High, C::Down, C::Up},
          {column::Low, C::Up, C::Down}, {column::Closing, C::Up, C::Unset},
          {column::PrevClose, C::Unset, C::Unset}})
        EXPECT_EQ(after, TextColourFor(col, price, before)) << "column " << col;

    // A previous close of zero gives every price the foreground colour;
    // money flow goes by its sign all the same.
    price.prevClose = 5e-9;
    price.last = 12.0;
    price.high = 13.0;
    for (int col : {6, 7, 8, 11, 12, 18, 19, 20, 21})
        EXPECT_EQ(TextColourFor(col, price, C::Up), C::Foreground) << "column " << col;
    for (const auto& [flow, colour] : {std::pair{2e-8, C::Up}, {-2e-8, C::Down}, {5e-9, C::Foreground}})
    {
        price.moneyFlow = flow;
        EXPECT_EQ(colour, TextColourFor(column::MoneyFlow, price, C::Unset)) << flow;
    }
}

}  // namespace
