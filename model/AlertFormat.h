#pragma once
// Texts of alerts: thresholds and current values in the field's number
// format, the list's condition column and the popup's condition line.

#include <cstdint>
#include <optional>

#include <wx/string.h>

#include "model/PriceAlert.h"

namespace alert_format {

/// Decimals used for an instrument that gives none, as in the quote grid.
constexpr int kUnknownPriceDecimals = 5;
/// More decimals than this are noise from a bad catalogue entry.
constexpr int kMaxPriceDecimals = 10;

/// The instrument's decimals with thousands separators; an instrument
/// without decimals (negative) gets five, trailing zeroes dropped.
wxString PriceText(double value, int decimals);
/// Five decimals, thousands separators, trailing zeroes dropped.
wxString VolumeText(double value);
/// `value` in the number format of `fieldCode`; none for an unknown field.
std::optional<wxString> FieldValueText(uint32_t fieldCode, const Instrument* instrument, double value);

/// "Name (CODE:EXCH)", as the alert list shows an instrument.
wxString InstrumentText(const Instrument& instrument);
/// "Last <= 12.60"; none for an unknown field.
std::optional<wxString> ListConditionText(const PriceAlert& alert);
/// "Last(12.55) <= 12.60"; none for an unknown field.
std::optional<wxString> PopupConditionText(const PriceAlert& alert, double current);

}  // namespace alert_format
