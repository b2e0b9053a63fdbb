#include "board/RowComparator.h"

#include <string>

#include "board/ColumnSpec.h"
#include "plugin/Records.h"

namespace {

const std::string kEmpty;

// A row whose instrument is missing sorts like one with empty texts.
const std::string& InstrumentText(const Price& price, std::string Instrument::*field)
{
    return price.instrument ? price.instrument->*field : kEmpty;
}

bool DateBefore(const Price& a, const Price& b)
{
    // "%Y%m%d" texts order chronologically as plain bytes.
    if (a.tradeDate.empty() && b.tradeDate.empty())
        return a.secondDate < b.secondDate;
    return a.tradeDate < b.tradeDate;
}

}  // namespace

bool CompareRows(int col, const Price& a, const Price& b)
{
    switch (col)
    {
    case column::Name: return InstrumentText(a, &Instrument::name) < InstrumentText(b, &Instrument::name);
    case column::Code: return InstrumentText(a, &Instrument::code) < InstrumentText(b, &Instrument::code);
    case column::Status: return a.statusNote < b.statusNote;
    case column::CorporateAction: return a.caNote < b.caNote;
    case column::TradeType: return a.tradeType < b.tradeType;
    case column::Last: return a.last < b.last;
    case column::Change: return a.change < b.change;
    case column::ChangePercent: return a.changePercent < b.changePercent;
    case column::Amplitude: return a.amplitude < b.amplitude;
    case column::BuyVolume: return a.buyVolume < b.buyVolume;
    case column::Buy: return a.buy < b.buy;
    case column::Sell: return a.sell < b.sell;
    case column::SellVolume: return a.sellVolume < b.sellVolume;
    case column::CumVolume: return a.cumVolume < b.cumVolume;
    case column::CumValue: return a.cumValue < b.cumValue;
    case column::Deals: return a.deals < b.deals;
    case column::MoneyFlow: return a.moneyFlow < b.moneyFlow;
    case column::Open: return a.open < b.open;
    case column::High: return a.high < b.high;
    case column::Low: return a.low < b.low;
    case column::Vwap: return a.vwap < b.vwap;
    case column::PrevClose: return a.prevClose < b.prevClose;
    case column::Closing: return a.closing < b.closing;
    case column::Currency: return InstrumentText(a, &Instrument::currency) < InstrumentText(b, &Instrument::currency);
    case column::Sector: return InstrumentText(a, &Instrument::sector) < InstrumentText(b, &Instrument::sector);
    case column::Type: return InstrumentText(a, &Instrument::type) < InstrumentText(b, &Instrument::type);
    case column::Date: return DateBefore(a, b);
    case column::Time: return a.tradeTime < b.tradeTime;
    case column::Exchange: return InstrumentText(a, &Instrument::exchange) < InstrumentText(b, &Instrument::exchange);
    case column::Flag: return InstrumentText(a, &Instrument::flag) < InstrumentText(b, &Instrument::flag);
    default: return false;  // the row-number column has no order of its own
    }
}
