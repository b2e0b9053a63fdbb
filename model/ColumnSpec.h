#pragma once
// The fixed column set of a quote board grid.

#include <wx/string.h>

/// Column ids; a grid column's index is its id.
namespace column {
enum Id
{
    No, Name, Code, Status, CorporateAction, TradeType, Last, Change, ChangePercent,
    Amplitude, BuyVolume, Buy, Sell, SellVolume, CumVolume, CumValue, Deals, MoneyFlow,
    Open, High, Low, Vwap, PrevClose, Closing, Currency, Sector, Type, Date, Time,
    Exchange, Flag,
    Count
};
}  // namespace column

/// Which value a column's text colour follows.
enum class ColourRule
{
    None,
    ByLast,          // compared with the previous close, tolerance on ties
    ByBuy,
    BySell,
    ByOwnValue,      // compared with the previous close, exact ties keep the colour
    BySign,
    Bookmark,        // background, not text
};

/// Static description of one column.
struct ColumnSpec
{
    const char* label;   // untranslated
    int changeBit;       // bit position in a quote event's mask, -1 for none
    int horizontalAlignment;
    bool centredVertically;
    ColourRule colourRule;
};

bool IsColumn(int col);
/// The spec of a valid column id.
const ColumnSpec& ColumnAt(int col);
/// Translated label, empty for an unknown id.
wxString ColumnLabel(int col);
/// True for the columns whose texts are figures: cut short, one would read
/// as another value, so it shows whole or not at all.
bool ShowsFigures(int col);
