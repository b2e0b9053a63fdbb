#pragma once
// The notification a firing alert queues to its board.

#include <optional>

#include <wx/event.h>

#include "model/PriceAlert.h"

/// Command 7167: client data is the alert. The value travels as a double:
/// scaled into the event's int, five volume decimals overflow at about 21,000.
class AlertFiredEvent : public wxCommandEvent
{
public:
    explicit AlertFiredEvent(const AlertFiring& firing);

    PriceAlert* GetAlert() const { return static_cast<PriceAlert*>(GetClientData()); }
    /// The alert's instrument when it fired; used to tell whether the alert
    /// still exists by the time the queued notification is handled.
    Instrument* GetInstrument() const { return m_instrument; }
    double GetValue() const { return m_value; }
    const Price* GetQuote() const { return m_quote; }

    wxEvent* Clone() const override { return new AlertFiredEvent(*this); }

private:
    Instrument* m_instrument;
    double m_value;
    const Price* m_quote;
};

/// The firing a notification stands for, provided its alert is still the
/// one `alerts` holds for its instrument; none for any other event.
std::optional<AlertFiring> ReadNotification(const PriceAlertMap& alerts, const wxCommandEvent& event);
