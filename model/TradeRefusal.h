#pragma once
// Whether an order could be sent for an instrument at all, told before a
// ticket opens.

#include <wx/string.h>

struct Instrument;
struct Price;

/// Why no order can be sent for `instrument` now (an index, or trading
/// halted by its status or its quote's note), or empty when one can.
wxString TradeRefusal(const Instrument& instrument, const Price* quote);
