#pragma once
// Price alerts: one quote field of one instrument watched against a threshold.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "contract/Records.h"

/// Quote fields an alert can watch. The codes are the change-mask bits of
/// quote events, so an update that did not touch the field is skipped cheaply.
enum class AlertField : uint32_t
{
    Buy = 0x10,
    BuyVol = 0x20,
    Sell = 0x40,
    SellVol = 0x80,
    Last = 0x1000
};

/// How the watched value is compared with the threshold.
enum class AlertComparison : uint32_t
{
    AtMost = 1,   // "<="
    AtLeast = 2   // ">="
};

/// Values closer than this count as equal, as in the grid and the filters.
constexpr double kAlertTolerance = 1e-8;

/// One alert of a board window. Codes are kept raw: a hand-edited layout may
/// hold codes outside the tables, and such an alert simply never fires.
struct PriceAlert
{
    Instrument* instrument = nullptr;
    uint32_t field = 0;
    uint32_t comparison = 0;
    double threshold = 0.0;
    std::string remark;  // UTF-8
    /// Fires only when the condition becomes true, not at every update
    /// while it holds; it re-arms when the condition stops holding.
    bool onceEachTime = false;
    /// For onceEachTime: false from a firing until the condition fails.
    bool armed = true;
};

/// A board's alerts: one per instrument, owned here, in address order.
using PriceAlertMap = std::map<Instrument*, std::unique_ptr<PriceAlert>>;

/// What the setup dialog, the list and the popup call one watched field.
struct AlertFieldInfo
{
    AlertField field;
    const char* name;         // "Buy": setup choice and list text
    const char* popupPrefix;  // "Bid(": start of the popup's condition line
    bool isVolume;            // volume format instead of the price format
    double Price::*member;    // the quote value compared
};

constexpr uint32_t ToCode(AlertField field) { return static_cast<uint32_t>(field); }
constexpr uint32_t ToCode(AlertComparison comparison) { return static_cast<uint32_t>(comparison); }

/// The table entry of a field code, or null for a code outside the table.
const AlertFieldInfo* FindAlertField(uint32_t code);

/// The quote's current value of the alert's field; none for an unknown field.
std::optional<double> WatchedValue(const PriceAlert& alert, const Price& quote);

/// True when `current` satisfies the comparison within kAlertTolerance;
/// unknown comparison codes never hold.
bool ComparisonHolds(uint32_t comparison, double current, double threshold);

/// Removes the instrument's alert if it has one; true when something went.
bool EraseAlert(PriceAlertMap& alerts, Instrument* instrument);

/// The alert that fired and the value of the update that fired it.
struct AlertFiring
{
    PriceAlert* alert = nullptr;
    double value = 0.0;
    /// The quote whose update fired it; compared only, never followed.
    const Price* quote = nullptr;
};

/// Checks the alert of the quote's instrument against one update: it fires
/// when the update's change mask touches the watched field and the value
/// satisfies the comparison. An alert that notifies once each time fires
/// only while armed, and the check arms and disarms it.
std::optional<AlertFiring> EvaluateAlert(const PriceAlertMap& alerts, const Price& quote, uint32_t changeMask);
