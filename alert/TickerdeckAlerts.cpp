// The board window's alert commands: evaluation on quote updates, the popup
// of a fired alert, the setup dialog and the alert list.

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"

void Tickerdeck::EvaluateAlert(Price* quote, uint32_t changeMask)
{
    if (quote)
        m_alerts.Evaluate(*this, *quote, changeMask);
}

void Tickerdeck::ShowAlertPopup(wxCommandEvent& event)
{
    if (m_owner)
        m_alerts.ShowPopup(m_owner, GetOwnerFrame(), event);
}

void Tickerdeck::OnAlertSetup(wxCommandEvent& /*event*/)
{
    if (!m_owner || !m_currentGrid)
        return;
    Price* price = FirstSelectedPrice(m_currentGrid);
    if (price && price->instrument)
        m_alerts.OpenSetup(m_owner, GetOwnerFrame(), price->instrument);
}

void Tickerdeck::OnAlertList(wxCommandEvent& /*event*/)
{
    if (m_owner)
        m_alerts.OpenManager(m_owner, GetOwnerFrame());
}
