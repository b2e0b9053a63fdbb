#include "alert/StaleQuotes.h"

#include <algorithm>

#include <wx/intl.h>

#include "kit/BoardNotice.h"
#include "board/TabFill.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "model/QuoteAges.h"

const char* const StaleQuotes::kNoticeKey = "quiet-feed";

StaleQuotes::StaleQuotes(Tickerdeck& board) : m_board(board), m_start(m_clock())
{
    m_heardAt = m_start;
    m_heardWall = m_wall();
    m_timer.Bind(wxEVT_TIMER, &StaleQuotes::OnTimer, this);
    m_timer.Start(1000);
}

void StaleQuotes::SetClocks(Clock steady, WallClock wall)
{
    m_timer.Stop();
    m_clock = std::move(steady);
    m_wall = std::move(wall);
    // The board's quote clock goes on from the second it has reached.
    m_start = m_clock() - std::chrono::seconds(m_board.Quotes().Ages().Now());
    m_heardAt = m_start;
    m_heardWall = m_wall();
}

void StaleQuotes::OnTimer(wxTimerEvent& /*event*/)
{
    Check();
}

void StaleQuotes::Check()
{
    const auto now = m_clock();
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - m_start).count();
    QuoteAges& ages = m_board.Quotes().Ages();
    ages.SetNow(static_cast<uint32_t>(std::max<long long>(0, elapsed)));

    // A history date shows one day's closing quotes: none of them is late.
    const bool live = m_board.Rows().GetDateText().empty();
    const int setting = m_board.Settings().staleAfterSeconds;
    const uint32_t staleAfter = live && setting > 0 ? static_cast<uint32_t>(setting) : 0;
    ages.SetStaleAfter(staleAfter);
    if (staleAfter != m_staleAfter)
    {
        m_staleAfter = staleAfter;
        m_marked.clear();
        if (wxGridEx* grid = m_board.Tabs().CurrentGrid())
            grid->ForceRefresh();
    }
    MarkShownRows();
    UpdateNotice(live, now);
}

void StaleQuotes::MarkShownRows()
{
    wxGridEx* grid = m_board.Tabs().CurrentGrid();
    if (grid != m_markedGrid)
    {
        m_marked.clear();
        m_markedGrid = grid;
    }
    TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
    if (!table)
        return;
    // Rows scrolled away are styled when they are painted again; only the
    // ones on screen may need a repaint now.
    const QuoteGridView::Area area = table->View().VisibleArea();
    std::unordered_set<const Price*> marked;
    const QuoteAges& ages = m_board.Quotes().Ages();
    for (int row = area.firstRow; row <= area.lastRow; ++row)
    {
        const Price* price = table->RowPrice(row);
        const bool stale = ages.IsStale(price);
        if (stale)
            marked.insert(price);
        if (stale != (m_marked.count(price) > 0))
            table->View().RefreshRows(row, row);
    }
    m_marked.swap(marked);
}

void StaleQuotes::UpdateNotice(bool live, std::chrono::steady_clock::time_point now)
{
    const QuoteAges& ages = m_board.Quotes().Ages();
    const bool watching = live && !m_board.Rows().GetSubscriptions().empty();
    // The quiet time counts from the last quote, or from when the board
    // began to wait for one. While a large tab opens the feed is spread over
    // rows still being asked for, and the board shows its progress instead.
    const bool opening = m_board.Rows().GetTabFills().IsFillingAny();
    if (ages.QuoteCount() != m_quotesHeard || watching != m_watching || opening)
    {
        m_quotesHeard = ages.QuoteCount();
        m_heardAt = now;
        m_heardWall = m_wall();
    }
    m_watching = watching;
    const bool quiet = watching && now - m_heardAt >= kQuietFeed;
    if (BoardNotice* notice = m_board.Toolbar().Notice())
        notice->Set(kNoticeKey,
                    quiet ? wxString::Format(_("No quotes since %s"), m_heardWall.FormatISOTime()) : wxString());
}
