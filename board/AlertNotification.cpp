#include "board/AlertNotification.h"

#include "contract/CommandIds.h"

AlertFiredEvent::AlertFiredEvent(const AlertFiring& firing)
    : wxCommandEvent(wxEVT_MENU, cmd::AlertFired),
      m_instrument(firing.alert ? firing.alert->instrument : nullptr),
      m_value(firing.value),
      m_quote(firing.quote)
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
    return AlertFiring{entry->second.get(), notification->GetValue(), notification->GetQuote()};
}
