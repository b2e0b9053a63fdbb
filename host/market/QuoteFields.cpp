#include "market/QuoteFields.h"

int ChangedFields(const Price& before, const Price& after)
{
    struct Field
    {
        int bit;
        bool changed;
    };
    const Field fields[] = {
        {quote_bit::StatusNote, before.statusNote != after.statusNote},
        {quote_bit::CaNote, before.caNote != after.caNote},
        {quote_bit::Buy, before.buy != after.buy},
        {quote_bit::BuyVolume, before.buyVolume != after.buyVolume},
        {quote_bit::Sell, before.sell != after.sell},
        {quote_bit::SellVolume, before.sellVolume != after.sellVolume},
        {quote_bit::Deals, before.deals != after.deals},
        {quote_bit::MoneyFlow, before.moneyFlow != after.moneyFlow},
        {quote_bit::High, before.high != after.high},
        {quote_bit::Low, before.low != after.low},
        {quote_bit::Last, before.last != after.last},
        {quote_bit::Change, before.change != after.change},
        {quote_bit::Open, before.open != after.open},
        {quote_bit::ChangePercent, before.changePercent != after.changePercent},
        {quote_bit::Closing, before.closing != after.closing},
        {quote_bit::PrevClose, before.prevClose != after.prevClose},
        {quote_bit::CumVolume, before.cumVolume != after.cumVolume},
        {quote_bit::Date, before.tradeDate != after.tradeDate || before.secondDate != after.secondDate},
        {quote_bit::Vwap, before.vwap != after.vwap},
        {quote_bit::Time, before.tradeTime != after.tradeTime},
        {quote_bit::TradeType, before.tradeType != after.tradeType},
        {quote_bit::CumValue, before.cumValue != after.cumValue},
        {quote_bit::Amplitude, before.amplitude != after.amplitude},
    };
    int mask = 0;
    for (const Field& field : fields)
        if (field.changed)
            mask |= QuoteMask(field.bit);
    return mask;
}
