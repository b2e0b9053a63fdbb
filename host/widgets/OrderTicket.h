#pragma once
// What an order ticket holds and how a link event fills it.

#include <string>

#include <wx/string.h>

class wxCommandEvent;

#include "contract/Records.h"

/// One order as the user is about to send it.
struct OrderTicket
{
    enum class Side { Buy, Sell };

    Side side = Side::Buy;
    Instrument* instrument = nullptr;
    double price = 0.0;
    double quantity = 0.0;
    /// The live quote, whose status note can halt the instrument for the session.
    const Price* quote = nullptr;

    /// The side an OpenWidget mode word asks for (0x42 = sell, else buy).
    static Side SideForMode(int mode);
    /// The decimals a price in ticks counts: the instrument's, 5 without them.
    static int TickDecimals(const Instrument* instrument);
    /// A price sent in ticks (price x 10^decimals) back as a price; 0 ticks
    /// is no price.
    static double PriceFromTicks(long ticks, const Instrument* instrument);
    /// Reads the price (ticks in the int) and quantity (text) of a ticket
    /// link; false for any other link, which leaves both untouched.
    static bool ReadTicketLink(const wxCommandEvent& event, const Instrument* instrument, double& price,
                               double& quantity);
    /// The price to start with when no price came along: the opposite best.
    static double DefaultPrice(Side side, const Price& quote);

    /// Why the order cannot go out, empty when it can.
    wxString Problem(bool tradingAllowed) const;
    /// "BUY 1,000 ARPI @ 91.96" for the confirmation and the log.
    wxString Describe() const;
};
