#include "model/CellColour.h"

#include <cmath>

#include "model/ColumnSpec.h"
#include "model/QuoteFormat.h"
#include "contract/Records.h"

namespace {

using quote_format::IsZero;
using quote_format::kZeroTolerance;

// Prices against the previous close. Only the "Last/Buy/Sell" family treats
// near-equal values as equal; the session extremes keep their colour only on
// an exact tie so that a high which touches the close keeps showing which side
// it came from.
CellColour AgainstPreviousClose(double value, double previousClose, bool tolerant,
                                CellColour previous)
{
    if (IsZero(previousClose))
        return CellColour::Foreground;
    if (tolerant && std::fabs(value - previousClose) < kZeroTolerance)
        return CellColour::Foreground;
    if (value > previousClose)
        return CellColour::Up;
    if (value < previousClose)
        return CellColour::Down;
    return previous;
}

}  // namespace

CellColour TextColourFor(int col, const Price& price, CellColour previous)
{
    if (!IsColumn(col))
        return CellColour::Unset;
    switch (ColumnAt(col).colourRule)
    {
    case ColourRule::ByLast:
        return AgainstPreviousClose(price.last, price.prevClose, true, previous);
    case ColourRule::ByBuy:
        return AgainstPreviousClose(price.buy, price.prevClose, true, previous);
    case ColourRule::BySell:
        return AgainstPreviousClose(price.sell, price.prevClose, true, previous);
    case ColourRule::ByOwnValue:
        return AgainstPreviousClose(price.*ColumnAt(col).number, price.prevClose, false, previous);
    case ColourRule::BySign:
        if (price.moneyFlow > kZeroTolerance)
            return CellColour::Up;
        if (price.moneyFlow < -kZeroTolerance)
            return CellColour::Down;
        return CellColour::Foreground;
    default:
        return CellColour::Unset;
    }
}
