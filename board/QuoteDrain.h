#pragma once
// Live quotes into a board.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/QuoteAges.h"

struct Price;
class Tickerdeck;
class wxCommandEvent;
class wxEvent;

/// Takes the board's quote events into its current tab, its quote ages and
/// its alert check, with the quotes queued right behind the first one taken
/// off the board's queue a run at a time.
class QuoteDrain
{
public:
    explicit QuoteDrain(Tickerdeck& board) : m_board(board) {}
    QuoteDrain(const QuoteDrain&) = delete;
    QuoteDrain& operator=(const QuoteDrain&) = delete;

    /// The board's handler of a quote event.
    void OnQuoteUpdate(wxCommandEvent& event);
    /// When each subscribed quote last changed; every quote update stamps it.
    QuoteAges& Ages() { return m_quoteAges; }
    const QuoteAges& Ages() const { return m_quoteAges; }
    /// Checks the alert of the quote's instrument against one quote update
    /// and queues the alert notification when it fires.
    void EvaluateAlert(Price* quote, uint32_t changeMask);

    /// Whether this build can take quotes queued behind one off the board's
    /// queue and handle them together (only on toolkit versions whose queue
    /// it knows).
    static bool QuoteDrainBuiltIn();
    /// Switches that to the toolkit's dispatch of every quote and back, for
    /// all boards; where it is not built in it stays off.
    static void UseQuoteDrain(bool on);

private:
    /// Quote events taken off the board's queue together, in queue order.
    struct QuoteRun
    {
        std::array<std::unique_ptr<wxEvent>, 32> events;
        size_t size = 0;
    };
    void HandleQuoteRun(QuoteRun& run);
    void HandleQuote(const wxCommandEvent& event);
    size_t TakeQueuedQuotes(QuoteRun& run);
    bool QuotesBoundElsewhere() const;

    Tickerdeck& m_board;
    QuoteAges m_quoteAges;
};
