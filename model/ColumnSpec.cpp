#include "model/ColumnSpec.h"

#include <cstddef>

#include <wx/defs.h>
#include <wx/intl.h>

#include "contract/Records.h"
#include "model/QuoteFormat.h"

namespace {

constexpr int kLeft = wxALIGN_LEFT;
constexpr int kCentre = wxALIGN_CENTRE;
constexpr int kRight = wxALIGN_RIGHT;

constexpr double Price::*kNoNumber = nullptr;
constexpr const std::string Instrument::*kNoText = nullptr;

using C = ColourRule;
using K = ValueKind;
using D = Decimals;
using B = Blank;
using F = FilterKind;

// Columns with a colour rule and the plain numeric ones read better centred
// in the row height; the texts stay on the top line.
//
// Two facts look alike and are kept apart on purpose. A price in the
// instrument's units (Decimals::Instrument) is exported in the instrument's
// decimals, the previous close and the closing price included, but not the
// change in percent. Dimming when stale marks what follows the live trades:
// the percent change does, the previous close and the closing price are the
// day's fixed figures and stay as they are.
constexpr ColumnSpec kColumns[column::Count] = {
    {column::No, wxTRANSLATE("No."), -1, kCentre, true, C::Bookmark, K::Number, D::RowNumber, B::WhenZero,
     kNoNumber, kNoText, F::None, false},
    {column::Name, wxTRANSLATE("Name"), 0, kLeft, false, C::None, K::Text, D::None, B::WhenZero, kNoNumber,
     &Instrument::name, F::Text, false},
    {column::Code, wxTRANSLATE("Code"), 3, kLeft, false, C::None, K::Text, D::None, B::WhenZero, kNoNumber,
     &Instrument::code, F::Text, false},
    {column::Status, wxTRANSLATE("Status"), 1, kCentre, false, C::None, K::Text, D::None, B::WhenZero, kNoNumber,
     kNoText, F::Text, false},
    {column::CorporateAction, wxTRANSLATE("CA"), 2, kCentre, false, C::None, K::Text, D::None, B::WhenZero,
     kNoNumber, kNoText, F::Text, false},
    // The trade's direction filters by its character code.
    {column::TradeType, wxTRANSLATE("T"), 27, kCentre, false, C::None, K::Text, D::None, B::WhenZero, kNoNumber,
     kNoText, F::Number, false},
    {column::Last, wxTRANSLATE("Last"), 12, kRight, true, C::ByLast, K::Number, D::Instrument, B::WhenZero,
     &Price::last, kNoText, F::Number, true},
    {column::Change, wxTRANSLATE("+/-"), 15, kRight, true, C::ByLast, K::Number, D::Instrument, B::UntilTraded,
     &Price::change, kNoText, F::Number, true},
    {column::ChangePercent, wxTRANSLATE("+/-%"), 17, kRight, true, C::ByLast, K::Number, D::SignedTwo,
     B::UntilTraded, &Price::changePercent, kNoText, F::Number, true},
    {column::Amplitude, wxTRANSLATE("Amp%"), 30, kRight, true, C::None, K::Number, D::Two, B::WhenZero,
     &Price::amplitude, kNoText, F::Number, false},
    {column::BuyVolume, wxTRANSLATE("BuyVol"), 5, kRight, true, C::None, K::Number, D::Volume, B::WhenZero,
     &Price::buyVolume, kNoText, F::Number, false},
    {column::Buy, wxTRANSLATE("Buy"), 4, kRight, true, C::ByBuy, K::Number, D::Instrument, B::WhenZero, &Price::buy,
     kNoText, F::Number, true},
    {column::Sell, wxTRANSLATE("Sell"), 6, kRight, true, C::BySell, K::Number, D::Instrument, B::WhenZero,
     &Price::sell, kNoText, F::Number, true},
    {column::SellVolume, wxTRANSLATE("Sell Vol"), 7, kRight, true, C::None, K::Number, D::Volume, B::WhenZero,
     &Price::sellVolume, kNoText, F::Number, false},
    {column::CumVolume, wxTRANSLATE("Cum Vol"), 20, kRight, true, C::None, K::Number, D::Volume, B::WhenZero,
     &Price::cumVolume, kNoText, F::Number, false},
    {column::CumValue, wxTRANSLATE("Cum Val"), 28, kRight, true, C::None, K::Number, D::Two, B::WhenZero,
     &Price::cumValue, kNoText, F::Number, false},
    // A whole count, not a double field of the quote.
    {column::Deals, wxTRANSLATE("Deals"), 8, kRight, true, C::None, K::Number, D::Whole, B::WhenZero, kNoNumber,
     kNoText, F::Number, false},
    {column::MoneyFlow, wxTRANSLATE("Money Flow"), 9, kRight, true, C::BySign, K::Number, D::SignedTwo,
     B::WhenZero, &Price::moneyFlow, kNoText, F::Number, false},
    {column::Open, wxTRANSLATE("Open"), 16, kRight, true, C::ByOwnValue, K::Number, D::Instrument, B::WhenZero,
     &Price::open, kNoText, F::Number, true},
    {column::High, wxTRANSLATE("High"), 10, kRight, true, C::ByOwnValue, K::Number, D::Instrument, B::WhenZero,
     &Price::high, kNoText, F::Number, true},
    {column::Low, wxTRANSLATE("Low"), 11, kRight, true, C::ByOwnValue, K::Number, D::Instrument, B::WhenZero,
     &Price::low, kNoText, F::Number, true},
    {column::Vwap, wxTRANSLATE("Vwap"), 23, kRight, true, C::ByOwnValue, K::Number, D::Instrument, B::WhenZero,
     &Price::vwap, kNoText, F::Number, true},
    {column::PrevClose, wxTRANSLATE("Prev Close"), 19, kRight, true, C::None, K::Number, D::Instrument,
     B::WhenZero, &Price::prevClose, kNoText, F::Number, false},
    {column::Closing, wxTRANSLATE("Closing"), 18, kRight, true, C::None, K::Number, D::Instrument, B::WhenZero,
     &Price::closing, kNoText, F::Number, false},
    {column::Currency, wxTRANSLATE("CCY"), -1, kCentre, false, C::None, K::Text, D::None, B::WhenZero, kNoNumber,
     &Instrument::currency, F::Text, false},
    {column::Sector, wxTRANSLATE("Sector"), -1, kLeft, false, C::None, K::Text, D::None, B::WhenZero, kNoNumber,
     &Instrument::sector, F::Text, false},
    {column::Type, wxTRANSLATE("Type"), -1, kLeft, false, C::None, K::Text, D::None, B::WhenZero, kNoNumber,
     &Instrument::type, F::Text, false},
    // Filtered on the date as shown, compared as text.
    {column::Date, wxTRANSLATE("Date"), 22, kCentre, false, C::None, K::Figures, D::None, B::WhenZero, kNoNumber,
     kNoText, F::Text, false},
    {column::Time, wxTRANSLATE("Time"), 26, kCentre, false, C::None, K::Figures, D::None, B::WhenZero, kNoNumber,
     kNoText, F::None, false},
    {column::Exchange, wxTRANSLATE("Exchange"), 31, kCentre, false, C::None, K::Text, D::None, B::WhenZero,
     kNoNumber, &Instrument::exchange, F::None, false},
    {column::Flag, wxTRANSLATE("C"), -1, kCentre, false, C::None, K::Text, D::None, B::WhenZero, kNoNumber,
     &Instrument::flag, F::None, false},
    // The last price's line over the sampled window; sorted and exported by
    // its change over that window, in the instrument's units.
    {column::Trend, wxTRANSLATE("Trend"), -1, kCentre, true, C::None, K::Drawing, D::Instrument, B::WhenZero,
     kNoNumber, kNoText, F::None, false},
};

// Stands for every computed column; its decimals are each column's own.
constexpr ColumnSpec kComputed = {column::Count, "", -1, kRight, true, C::None, K::Number, D::None, B::WhenZero,
                                  kNoNumber, kNoText, F::Number, false};

constexpr bool RowsInIdOrder()
{
    for (int col = 0; col < column::Count; ++col)
        if (kColumns[col].id != col)
            return false;
    return true;
}
static_assert(RowsInIdOrder(), "the row of each column stands at its id");

constexpr int TieSlot(int col)
{
    int slot = 0;
    for (int before = 0; before < col; ++before)
        if (kColumns[before].colourRule == ColourRule::ByOwnValue)
            ++slot;
    return kColumns[col].colourRule == ColourRule::ByOwnValue ? slot : -1;
}

constexpr int kTieSlotCount = []
{
    int count = 0;
    for (const ColumnSpec& spec : kColumns)
        count += spec.colourRule == ColourRule::ByOwnValue ? 1 : 0;
    return count;
}();

}  // namespace

bool IsColumn(int col)
{
    return col >= 0 && col < column::Count;
}

const ColumnSpec& ColumnAt(int col)
{
    return kColumns[col];
}

const ColumnSpec& ComputedColumnSpec()
{
    return kComputed;
}

bool ShowsFigures(int col)
{
    return IsComputedColumn(col) ||
           (IsColumn(col) && (kColumns[col].kind == ValueKind::Figures || kColumns[col].kind == ValueKind::Number));
}

bool TakesBars(int col)
{
    return IsComputedColumn(col) ||
           (IsColumn(col) && kColumns[col].kind == ValueKind::Number && kColumns[col].decimals != Decimals::RowNumber);
}

bool IsDrawnColumn(int col)
{
    return IsColumn(col) && kColumns[col].kind == ValueKind::Drawing;
}

int TieSlotOf(int col)
{
    return IsColumn(col) ? TieSlot(col) : -1;
}

int TieSlotCount()
{
    return kTieSlotCount;
}

double QuoteNumber(int col, const Price& price)
{
    if (!IsColumn(col))
        return 0.0;
    if (const auto field = kColumns[col].number)
        return price.*field;
    switch (col)
    {
    case column::TradeType: return static_cast<unsigned char>(price.tradeType);
    case column::Deals: return price.deals;
    default: return 0.0;
    }
}

bool ShowsBlank(int col, const Price& price)
{
    const double shown = IsColumn(col) && kColumns[col].blank == Blank::UntilTraded ? price.last
                                                                                     : QuoteNumber(col, price);
    return quote_format::IsZero(shown);
}

bool NamesInFormulas(int col)
{
    return IsColumn(col) && kColumns[col].kind == ValueKind::Number && kColumns[col].decimals != Decimals::RowNumber;
}

wxString ColumnLabel(int col)
{
    if (!IsColumn(col))
        return wxString();
    return wxGetTranslation(kColumns[col].label);
}
