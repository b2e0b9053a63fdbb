#include "model/RowComparator.h"

#include <string>

#include "model/ColumnSpec.h"
#include "contract/Records.h"

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

// The quote field of every column that shows one floating-point number.
double Price::*NumberField(int col)
{
    switch (col)
    {
    case column::Last: return &Price::last;
    case column::Change: return &Price::change;
    case column::ChangePercent: return &Price::changePercent;
    case column::Amplitude: return &Price::amplitude;
    case column::BuyVolume: return &Price::buyVolume;
    case column::Buy: return &Price::buy;
    case column::Sell: return &Price::sell;
    case column::SellVolume: return &Price::sellVolume;
    case column::CumVolume: return &Price::cumVolume;
    case column::CumValue: return &Price::cumValue;
    case column::MoneyFlow: return &Price::moneyFlow;
    case column::Open: return &Price::open;
    case column::High: return &Price::high;
    case column::Low: return &Price::low;
    case column::Vwap: return &Price::vwap;
    case column::PrevClose: return &Price::prevClose;
    case column::Closing: return &Price::closing;
    default: return nullptr;
    }
}

}  // namespace

bool CompareRows(int col, const Price& a, const Price& b)
{
    if (const auto field = NumberField(col))
        return a.*field < b.*field;
    switch (col)
    {
    case column::Name: return InstrumentText(a, &Instrument::name) < InstrumentText(b, &Instrument::name);
    case column::Code: return InstrumentText(a, &Instrument::code) < InstrumentText(b, &Instrument::code);
    case column::Status: return a.statusNote < b.statusNote;
    case column::CorporateAction: return a.caNote < b.caNote;
    case column::TradeType: return a.tradeType < b.tradeType;
    case column::Deals: return a.deals < b.deals;
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
    if (const auto field = NumberField(col))
        return &(price.*field);
    switch (col)
    {
    case column::Deals: return &price.deals;
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
    return NumberField(col) || col == column::Deals || col == column::TradeType;
}

double NumericSortKey(int col, const Price& price)
{
    if (const auto field = NumberField(col))
        return price.*field;
    if (col == column::Deals)
        return static_cast<double>(price.deals);
    if (col == column::TradeType)
        return static_cast<double>(price.tradeType);
    return 0.0;
}
