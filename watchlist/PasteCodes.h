#pragma once
// Adding to a watchlist by pasting codes into its tab.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <wx/string.h>

#include "board/BoardFeature.h"

class wxGridEx;

/// Ctrl+V in the grid of a stored watchlist's tab adds every instrument the
/// clipboard's text names (see SplitCodes) in one store operation and tells
/// in the notice strip how many were added and which codes were not found.
class PasteCodes : public BoardFeature
{
public:
    /// The clipboard's text, or nothing when it holds none.
    using ClipboardReader = std::function<std::optional<wxString>()>;

    /// What a paste came to.
    struct Outcome
    {
        size_t added = 0;
        size_t alreadyListed = 0;
        std::vector<std::string> missing;
        bool stored = true;
        // What the user is told when the store refused; empty otherwise.
        wxString failure;
    };

    std::vector<BoardEventKind> EventKinds() const override;
    void OnGridKey(Tickerdeck& board, wxKeyEvent& event) override;

    /// Adds the instruments `text` names to the watchlist of `grid`'s tab.
    static Outcome Paste(Tickerdeck& board, wxGridEx* grid, const wxString& text);
    /// The note the notice strip shows for `outcome`.
    static wxString NoticeOf(const Outcome& outcome, const wxString& watchlist);

    /// Replaces the system clipboard (tests paste what they choose).
    void SetClipboardReader(ClipboardReader reader) { m_clipboard = std::move(reader); }

private:
    static std::optional<wxString> ReadClipboard();

    ClipboardReader m_clipboard = ReadClipboard;
};

/// `codes` joined by commas for a message, the first `shown` of them and
/// how many more there are.
wxString ListedCodes(const std::vector<std::string>& codes, size_t shown = 20);
