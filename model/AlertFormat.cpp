#include "model/AlertFormat.h"

#include <algorithm>
#include <cmath>

#include <wx/intl.h>
#include <wx/numformatter.h>

namespace alert_format {

namespace {

constexpr int kVolumeDecimals = 5;

// A value within the tolerance of zero would otherwise print as "-0".
double Normalised(double value)
{
    return std::fabs(value) < kAlertTolerance ? 0.0 : value;
}

bool IsAtMost(const PriceAlert& alert)
{
    return alert.comparison == ToCode(AlertComparison::AtMost);
}

}  // namespace

wxString PriceText(double value, int decimals)
{
    value = Normalised(value);
    if (decimals < 0)
        return wxNumberFormatter::ToString(value, kUnknownPriceDecimals,
                                           wxNumberFormatter::Style_WithThousandsSep |
                                               wxNumberFormatter::Style_NoTrailingZeroes);
    return wxNumberFormatter::ToString(value, std::min(decimals, kMaxPriceDecimals),
                                       wxNumberFormatter::Style_WithThousandsSep);
}

wxString VolumeText(double value)
{
    return wxNumberFormatter::ToString(Normalised(value), kVolumeDecimals,
                                       wxNumberFormatter::Style_WithThousandsSep |
                                           wxNumberFormatter::Style_NoTrailingZeroes);
}

std::optional<wxString> FieldValueText(uint32_t fieldCode, const Instrument* instrument, double value)
{
    const AlertFieldInfo* info = FindAlertField(fieldCode);
    if (!info)
        return std::nullopt;
    if (info->isVolume)
        return VolumeText(value);
    return PriceText(value, instrument ? instrument->decimals : -1);
}

wxString InstrumentText(const Instrument& instrument)
{
    return wxString::FromUTF8(instrument.name) + " (" + wxString::FromUTF8(instrument.code) + ":" +
           wxString::FromUTF8(instrument.exchange) + ")";
}

std::optional<wxString> ListConditionText(const PriceAlert& alert)
{
    const AlertFieldInfo* info = FindAlertField(alert.field);
    if (!info)
        return std::nullopt;
    const wxString threshold = *FieldValueText(alert.field, alert.instrument, alert.threshold);
    return wxGetTranslation(info->name) + (IsAtMost(alert) ? " <= " : " >= ") + threshold;
}

std::optional<wxString> PopupConditionText(const PriceAlert& alert, double current)
{
    const AlertFieldInfo* info = FindAlertField(alert.field);
    if (!info)
        return std::nullopt;
    const wxString now = *FieldValueText(alert.field, alert.instrument, current);
    const wxString threshold = *FieldValueText(alert.field, alert.instrument, alert.threshold);
    return wxGetTranslation(info->popupPrefix) + now + (IsAtMost(alert) ? ") <= " : ") >= ") + threshold;
}

}  // namespace alert_format
