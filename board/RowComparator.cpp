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

const void* SortKeyAddress(int col, const Price& price)
{
    switch (col)
    {
    case column::Last: return &price.last;
    case column::Change: return &price.change;
    case column::ChangePercent: return &price.changePercent;
    case column::Amplitude: return &price.amplitude;
    case column::BuyVolume: return &price.buyVolume;
    case column::Buy: return &price.buy;
    case column::Sell: return &price.sell;
    case column::SellVolume: return &price.sellVolume;
    case column::CumVolume: return &price.cumVolume;
    case column::CumValue: return &price.cumValue;
    case column::Deals: return &price.deals;
    case column::MoneyFlow: return &price.moneyFlow;
    case column::Open: return &price.open;
    case column::High: return &price.high;
    case column::Low: return &price.low;
    case column::Vwap: return &price.vwap;
    case column::PrevClose: return &price.prevClose;
    case column::Closing: return &price.closing;
    case column::TradeType: return &price.tradeType;
    case column::Time: return &price.tradeTime;
    case column::Date: return &price.tradeDate;
    case column::Status: return &price.statusNote;
    case column::CorporateAction: return &price.caNote;
    default: return &price.instrument;
    }
}

bool HasNumericSortKey(int col)
{
    switch (col)
    {
    case column::TradeType:
    case column::Last:
    case column::Change:
    case column::ChangePercent:
    case column::Amplitude:
    case column::BuyVolume:
    case column::Buy:
    case column::Sell:
    case column::SellVolume:
    case column::CumVolume:
    case column::CumValue:
    case column::Deals:
    case column::MoneyFlow:
    case column::Open:
    case column::High:
    case column::Low:
    case column::Vwap:
    case column::PrevClose:
    case column::Closing: return true;
    default: return false;
    }
}

double NumericSortKey(int col, const Price& price)
{
    switch (col)
    {
    case column::TradeType: return static_cast<double>(price.tradeType);
    case column::Last: return price.last;
    case column::Change: return price.change;
    case column::ChangePercent: return price.changePercent;
    case column::Amplitude: return price.amplitude;
    case column::BuyVolume: return price.buyVolume;
    case column::Buy: return price.buy;
    case column::Sell: return price.sell;
    case column::SellVolume: return price.sellVolume;
    case column::CumVolume: return price.cumVolume;
    case column::CumValue: return price.cumValue;
    case column::Deals: return static_cast<double>(price.deals);
    case column::MoneyFlow: return price.moneyFlow;
    case column::Open: return price.open;
    case column::High: return price.high;
    case column::Low: return price.low;
    case column::Vwap: return price.vwap;
    case column::PrevClose: return price.prevClose;
    case column::Closing: return price.closing;
    default: return 0.0;
    }
}
