#pragma once
// Quotes that stopped changing: their prices dim, and a feed gone quiet is
// told in the board's notice.

#include <chrono>
#include <cstdint>
#include <functional>
#include <unordered_set>

#include <wx/datetime.h>
#include <wx/timer.h>

#include "board/BoardFeature.h"

struct Price;
class Tickerdeck;
class wxGridEx;

/// Once a second, and never per quote, sets the board's quote clock, dims
/// the prices of the live rows on screen whose quote has not changed for
/// longer than the board's stale setting, and says "No quotes since ..." in
/// the board's notice while a live board with subscriptions has heard no
/// quote for ten seconds. History dates mark nothing.
class StaleQuotes : public BoardFeature
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using WallClock = std::function<wxDateTime()>;
    /// How long the whole feed may stay quiet before the notice says so.
    static constexpr std::chrono::seconds kQuietFeed{10};
    /// The key of this feature's notice on the board.
    static const char* const kNoticeKey;

    explicit StaleQuotes(Tickerdeck& board);

    /// One check; the timer runs it every second.
    void Check();
    /// Replaces both clocks and stops the timer: a test runs Check itself.
    /// The board's quote clock goes on from where it is.
    void SetClocks(Clock steady, WallClock wall);

private:
    void OnTimer(wxTimerEvent& event);
    /// Repaints the rows on screen whose mark changed since the last check.
    void MarkShownRows();
    void UpdateNotice(bool live, std::chrono::steady_clock::time_point now);

    Tickerdeck& m_board;
    wxTimer m_timer;
    Clock m_clock = [] { return std::chrono::steady_clock::now(); };
    WallClock m_wall = [] { return wxDateTime::Now(); };
    std::chrono::steady_clock::time_point m_start;
    uint32_t m_staleAfter = 0;                 // as the last check applied it
    wxGridEx* m_markedGrid = nullptr;          // compared only, never used
    std::unordered_set<const Price*> m_marked; // rows on screen shown stale
    bool m_watching = false;                   // live with subscriptions at the last check
    uint64_t m_quotesHeard = 0;
    std::chrono::steady_clock::time_point m_heardAt;
    wxDateTime m_heardWall;
};
