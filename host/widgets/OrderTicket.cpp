#include "OrderTicket.h"

#include <cmath>

#include <wx/intl.h>
#include <wx/event.h>
#include <wx/numformatter.h>
#include <wx/tokenzr.h>

#include "InstrumentPanel.h"
#include "contract/CommandIds.h"

OrderTicket::Side OrderTicket::SideForMode(int mode)
{
    return mode == open_mode::SellTicket ? Side::Sell : Side::Buy;
}

int OrderTicket::TickDecimals(const Instrument* instrument)
{
    // The board's rule when it encodes: an instrument without decimals uses 5.
    return instrument && instrument->decimals >= 0 ? instrument->decimals : 5;
}

double OrderTicket::PriceFromTicks(long ticks, const Instrument* instrument)
{
    return static_cast<double>(ticks) / std::pow(10.0, TickDecimals(instrument));
}

bool OrderTicket::ReadTicketLink(const wxCommandEvent& event, const Instrument* instrument, double& price,
                                 double& quantity)
{
    // Cell clicks carry no text and instrument views a date or nothing; only
    // a ticket link carries its quantity, written with two decimals.
    const wxString text = event.GetString();
    if (text.empty() || !text.Contains(wxNumberFormatter::GetDecimalSeparator()) ||
        !wxNumberFormatter::FromString(text, &quantity))
        return false;
    // The board sends the ticks in 64 bits; a sender that fills only the
    // 32-bit int leaves the extra long 0.
    price = PriceFromTicks(event.GetExtraLong() != 0 ? event.GetExtraLong() : event.GetInt(), instrument);
    return true;
}

double OrderTicket::DefaultPrice(Side side, const Price& quote)
{
    const double opposite = side == Side::Buy ? quote.sell : quote.buy;
    return opposite > 0 ? opposite : quote.last;
}

namespace {

// Status texts list their flags separated by ";" ("Pre-open;SSR").
bool SaysHalted(const std::string& status)
{
    wxStringTokenizer flags(wxString::FromUTF8(status), ";");
    while (flags.HasMoreTokens())
        if (flags.GetNextToken().Trim().Trim(false).IsSameAs("Halted", false))
            return true;
    return false;
}

// Halted by its own status or by the session's note on its quote.
bool IsHalted(const Instrument& instrument, const Price* quote)
{
    return SaysHalted(instrument.tradingStatus) || (quote && SaysHalted(quote->statusNote));
}

// An index is a number to watch, not something an exchange trades.
bool IsTradable(const Instrument& instrument)
{
    return instrument.assetId != "index";
}

}  // namespace

wxString OrderTicket::Problem(bool tradingAllowed) const
{
    if (!tradingAllowed)
        return _("Trading is not permitted for this user.");
    if (!instrument)
        return _("Choose an instrument on a board first.");
    const wxString code = wxString::FromUTF8(instrument->code);
    if (!IsTradable(*instrument))
        return wxString::Format(_("%s is an index: it cannot be traded."), code);
    if (IsHalted(*instrument, quote))
        return wxString::Format(_("Trading in %s is halted: no orders can be sent."), code);
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
