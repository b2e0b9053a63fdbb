#include "model/QuoteFormat.h"

#include <cctype>
#include <cmath>

#include <wx/datetime.h>

#include "model/ColumnSpec.h"
#include "model/NumberText.h"
#include "contract/Records.h"

namespace quote_format {

namespace {

constexpr int kUnknownDecimals = 5;

// Values inside the tolerance are shown as an unsigned zero, never "-0.00".
double Normalised(double value)
{
    return IsZero(value) ? 0.0 : value;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int Digits(const std::string& text, size_t from, size_t count)
{
    int value = 0;
    for (size_t i = from; i < from + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

// Eight digits forming a real date are by far the common case; it is
// formatted without going through the general date parser.
bool FormatPlainDate(const std::string& text, wxString& out)
{
    if (text.size() != 8)
        return false;
    for (char ch : text)
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    const int year = Digits(text, 0, 4);
    const int month = Digits(text, 4, 2);
    const int day = Digits(text, 6, 2);
    if (year < 1000 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    out = wxString::Format("%04d-%02d-%02d", year, month, day);
    return true;
}

}  // namespace

bool IsZero(double value)
{
    return std::fabs(value) < kZeroTolerance;
}

wxString PriceTextAllowZero(double value, int decimals)
{
    value = Normalised(value);
    if (decimals >= 0)
        return GroupedNumberText(value, decimals, false);
    return GroupedNumberText(value, kUnknownDecimals, true);
}

wxString PriceText(double value, int decimals)
{
    if (IsZero(value))
        return wxString();
    return PriceTextAllowZero(value, decimals);
}

wxString VolumeText(double value, bool inThousands)
{
    if (IsZero(value))
        return wxString();
    // Thousands all show three decimals, the shares below a thousand: a
    // column whose figures had different decimals could not be compared at a glance.
    if (inThousands)
        return GroupedNumberText(value / 1000.0, 3, false);
    return GroupedNumberText(Normalised(value), kUnknownDecimals, true);
}

wxString TwoDecimalsText(double value)
{
    if (IsZero(value))
        return wxString();
    return GroupedNumberText(value, 2, false);
}

wxString SignedTwoDecimalsText(double value)
{
    value = Normalised(value);
    const wxString text = GroupedNumberText(value, 2, false);
    return value > kZeroTolerance ? "+" + text : text;
}

wxString JoinedText(const std::string& note, const std::string& instrumentText)
{
    if (instrumentText.empty())
        return wxString::FromUTF8(note);
    if (note.empty())
        return wxString::FromUTF8(instrumentText);
    return wxString::FromUTF8(note + ";" + instrumentText);
}

wxString DateText(const std::string& yyyymmdd)
{
    if (yyyymmdd.empty())
        return wxString();
    wxString text;
    if (FormatPlainDate(yyyymmdd, text))
        return text;
    wxDateTime date;
    const wxString input = wxString::FromUTF8(yyyymmdd);
    wxString::const_iterator end;
    if (!date.ParseFormat(input, "%Y%m%d", &end) || !date.IsValid())
        return wxString();
    return date.FormatISODate();
}

}  // namespace quote_format

namespace {

using namespace quote_format;

const std::string kNoText;

int PriceDecimals(const Price& price)
{
    return price.instrument ? price.instrument->decimals : -1;
}

wxString TradeTypeText(char tradeType)
{
    return tradeType == '\0' ? wxString() : wxString(wxUniChar(static_cast<unsigned char>(tradeType)));
}

wxString NumberCellText(const ColumnSpec& spec, double value, const Price& price, bool volumeInThousands)
{
    // A traded instrument shows its change even when it is zero; one that has
    // not traded shows nothing, whatever stale change the host still holds.
    if (spec.blank == Blank::UntilTraded ? IsZero(price.last) : IsZero(value))
        return wxString();
    switch (spec.decimals)
    {
    case Decimals::Instrument: return PriceTextAllowZero(value, PriceDecimals(price));
    case Decimals::Two: return GroupedNumberText(value, 2, false);
    case Decimals::SignedTwo: return SignedTwoDecimalsText(value);
    case Decimals::Volume: return VolumeText(value, volumeInThousands);
    default: return wxString();
    }
}

}  // namespace

wxString QuoteFormat::CellText(int row, int col, const Price& price) const
{
    if (IsComputedColumn(col))
        return computed.Text(static_cast<size_t>(col - column::Count), price);
    if (!IsColumn(col))
        return wxString();
    const ColumnSpec& spec = ColumnAt(col);
    if (spec.number)
        return NumberCellText(spec, price.*spec.number, price, volumeInThousands);
    if (spec.text)
        return wxString::FromUTF8(price.instrument ? price.instrument->*spec.text : kNoText);
    switch (col)
    {
    case column::No: return wxString::Format("%d", row + 1);
    case column::Status:
        return JoinedText(price.statusNote, price.instrument ? price.instrument->tradingStatus : kNoText);
    case column::CorporateAction:
        return JoinedText(price.caNote, price.instrument ? price.instrument->corporateAction : kNoText);
    case column::TradeType: return TradeTypeText(price.tradeType);
    case column::Deals:
        return price.deals == 0 ? wxString() : GroupedNumberText(price.deals, 0, false);
    case column::Date: return DateText(price.tradeDate.empty() ? price.secondDate : price.tradeDate);
    case column::Time: return wxString::FromUTF8(price.tradeTime);
    default: return wxString();
    }
}
