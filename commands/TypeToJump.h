#pragma once
// Typing a code on a category or exchange tab goes to its row.

#include <chrono>
#include <functional>

#include <wx/string.h>

#include "board/BoardFeature.h"

class TickerdeckTable;

/// On a category or exchange tab, letters typed within a second of each
/// other select and show the first row whose code starts with them. On any
/// other tab typed keys pass on untouched.
class TypeToJump : public BoardFeature
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    /// A longer pause between two keys starts a new code.
    static constexpr std::chrono::milliseconds kPause{1000};

    std::vector<BoardEventKind> EventKinds() const override;
    void OnGridKey(Tickerdeck& board, wxKeyEvent& event) override;

    /// The first shown row whose code starts with `typed`, case ignored; -1 for none.
    static int FirstRowStartingWith(const TickerdeckTable& table, const wxString& typed);
    /// What was typed so far, the last key included.
    const wxString& Typed() const { return m_typed; }
    void SetClock(Clock clock) { m_clock = std::move(clock); }

private:
    wxString m_typed;
    std::chrono::steady_clock::time_point m_lastKey;
    Clock m_clock = [] { return std::chrono::steady_clock::now(); };
};
