#pragma once
// Number texts as the current locale writes them, for the checks of cell
// and alert texts.

#include <wx/numformatter.h>

#include "support/GroupingLocale.h"

namespace testing_support {

/// The digits grouped by threes and the fraction joined with the separators
/// the toolkit's formatter uses now, rather than assuming a comma and a dot.
inline wxString Grouped(const wxString& integerPart, const wxString& fraction = wxString())
{
    wxString result;
    wxChar thousands = 0;
    const bool grouping = wxNumberFormatter::GetThousandsSeparatorIfUsed(&thousands);
    const int length = static_cast<int>(integerPart.length());
    for (int i = 0; i < length; ++i)
    {
        if (grouping && i > 0 && (length - i) % 3 == 0)
            result += thousands;
        result += integerPart[i];
    }
    if (!fraction.empty())
        result += wxString(wxNumberFormatter::GetDecimalSeparator()) + fraction;
    return result;
}

}  // namespace testing_support
