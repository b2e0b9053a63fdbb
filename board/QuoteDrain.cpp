// Live quotes in: each quote event updates the current tab and runs the
// alert check, which queues a firing to the board, never handles it inside
// the update.

#include <memory>
#include <optional>

#include <wx/app.h>
#include <wx/evtloop.h>

#include "board/QuoteDrain.h"

#include "board/AlertNotification.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "contract/CommandIds.h"
#include "contract/Records.h"

// Taking queued quotes off the board's own queue reads the toolkit's
// protected queue members (m_pendingEvents, m_pendingEventsLock,
// m_dynamicEvents), which are no public interface. It was written against
// them as the 3.1 series from 3.1.5 and the 3.2 series keep them; any other
// toolkit version gets the toolkit's own dispatch of every quote, slower but
// right whatever the internals are.
#if wxCHECK_VERSION(3, 1, 5) && !wxCHECK_VERSION(3, 3, 0)
#define TICKERDECK_QUOTE_DRAIN 1
#else
#define TICKERDECK_QUOTE_DRAIN 0
#endif

namespace {

bool g_quoteDrainOn = TICKERDECK_QUOTE_DRAIN != 0;

#if TICKERDECK_QUOTE_DRAIN
bool IsQuoteEvent(const wxEvent& event)
{
    return event.GetEventType() == wxEVT_MENU && event.GetId() == cmd::QuoteUpdate;
}
#endif

/// Puts a quote taken off the queue through the event filters (the
/// application and any added with wxEvtHandler::AddFilter), which the
/// toolkit's dispatch runs before any handler sees an event.
class EventFilterPass : public wxEvtHandler
{
public:
    /// True when every filter let the event go on to its handler.
    bool LetsThrough(wxEvent& event)
    {
        m_reached = false;
        ProcessEvent(event);
        return m_reached;
    }

protected:
    // Reached only when no filter took the event; ends its processing here.
    bool TryBefore(wxEvent& /*event*/) override
    {
        m_reached = true;
        return true;
    }

private:
    bool m_reached = false;
};

#if TICKERDECK_QUOTE_DRAIN
/// Reaches the queue members the toolkit keeps protected in every handler.
struct QueueOf : wxEvtHandler
{
    static wxList* Pending(wxEvtHandler& handler) { return handler.*(&QueueOf::m_pendingEvents); }
    static wxCriticalSection& Lock(wxEvtHandler& handler) { return handler.*(&QueueOf::m_pendingEventsLock); }
    static const DynamicEvents* Dynamic(const wxEvtHandler& handler) { return handler.*(&QueueOf::m_dynamicEvents); }
};
#endif

}  // namespace

bool QuoteDrain::QuoteDrainBuiltIn()
{
    return TICKERDECK_QUOTE_DRAIN != 0;
}

void QuoteDrain::UseQuoteDrain(bool on)
{
    g_quoteDrainOn = on && QuoteDrainBuiltIn();
}

void QuoteDrain::OnQuoteUpdate(wxCommandEvent& event)
{
    HandleQuote(event);
    // A busy feed posts hundreds of thousands of quotes a second, and the
    // toolkit's dispatch of one costs about as much as handling it. Quotes
    // queued right behind this one are taken here instead, a run at a time,
    // in the same order and each handled in full, as the toolkit would have
    // handed them over next: it empties one handler's queue before it turns
    // to another, and events posted meanwhile queue behind them either way.
    QuoteRun run;
    while (TakeQueuedQuotes(run) > 0)
        HandleQuoteRun(run);
}

void QuoteDrain::HandleQuoteRun(QuoteRun& run)
{
    // Each quote's work is a few dependent cache misses on a large tab:
    // the next quotes' loads start while this one is handled, the index
    // slot some quotes ahead, the row and sort key a few ahead.
    // Distances measured best on a 20,000-row tab: far enough for a load
    // from memory to arrive, near enough that it is still cached on use.
    constexpr size_t kIndexAhead = 8;
    constexpr size_t kRowAhead = 3;
    wxGridEx* current = m_board.Tabs().CurrentGrid();
    TickerdeckTable* table = current ? Tickerdeck::TableOf(current) : nullptr;
    const auto prefetch = [this, &run, table](size_t at, RowOrder::LoadAhead what) {
        if (at >= run.size)
            return;
        const auto& quote = static_cast<const wxCommandEvent&>(*run.events[at]);
        const auto* price = static_cast<const Price*>(quote.GetClientData());
        if (!price)
            return;
        if (what == RowOrder::LoadAhead::IndexSlot)
            m_quoteAges.Prefetch(price);
        if (table)
            table->Order().PrefetchQueuedUpdate(*price, quote.GetInt(), what);
    };
    const QuoteRunHold hold(table);
    for (size_t at = 0; at < kIndexAhead; ++at)
        prefetch(at, RowOrder::LoadAhead::IndexSlot);
    for (size_t at = 0; at < kRowAhead; ++at)
        prefetch(at, RowOrder::LoadAhead::RowAndKey);
    EventFilterPass filters;
    for (size_t at = 0; at < run.size; ++at)
    {
        const std::unique_ptr<wxEvent> quote = std::move(run.events[at]);
        prefetch(at + kIndexAhead, RowOrder::LoadAhead::IndexSlot);
        prefetch(at + kRowAhead, RowOrder::LoadAhead::RowAndKey);
        if (!filters.LetsThrough(*quote))
            continue;
        HandleQuote(static_cast<const wxCommandEvent&>(*quote));
    }
    run.size = 0;
}

void QuoteDrain::HandleQuote(const wxCommandEvent& event)
{
    auto* price = static_cast<Price*>(event.GetClientData());
    // All the stale check needs of a quote: it changed now.
    m_quoteAges.Stamp(price);
    wxGridEx* current = m_board.Tabs().CurrentGrid();
    if (!current)
        return;
    Tickerdeck::TableOf(current)->UpdateRow(event);
    // Most boards watch no price: not even a call per quote then.
    if (!m_board.Alerts().empty())
        EvaluateAlert(price, static_cast<uint32_t>(event.GetInt()));
}

size_t QuoteDrain::TakeQueuedQuotes(QuoteRun& run)
{
    run.size = 0;
#if TICKERDECK_QUOTE_DRAIN
    if (!g_quoteDrainOn)
        return 0;
    // While a modal loop yields only some kinds of event go through; and a
    // handler pushed onto the board or bound to quotes must still see them.
    const wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if ((loop && loop->IsYielding()) || m_board.GetEventHandler() != &m_board || QuotesBoundElsewhere())
        return 0;
    wxCriticalSectionLocker lock(QueueOf::Lock(m_board));
    wxList* const pending = QueueOf::Pending(m_board);
    if (!pending)
        return 0;
    // The last queued event stays: the toolkit keeps a handler on its list
    // of handlers with pending events until it has taken the last one itself.
    while (run.size < run.events.size())
    {
        const auto node = pending->GetFirst();
        if (!node || !node->GetNext())
            break;
        auto* queued = static_cast<wxEvent*>(node->GetData());
        if (!IsQuoteEvent(*queued))
            break;
        pending->Erase(node);
        run.events[run.size++].reset(queued);
    }
#endif
    return run.size;
}

bool QuoteDrain::QuotesBoundElsewhere() const
{
#if TICKERDECK_QUOTE_DRAIN
    const auto* dynamicEvents = QueueOf::Dynamic(m_board);
    if (!dynamicEvents)
        return false;
    for (const wxDynamicEventTableEntry* entry : *dynamicEvents)
    {
        if (!entry || entry->m_eventType != wxEVT_MENU)
            continue;
        const bool anyId = entry->m_id == wxID_ANY;
        const int last = entry->m_lastId == wxID_ANY ? entry->m_id : entry->m_lastId;
        if (anyId || (entry->m_id <= cmd::QuoteUpdate && cmd::QuoteUpdate <= last))
            return true;
    }
#endif
    return false;
}

void QuoteDrain::EvaluateAlert(Price* quote, uint32_t changeMask)
{
    if (!quote)
        return;
    // Popups, focus changes and the chime come after the grid has taken
    // the update.
    if (const std::optional<AlertFiring> firing = ::EvaluateAlert(m_board.Alerts(), *quote, changeMask))
        static_cast<wxEvtHandler&>(m_board).AddPendingEvent(AlertFiredEvent(*firing));
}
