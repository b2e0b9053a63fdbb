#include "model/ShownNumber.h"

#include <charconv>
#include <string>

#include <wx/numformatter.h>

NumberSeparators NumberSeparators::Current()
{
    NumberSeparators separators;
    wxChar thousands = 0;
    if (wxNumberFormatter::GetThousandsSeparatorIfUsed(&thousands))
        separators.thousands = thousands;
    separators.decimal = wxNumberFormatter::GetDecimalSeparator();
    return separators;
}

std::optional<double> ParseShownNumber(const wxString& text, const NumberSeparators& separators)
{
    // Rebuilt as plain ASCII for from_chars, which ignores the locale.
    std::string plain;
    plain.reserve(text.length());
    auto it = text.begin();
    const auto end = text.end();
    if (it != end && (*it == '+' || *it == '-'))
    {
        if (*it == '-')
            plain += '-';
        ++it;
    }
    int digitsInGroup = 0;   // digits since the last thousands separator or the start
    bool grouped = false;
    bool pointed = false;
    bool sawDigit = false;
    for (; it != end; ++it)
    {
        const wxUniChar c = *it;
        if (c >= '0' && c <= '9')
        {
            plain += static_cast<char>(c.GetValue());
            ++digitsInGroup;
            sawDigit = true;
        }
        else if (!pointed && separators.thousands != 0 && c == separators.thousands)
        {
            // A group separator stands between digits, after 1 to 3 of them
            // at first and exactly 3 later on.
            if (digitsInGroup == 0 || digitsInGroup > 3 || (grouped && digitsInGroup != 3))
                return std::nullopt;
            grouped = true;
            digitsInGroup = 0;
        }
        else if (!pointed && c == separators.decimal)
        {
            if (grouped && digitsInGroup != 3)
                return std::nullopt;
            plain += '.';
            pointed = true;
            digitsInGroup = 0;
        }
        else
            return std::nullopt;
    }
    if (!sawDigit || (grouped && !pointed && digitsInGroup != 3))
        return std::nullopt;
    double value = 0.0;
    const char* first = plain.data();
    const char* last = first + plain.size();
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc() || stop != last)
        return std::nullopt;
    return value;
}
