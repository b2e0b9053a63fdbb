#pragma once
// Grouped fixed-point texts of numbers, the hottest formatting of a board.

#include <wx/string.h>

/// Exactly what the toolkit's number formatter gives for `value` with
/// `precision` decimals, thousands separators and, when asked, no trailing
/// zeroes, in the current locale. Builds the text from the shortest digit
/// conversion instead of the formatter's wide printf, which costs a full
/// repaint of a large board more than its drawing.
wxString GroupedNumberText(double value, int precision, bool dropTrailingZeroes);
