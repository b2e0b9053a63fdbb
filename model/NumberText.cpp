#include "model/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include <wx/numformatter.h>

namespace {

constexpr size_t kGroup = 3;
constexpr int kLongestPrecision = 20;

int ToolkitStyle(bool dropTrailingZeroes)
{
    return wxNumberFormatter::Style_WithThousandsSep |
           (dropTrailingZeroes ? wxNumberFormatter::Style_NoTrailingZeroes : wxNumberFormatter::Style_None);
}

bool IsAscii(wxChar ch)
{
    return ch > 0 && ch < 0x80;
}

// Groups of three digits left of the decimal separator, counted from it;
// a leading sign is not a digit to group.
void InsertThousands(std::string& text, size_t decimalAt, char separator)
{
    const size_t firstDigit = text[0] == '-' ? 1 : 0;
    size_t at = decimalAt == std::string::npos ? text.size() : decimalAt;
    while (at > firstDigit + kGroup)
    {
        at -= kGroup;
        text.insert(at, 1, separator);
    }
}

void DropTrailingZeroes(std::string& text, char decimal)
{
    const size_t decimalAt = text.find(decimal);
    if (decimalAt == std::string::npos || decimalAt == 0)
        return;
    size_t lastKept = text.find_last_not_of('0');
    if (lastKept == decimalAt)
        --lastKept;
    text.erase(lastKept + 1);
    if (text == "-0")
        text = "0";
}

/// The current locale's separators as the toolkit's formatter reads them.
struct Separators
{
    wxChar decimal = '.';
    wxChar thousands = 0;
    bool grouped = false;
    std::optional<std::string> readIn;  // the C library's numeric locale then
};

// The toolkit asks the locale and converts its answer for each number: a
// twentieth of a full repaint of a board. A locale the toolkit takes on sets
// the C library's as well, so the separators are asked again only when
// the name of that one changes; each thread keeps its own.
const Separators& CurrentSeparators()
{
    thread_local Separators separators;
    const char* locale = std::setlocale(LC_NUMERIC, nullptr);
    const std::string_view name = locale ? locale : "";
    if (separators.readIn != name)
    {
        separators.decimal = wxNumberFormatter::GetDecimalSeparator();
        separators.thousands = 0;
        separators.grouped = wxNumberFormatter::GetThousandsSeparatorIfUsed(&separators.thousands);
        separators.readIn = std::string(name);
    }
    return separators;
}

}  // namespace

wxString GroupedNumberText(double value, int precision, bool dropTrailingZeroes)
{
    const Separators& separators = CurrentSeparators();
    const wxChar decimal = separators.decimal;
    const wxChar thousands = separators.thousands;
    const bool grouped = separators.grouped;
    // Anything unusual, an exotic separator or a number too long for the
    // buffer, goes to the formatter itself.
    char digits[64];
    const std::to_chars_result converted =
        std::isfinite(value) && precision >= 0 && precision <= kLongestPrecision
            ? std::to_chars(digits, digits + sizeof(digits), value, std::chars_format::fixed, precision)
            : std::to_chars_result{nullptr, std::errc::value_too_large};
    if (converted.ec != std::errc() || !IsAscii(decimal) || (grouped && !IsAscii(thousands)))
        return wxNumberFormatter::ToString(value, precision, ToolkitStyle(dropTrailingZeroes));

    std::string text(digits, converted.ptr);
    const size_t decimalAt = text.find('.');
    if (decimalAt != std::string::npos)
        text[decimalAt] = static_cast<char>(decimal);
    if (grouped)
        InsertThousands(text, decimalAt, static_cast<char>(thousands));
    if (dropTrailingZeroes)
        DropTrailingZeroes(text, static_cast<char>(decimal));
    return wxString::FromAscii(text.data(), text.size());
}
