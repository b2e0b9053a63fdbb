#include "commands/RowCommands.h"

#include <algorithm>
#include <unordered_set>

#include <boost/property_tree/ptree.hpp>

#include <wx/grid.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "board/StoredTabs.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "contract/Theme.h"
#include "controls/wxFlatNotebook.h"
#include "model/CodeList.h"
#include "controls/wxGridEx.h"
#include "layout/TreeValues.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "model/Logger.h"

namespace {

bool OnStoredTab(const wxGridEx* grid)
{
    return grid && Tickerdeck::TableOf(grid)->Identity().tabType == layout::kStoredWatchlistTab;
}

std::vector<layout::InstrumentRef> RefsOf(const std::vector<Price*>& quotes)
{
    std::vector<layout::InstrumentRef> refs;
    refs.reserve(quotes.size());
    for (const Price* price : quotes)
        if (price && price->instrument)
            refs.push_back(store::RefOf(*price->instrument));
    return refs;
}

// A tab can close while the user is asked or chooses a watchlist.
bool IsOpenTab(const Tickerdeck& board, const wxGridEx* grid)
{
    const std::vector<wxGridEx*>& grids = board.Tabs().Grids();
    return grid && std::find(grids.begin(), grids.end(), grid) != grids.end();
}

// Names what Remove takes away: the first few codes, then how many more.
wxString RemoveQuestion(const std::vector<Price*>& quotes, const wxString& watchlist)
{
    constexpr size_t kNamed = 5;
    // A set beside the list: a search of the list per row made a question
    // about 100,000 rows take seconds.
    std::vector<wxString> named;
    std::unordered_set<const Instrument*> seen;
    for (const Price* quote : quotes)
        if (quote && quote->instrument && seen.insert(quote->instrument).second && named.size() < kNamed)
            named.push_back(wxString::FromUTF8(quote->instrument->code));
    return wxString::Format(_("Remove %s from %s?"), NamedAndMore(named, seen.size()), watchlist);
}

}  // namespace

std::vector<int> RowCommands::Commands() const
{
    return {cmd::DeleteInstrument, cmd::WatchlistCommand};
}

void RowCommands::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::DeleteInstrument)
        Remove(board, board.Tabs().CommandTargets());
    else
        Refresh(board);
}

bool RowCommands::AskUser(Tickerdeck& board, const wxString& question)
{
    // No is the default answer: a stray Enter keeps the rows.
    wxMessageDialog box(board.GetOwnerFrame(), question, _("Delete from watchlist"),
                        wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION);
    if (Theme* theme = board.GetTheme())
        box.SetBackgroundColour(theme->BackgroundColour());
    return box.ShowModal() == wxID_YES;
}

void RowCommands::Remove(Tickerdeck& board, const RowTargets& targets)
{
    wxGridEx* grid = targets.grid;
    if (targets.quotes.empty() || !OnStoredTab(grid))
        return;
    const std::string name = Tickerdeck::TableOf(grid)->Identity().watchlistName;
    if (!m_confirm(board, RemoveQuestion(targets.quotes, layout::ShownName(name))))
        return;
    if (!IsOpenTab(board, grid) || !OnStoredTab(grid))
        return;
    // The store first; every board's tabs of the list follow it.
    RunOnStore(board, "removing rows from watchlist \"" + name + "\" in",
               wxString::Format(_("The rows could not be removed from the watchlist \"%s\"."),
                                layout::ShownName(name)),
               [&](store::WatchlistStoreService& store) { store.Remove(name, RefsOf(targets.quotes)); });
}

void RowCommands::Refresh(Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!OnStoredTab(grid))
        return;
    const std::string name = Tickerdeck::TableOf(grid)->Identity().watchlistName;
    // Reading the store tells every board of another program's changes;
    // this tab follows the store even when nothing changed on disk.
    RunOnStore(board, "refreshing watchlist \"" + name + "\" from",
               wxString::Format(_("The watchlist \"%s\" could not be read from the store."),
                                layout::ShownName(name)),
               [&](store::WatchlistStoreService& store)
               {
                   const std::vector<layout::InstrumentRef> stored = store.Instruments(name);
                   if (IsOpenTab(board, grid) && OnStoredTab(grid))
                       FollowStoredList(board, grid, stored);
               });
}

bool RowCommands::AddTo(Tickerdeck& board, const RowTargets& targets, const std::string& name)
{
    if (!IsOpenTab(board, targets.grid) || targets.quotes.empty())
        return false;
    return RunOnStore(board, "adding rows to watchlist \"" + name + "\" in",
                      wxString::Format(_("The rows could not be added to the watchlist \"%s\"."),
                                       layout::ShownName(name)),
                      [&](store::WatchlistStoreService& store) { store.Add(name, RefsOf(targets.quotes)); });
}

void RowCommands::MoveTo(Tickerdeck& board, const RowTargets& targets, const std::string& name)
{
    wxGridEx* grid = targets.grid;
    if (!IsOpenTab(board, grid) || !OnStoredTab(grid) || targets.quotes.empty())
        return;
    // One write changes both lists; the tabs of both follow.
    const std::string from = Tickerdeck::TableOf(grid)->Identity().watchlistName;
    RunOnStore(board, "moving rows from watchlist \"" + from + "\" to \"" + name + "\" in",
               wxString::Format(_("The rows could not be moved from the watchlist \"%s\" to \"%s\"."),
                                layout::ShownName(from), layout::ShownName(name)),
               [&](store::WatchlistStoreService& store) { store.Move(from, name, RefsOf(targets.quotes)); });
}

bool RowCommands::RunOnStore(Tickerdeck& board, const std::string& what, const wxString& told,
                             const std::function<void(store::WatchlistStoreService&)>& operation)
{
    const auto store = board.GetStore();
    if (!store)
        return false;
    // Large selections take a noticeable time; for small ones the cursor
    // is back before the display shows it.
    wxBusyCursor busy;
    try
    {
        operation(*store);
        return true;
    }
    catch (const std::exception& error)
    {
        // The store names the file and the reason.
        LogException((what + " the store: ").c_str(), error);
        TellUser(board, FailureText(told, error));
        return false;
    }
}
