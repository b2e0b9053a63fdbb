#pragma once
// Quote update events as the host sends them.

#include <wx/event.h>

#include "contract/CommandIds.h"
#include "contract/Records.h"

namespace testing_support {

// Change-mask bits the host sets for the fields it changed.
constexpr int kBuyMask = 1 << 4;
constexpr int kLastMask = 1 << 12;

/// A quote update for `price` changing the fields in `mask`; `flash` asks
/// the board to flash the changed cells.
inline wxCommandEvent QuoteEvent(Price* price, int mask, bool flash = false)
{
    wxCommandEvent event(wxEVT_MENU, cmd::QuoteUpdate);
    event.SetClientData(price);
    event.SetInt(mask);
    event.SetExtraLong(flash ? 1 : 0);
    return event;
}

/// Queues a quote update on `board`, as the host does; nothing is handled
/// until the queue is flushed.
inline void PostQuote(wxEvtHandler* board, Price* price, int mask, bool flash = false)
{
    wxPostEvent(board, QuoteEvent(price, mask, flash));
}

}  // namespace testing_support
