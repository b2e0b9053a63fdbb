#pragma once
// The fixed column set of a quote board grid, and every fact the board
// knows about a column, in one table: adding a column is one row there.

#include <string>

#include <wx/string.h>

struct Instrument;
struct Price;

/// Column ids; a grid column's index is its id, and the layout stores it.
namespace column {
enum Id
{
    No, Name, Code, Status, CorporateAction, TradeType, Last, Change, ChangePercent,
    Amplitude, BuyVolume, Buy, Sell, SellVolume, CumVolume, CumValue, Deals, MoneyFlow,
    Open, High, Low, Vwap, PrevClose, Closing, Currency, Sector, Type, Date, Time,
    Exchange, Flag, Trend,
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

/// What a column's cells hold, as a sheet and the figure check read it.
enum class ValueKind
{
    Text,    // words: cut short, a word still reads
    Figures, // texts made of figures (dates, times): shown whole or not at all
    Number,  // one number, exported as a number
    Drawing, // a picture of the board's own samples: no text, its figure exported
};

/// How a column's figures are written, on screen and in an exported sheet.
enum class Decimals
{
    None,       // not a number
    RowNumber,  // the row's place, no format of its own
    Instrument, // in the instrument's price units: its decimals
    Two,
    SignedTwo,  // two decimals, a plus before a rise
    Volume,     // shares, or thousands with three decimals
    Whole,
};

/// When a number column shows nothing.
enum class Blank
{
    WhenZero,
    UntilTraded, // while the instrument has no last price, whatever the host still holds
};

/// How a filter reads a column: as a number, as text, or not at all.
enum class FilterKind
{
    None,
    Number,
    Text
};

/// Static description of one column.
struct ColumnSpec
{
    column::Id id;       // its row's place; checked at compile time
    const char* label;   // untranslated, the English text translations key on
    int changeBit;       // bit position in a quote event's mask, -1 for none
    int horizontalAlignment;
    bool centredVertically;
    ColourRule colourRule;
    ValueKind kind;
    Decimals decimals;
    Blank blank;
    double Price::*number;                 // the quote field shown, for plain number columns
    const std::string Instrument::*text;   // the instrument field shown, for plain text columns
    FilterKind filter;
    bool dimsWhenStale;  // a live figure, dimmed while its quote is stale
};

bool IsColumn(int col);
/// The spec of a valid column id.
const ColumnSpec& ColumnAt(int col);
/// Translated label, empty for an unknown id.
wxString ColumnLabel(int col);
/// True for the columns whose texts are figures: cut short, one would read
/// as another value, so it shows whole or not at all.
bool ShowsFigures(int col);
/// True for the columns drawn rather than written: they are hidden until
/// the user shows them (they cost samples), copies leave them out, and the
/// sheet gets the figure the picture stands for.
bool IsDrawnColumn(int col);
/// True for the columns that can show bars in their cells: those of one
/// number (not the row's place), computed ones included.
bool TakesBars(int col);
/// The number a number column shows for `price` (a price, a count, a
/// trade's direction as its character code); 0 for other columns.
double QuoteNumber(int col, const Price& price);

/// True where the number column shows nothing for `price`.
bool ShowsBlank(int col, const Price& price);
/// The columns a computed column's formula may name: every number of the quote.
bool NamesInFormulas(int col);
/// Grid columns past the fixed ones are a tab's computed columns: numbers
/// of the trader's formulas, stored by name.
inline bool IsComputedColumn(int col)
{
    return col >= column::Count;
}

/// The facts every computed column shares: a number, right-aligned, no
/// colour of its own, filtered as a number.
const ColumnSpec& ComputedColumnSpec();

/// The columns coloured by their own value keep a colour on exact ties, one
/// slot per row each: the slot of `col`, or -1 for other columns.
int TieSlotOf(int col);
/// How many such columns there are.
int TieSlotCount();
