#include "model/TradeRefusal.h"

#include <wx/intl.h>
#include <wx/tokenzr.h>

#include "contract/Records.h"

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

}  // namespace

wxString TradeRefusal(const Instrument& instrument, const Price* quote)
{
    const wxString code = wxString::FromUTF8(instrument.code);
    // An index is a number to watch, not something an exchange trades.
    if (instrument.assetId == "index")
        return wxString::Format(_("%s is an index: it cannot be traded."), code);
    if (SaysHalted(instrument.tradingStatus) || (quote && SaysHalted(quote->statusNote)))
        return wxString::Format(_("Trading in %s is halted: no orders can be sent."), code);
    return wxString();
}
