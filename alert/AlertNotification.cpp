#include "alert/AlertNotification.h"

#include "contract/CommandIds.h"

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
        return std::nullopt;
    return AlertFiring{&alert, *current};
}

AlertFiredEvent::AlertFiredEvent(const AlertFiring& firing)
    : wxCommandEvent(wxEVT_MENU, cmd::AlertFired),
      m_instrument(firing.alert ? firing.alert->instrument : nullptr),
      m_value(firing.value)
{
    SetClientData(firing.alert);
}

std::optional<AlertFiring> ReadNotification(const PriceAlertMap& alerts, const wxCommandEvent& event)
{
    const auto* notification = dynamic_cast<const AlertFiredEvent*>(&event);
    if (!notification || !notification->GetAlert())
        return std::nullopt;
    // The alert may have been disabled or replaced while the notification
    // waited in the queue; its pointer is only compared, never followed.
    const auto entry = alerts.find(notification->GetInstrument());
    if (entry == alerts.end() || entry->second.get() != notification->GetAlert())
        return std::nullopt;
    return AlertFiring{entry->second.get(), notification->GetValue()};
}
