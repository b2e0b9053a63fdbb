#include "model/PriceAlert.h"

#include <iterator>

#include <wx/intl.h>

namespace {

// Texts are marked for translation here and translated where they are shown.
const AlertFieldInfo kFields[] = {
    {AlertField::Buy, wxTRANSLATE("Buy"), wxTRANSLATE("Bid("), false, &Price::buy},
    {AlertField::BuyVol, wxTRANSLATE("BuyVol"), wxTRANSLATE("BuyVol("), true, &Price::buyVolume},
    {AlertField::Sell, wxTRANSLATE("Sell"), wxTRANSLATE("Ask("), false, &Price::sell},
    {AlertField::SellVol, wxTRANSLATE("SellVol"), wxTRANSLATE("SellVol("), true, &Price::sellVolume},
    {AlertField::Last, wxTRANSLATE("Last"), wxTRANSLATE("Last("), false, &Price::last},
};

}  // namespace

const AlertFieldInfo* FindAlertField(uint32_t code)
{
    for (const AlertFieldInfo& info : kFields)
        if (ToCode(info.field) == code)
            return &info;
    return nullptr;
}

std::optional<double> WatchedValue(const PriceAlert& alert, const Price& quote)
{
    const AlertFieldInfo* info = FindAlertField(alert.field);
    if (!info)
        return std::nullopt;
    return quote.*(info->member);
}

bool ComparisonHolds(uint32_t comparison, double current, double threshold)
{
    const double difference = current - threshold;
    switch (comparison)
    {
    case ToCode(AlertComparison::AtMost): return difference < kAlertTolerance;
    case ToCode(AlertComparison::AtLeast): return difference > -kAlertTolerance;
    default: return false;
    }
}

bool EraseAlert(PriceAlertMap& alerts, Instrument* instrument)
{
    return alerts.erase(instrument) > 0;
}

std::optional<AlertFiring> EvaluateAlert(const PriceAlertMap& alerts, const Price& quote, uint32_t changeMask)
{
    const auto entry = alerts.find(quote.instrument);
    if (entry == alerts.end() || !entry->second)
        return std::nullopt;
    PriceAlert& alert = *entry->second;
    if ((changeMask & alert.field) == 0)
        return std::nullopt;
    const std::optional<double> current = WatchedValue(alert, quote);
    if (!current || !ComparisonHolds(alert.comparison, *current, alert.threshold))
    {
        alert.armed = true;
        return std::nullopt;
    }
    if (alert.onceEachTime)
    {
        if (!alert.armed)
            return std::nullopt;
        alert.armed = false;
    }
    return AlertFiring{&alert, *current, &quote};
}
