#include "watchlist/PasteCodes.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/intl.h>
#include <wx/utils.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/Host.h"
#include "controls/wxGridEx.h"
#include "layout/TreeValues.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "model/CodeList.h"
#include "model/Logger.h"
#include "watchlist/TypeToAdd.h"

std::vector<BoardEventKind> PasteCodes::EventKinds() const
{
    return {BoardEventKind::GridChar};
}

void PasteCodes::OnGridKey(Tickerdeck& board, wxKeyEvent& event)
{
    const bool paste = event.GetKeyCode() == WXK_CONTROL_V && event.ControlDown() && !event.AltDown();
    wxGridEx* grid = paste ? WatchlistGridOf(board, event) : nullptr;
    if (!grid)
    {
        event.Skip();
        return;
    }
    const std::optional<wxString> text = m_clipboard();
    if (!text)
        return;
    const Outcome outcome = Paste(board, grid, *text);
    const std::string name = Tickerdeck::TableOf(grid)->Identity().watchlistName;
    if (!outcome.stored)
    {
        TellUser(board, outcome.failure);
        return;
    }
    LogInfo("pasted " + std::to_string(outcome.added) + " instrument(s) into watchlist \"" + name + "\", " +
            std::to_string(outcome.missing.size()) + " code(s) not found");
    TellUser(board, NoticeOf(outcome, layout::ShownName(name)));
}

PasteCodes::Outcome PasteCodes::Paste(Tickerdeck& board, wxGridEx* grid, const wxString& text)
{
    Outcome outcome;
    Host* host = board.GetHost();
    const auto store = board.GetStore();
    if (!host || !store)
    {
        outcome.stored = false;
        return outcome;
    }
    const ResolvedCodes resolved = ResolveCodes(host->GetInstruments(), SplitCodes(text.utf8_string()));
    outcome.missing = resolved.missing;
    if (resolved.found.empty())
        return outcome;
    std::vector<layout::InstrumentRef> refs;
    refs.reserve(resolved.found.size());
    for (const Instrument* instrument : resolved.found)
        refs.push_back(store::RefOf(*instrument));
    const std::string name = Tickerdeck::TableOf(grid)->Identity().watchlistName;
    // Many rows take a noticeable time; a few are done before the cursor shows.
    wxBusyCursor busy;
    try
    {
        outcome.added = store->Add(name, refs).size();
        outcome.alreadyListed = refs.size() - outcome.added;
    }
    catch (const std::exception& error)
    {
        LogException(("pasting into watchlist \"" + name + "\" in the store: ").c_str(), error);
        outcome.stored = false;
        outcome.failure = FailureText(
            wxString::Format(_("The pasted codes could not be added to the watchlist \"%s\"."), layout::ShownName(name)),
            error);
    }
    return outcome;
}

wxString PasteCodes::NoticeOf(const Outcome& outcome, const wxString& watchlist)
{
    wxString notice = wxString::Format(
        wxPLURAL("%zu instrument added to \"%s\".", "%zu instruments added to \"%s\".", outcome.added),
        outcome.added, watchlist);
    if (outcome.alreadyListed > 0)
        notice += " " + wxString::Format(wxPLURAL("%zu was listed already.", "%zu were listed already.",
                                                  outcome.alreadyListed),
                                         outcome.alreadyListed);
    if (!outcome.missing.empty())
        notice += " " + wxString::Format(_("Not found: %s"), ListedCodes(outcome.missing));
    return notice;
}

std::optional<wxString> PasteCodes::ReadClipboard()
{
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT))
        return std::nullopt;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data))
        return std::nullopt;
    return data.GetText();
}

wxString ListedCodes(const std::vector<std::string>& codes, size_t shown)
{
    std::vector<wxString> named;
    for (size_t index = 0; index < codes.size() && index < shown; ++index)
        named.push_back(layout::ShownName(codes[index]));
    return NamedAndMore(named, codes.size());
}
