#pragma once
// Cell texts of the quote columns, formatted from the live quote.

#include <string>

#include <wx/string.h>

#include "model/ComputedColumns.h"

struct Price;

namespace quote_format {

/// Values whose magnitude is below this count as zero.
constexpr double kZeroTolerance = 1e-8;

bool IsZero(double value);

/// Instrument price decimals, or 5 without trailing zeroes when not given.
wxString PriceText(double value, int decimals);
/// Like PriceText but shows zero too (the caller decides when to blank).
wxString PriceTextAllowZero(double value, int decimals);
/// Volumes: 5 decimals without trailing zeroes, or in thousands with three.
wxString VolumeText(double value, bool inThousands);
wxString TwoDecimalsText(double value);
/// "+" in front of positive values; zero shows "0.00".
wxString SignedTwoDecimalsText(double value);
wxString JoinedText(const std::string& note, const std::string& instrumentText);
/// "%Y%m%d" shown as YYYY-MM-DD; blank when it does not parse.
wxString DateText(const std::string& yyyymmdd);

}  // namespace quote_format

/// Formats the text of any cell of a quote row.
struct QuoteFormat
{
    bool volumeInThousands = false;
    /// The tab's own columns after the fixed ones; a copy reads their
    /// formulas again, so it can be handed to another thread.
    ComputedColumns computed;

    wxString CellText(int row, int col, const Price& price) const;
};
