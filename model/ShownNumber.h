#pragma once
// Reading back a number from the text a cell shows.

#include <optional>

#include <wx/string.h>

/// The separators a number text is grouped and pointed with.
struct NumberSeparators
{
    wxUniChar thousands;   // 0 when numbers are not grouped
    wxUniChar decimal = '.';

    /// The current locale's, as the toolkit's number formatter uses them.
    static NumberSeparators Current();
};

/// The value of a text such as "-1,234.50" or "+0.25" shown with
/// `separators`; none for anything else (blank, letters, misplaced
/// separators), which then stays text.
std::optional<double> ParseShownNumber(const wxString& text, const NumberSeparators& separators);
