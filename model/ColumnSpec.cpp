#include "model/ColumnSpec.h"

#include <wx/defs.h>
#include <wx/intl.h>

namespace {

constexpr int kLeft = wxALIGN_LEFT;
constexpr int kCentre = wxALIGN_CENTRE;
constexpr int kRight = wxALIGN_RIGHT;

// Columns with a colour rule and the plain numeric ones read better centred
// in the row height; the texts stay on the top line.
const ColumnSpec kColumns[column::Count] = {
    {wxTRANSLATE("No."), -1, kCentre, true, ColourRule::Bookmark},
    {wxTRANSLATE("Name"), 0, kLeft, false, ColourRule::None},
    {wxTRANSLATE("Code"), 3, kLeft, false, ColourRule::None},
    {wxTRANSLATE("Status"), 1, kCentre, false, ColourRule::None},
    {wxTRANSLATE("CA"), 2, kCentre, false, ColourRule::None},
    {wxTRANSLATE("T"), 27, kCentre, false, ColourRule::None},
    {wxTRANSLATE("Last"), 12, kRight, true, ColourRule::ByLast},
    {wxTRANSLATE("+/-"), 15, kRight, true, ColourRule::ByLast},
    {wxTRANSLATE("+/-%"), 17, kRight, true, ColourRule::ByLast},
    {wxTRANSLATE("Amp%"), 30, kRight, true, ColourRule::None},
    {wxTRANSLATE("BuyVol"), 5, kRight, true, ColourRule::None},
    {wxTRANSLATE("Buy"), 4, kRight, true, ColourRule::ByBuy},
    {wxTRANSLATE("Sell"), 6, kRight, true, ColourRule::BySell},
    {wxTRANSLATE("Sell Vol"), 7, kRight, true, ColourRule::None},
    {wxTRANSLATE("Cum Vol"), 20, kRight, true, ColourRule::None},
    {wxTRANSLATE("Cum Val"), 28, kRight, true, ColourRule::None},
    {wxTRANSLATE("Deals"), 8, kRight, true, ColourRule::None},
    {wxTRANSLATE("Money Flow"), 9, kRight, true, ColourRule::BySign},
    {wxTRANSLATE("Open"), 16, kRight, true, ColourRule::ByOwnValue},
    {wxTRANSLATE("High"), 10, kRight, true, ColourRule::ByOwnValue},
    {wxTRANSLATE("Low"), 11, kRight, true, ColourRule::ByOwnValue},
    {wxTRANSLATE("Vwap"), 23, kRight, true, ColourRule::ByOwnValue},
    {wxTRANSLATE("Prev Close"), 19, kRight, true, ColourRule::None},
    {wxTRANSLATE("Closing"), 18, kRight, true, ColourRule::None},
    {wxTRANSLATE("CCY"), -1, kCentre, false, ColourRule::None},
    {wxTRANSLATE("Sector"), -1, kLeft, false, ColourRule::None},
    {wxTRANSLATE("Type"), -1, kLeft, false, ColourRule::None},
    {wxTRANSLATE("Date"), 22, kCentre, false, ColourRule::None},
    {wxTRANSLATE("Time"), 26, kCentre, false, ColourRule::None},
    {wxTRANSLATE("Exchange"), 31, kCentre, false, ColourRule::None},
    {wxTRANSLATE("C"), -1, kCentre, false, ColourRule::None},
};

}  // namespace

bool IsColumn(int col)
{
    return col >= 0 && col < column::Count;
}

const ColumnSpec& ColumnAt(int col)
{
    return kColumns[col];
}

bool ShowsFigures(int col)
{
    return col == column::No || (col >= column::Last && col <= column::Closing) || col == column::Date ||
           col == column::Time;
}

wxString ColumnLabel(int col)
{
    if (!IsColumn(col))
        return wxString();
    return wxGetTranslation(kColumns[col].label);
}
