// The alert check on each quote update: a firing alert is queued to the
// board, never handled inside the update.

#include "board/AlertNotification.h"
#include "board/Tickerdeck.h"

void Tickerdeck::EvaluateAlert(Price* quote, uint32_t changeMask)
{
    if (!quote)
        return;
    // Popups, focus changes and the chime come after the grid has taken
    // the update.
    if (const std::optional<AlertFiring> firing = ::EvaluateAlert(m_alerts, *quote, changeMask))
        AddPendingEvent(AlertFiredEvent(*firing));
}
