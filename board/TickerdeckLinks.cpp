// Commands that reach beyond the board: the selected instrument out to
// linked windows, and further board windows.

#include <wx/grid.h>

#include "kit/BoardOwner.h"
#include "board/LinkSender.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "contract/Widget.h"

void Tickerdeck::OnCellLeftClick(wxGridEvent& event)
{
    event.Skip();  // the grid still moves its cursor and selection
    if (!m_settings.controlsOthers)
        return;
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    TickerdeckTable* table = TableOf(grid);
    Price* price = table ? table->RowPrice(event.GetRow()) : nullptr;
    Host* host = GetHost();
    if (!price || !host || !m_owner)
        return;

    wxCommandEvent linkEvent(wxEVT_MENU, cmd::InstrumentLink);
    linkEvent.SetClientData(price->instrument);
    linkEvent.SetClientObject(SenderTag(this));
    linkEvent.SetInt(link_kind::FromCellClick);
    host->PostToWidgets(linkEvent, m_owner->BoardWidget(), m_group, nullptr);
}

void Tickerdeck::OnOpenAnotherWindow()
{
    Host* host = GetHost();
    if (!host || !m_owner)
        return;
    if (Widget* self = host->FindWidget(m_owner->BoardWidget()->GetDisplayName()))
        host->OpenWidget(self, m_group, m_group, open_mode::Plain);
}
