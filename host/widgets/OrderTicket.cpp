#include "OrderTicket.h"

#include <cmath>

#include <wx/intl.h>
#include <wx/numformatter.h>

#include "InstrumentPanel.h"
#include "contract/CommandIds.h"

OrderTicket::Side OrderTicket::SideForMode(int mode)
{
    return mode == open_mode::SellTicket ? Side::Sell : Side::Buy;
}

double OrderTicket::PriceFromTicks(long ticks, const Instrument* instrument)
{
    const int decimals = instrument && instrument->decimals >= 0 ? instrument->decimals : 2;
    return static_cast<double>(ticks) / std::pow(10.0, decimals);
}

double OrderTicket::DefaultPrice(Side side, const Price& quote)
{
    const double opposite = side == Side::Buy ? quote.sell : quote.buy;
    return opposite > 0 ? opposite : quote.last;
}

wxString OrderTicket::Problem(bool tradingAllowed) const
{
    if (!tradingAllowed)
        return _("Trading is not permitted for this user.");
    if (!instrument)
        return _("Choose an instrument on a board first.");
    if (!(price > 0) || !std::isfinite(price))
        return _("Enter a price above zero.");
    if (!(quantity > 0) || !std::isfinite(quantity))
        return _("Enter a quantity above zero.");
    return wxString();
}

wxString OrderTicket::Describe() const
{
    const wxString sideText = side == Side::Buy ? _("BUY") : _("SELL");
    const wxString code = instrument ? wxString::FromUTF8(instrument->code) : wxString("?");
    return wxString::Format("%s %s %s @ %s", sideText,
                            wxNumberFormatter::ToString(quantity, 2,
                                                        wxNumberFormatter::Style_WithThousandsSep |
                                                            wxNumberFormatter::Style_NoTrailingZeroes),
                            code, FormatPrice(price, instrument));
}
