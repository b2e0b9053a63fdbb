// Commands that reach beyond the board: live quotes in, the selected
// instrument out to linked windows, and further board windows.

#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "plugin/Application.h"
#include "plugin/CommandIds.h"
#include "plugin/Host.h"

void Tickerdeck::OnQuoteUpdate(wxCommandEvent& event)
{
    if (!m_currentGrid)
        return;
    TickerdeckTable* table = TableOf(m_currentGrid);
    PrefetchQueuedQuotes(*table);
    table->UpdateRow(event);
    EvaluateAlert(static_cast<Price*>(event.GetClientData()), static_cast<uint32_t>(event.GetInt()));
}

void Tickerdeck::PrefetchQueuedQuotes(const TickerdeckTable& table)
{
    // A quote event's work is a few dependent cache misses on a large tab;
    // starting the loads of the next events' now overlaps them with this one.
    constexpr int kRowStage = 1;
    constexpr int kIndexStage = 3;
    wxCriticalSectionLocker lock(m_pendingEventsLock);
    if (!m_pendingEvents)
        return;
    int distance = 0;
    for (auto node = m_pendingEvents->GetFirst(); node && distance <= kIndexStage; node = node->GetNext(), ++distance)
    {
        if (distance != kRowStage && distance != kIndexStage)
            continue;
        const auto* queued = static_cast<const wxEvent*>(node->GetData());
        if (queued->GetEventType() != wxEVT_MENU || queued->GetId() != cmd::QuoteUpdate)
            continue;
        const auto* quote = static_cast<const wxCommandEvent*>(queued);
        if (const auto* price = static_cast<const Price*>(quote->GetClientData()))
            table.PrefetchQueuedUpdate(*price, quote->GetInt(), distance == kRowStage ? 0 : 1);
    }
}

void Tickerdeck::OnCellLeftClick(wxGridEvent& event)
{
    event.Skip();  // the grid still moves its cursor and selection
    if (!m_settings.controlsOthers)
        return;
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    TickerdeckTable* table = TableOf(grid);
    Price* price = table ? table->RowPrice(event.GetRow()) : nullptr;
    Host* host = GetHost();
    if (!price || !host)
        return;

    wxCommandEvent linkEvent(wxEVT_MENU, cmd::InstrumentLink);
    linkEvent.SetClientData(price->instrument);
    linkEvent.SetClientObject(SenderTag(this));
    linkEvent.SetInt(link_kind::FromCellClick);
    host->PostToWidgets(linkEvent, m_application, m_group, nullptr);
}

void Tickerdeck::OnOpenAnotherWindow(wxCommandEvent& /*event*/)
{
    Host* host = GetHost();
    if (!host || !m_application)
        return;
    if (Widget* self = host->FindWidget(m_application->GetDisplayName()))
        host->OpenWidget(self, m_group, m_group, open_mode::Plain);
}

void Tickerdeck::OnScrollToTop(wxCommandEvent& /*event*/)
{
    for (wxGridEx* grid : m_grids)
        grid->Scroll(0, 0);
}

void Tickerdeck::OnFitAllColumns(wxCommandEvent& /*event*/)
{
    FitAllColumns();
}

void Tickerdeck::OnToggleAutoFit(wxCommandEvent& /*event*/)
{
    m_settings.autoFitColumns = !m_settings.autoFitColumns;
    if (m_settings.autoFitColumns)
        FitAllColumns();
}
