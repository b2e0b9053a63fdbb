#include "board/StoredTabs.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include <wx/intl.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/Host.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "layout/TreeValues.h"
#include "layout/UnresolvedRefs.h"
#include "store/WatchlistStoreService.h"
#include "model/Logger.h"

namespace
{

std::string KeyOf(const Instrument& instrument)
{
    return instrument.exchange + '\x1f' + instrument.code;
}

std::string KeyOf(const layout::InstrumentRef& ref)
{
    return ref.exchange + '\x1f' + ref.code;
}

void Relabel(Tickerdeck& board, wxGridEx* grid, const std::string& name)
{
    Tickerdeck::TableOf(grid)->SetWatchlistName(name);
    const int page = board.PageOfGrid(grid);
    if (page != wxNOT_FOUND)
        board.GetNotebook()->SetPageText(static_cast<size_t>(page), layout::ShownTabLabel(name));
}

void MakePlain(wxGridEx* grid)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->SetTabType(layout::kPlainTab);
    table->SetWatchlistName(std::string());
    table->SetUnresolved({});
}

void NoticeDeleted(Tickerdeck& board, wxGridEx* grid)
{
    const std::string name = Tickerdeck::TableOf(grid)->GetWatchlistName();
    LogInfo("watchlist \"" + name + "\" was deleted from the store; its tab became a plain tab");
    TellUser(board, wxString::Format(_("The watchlist \"%s\" was deleted: its tab keeps its rows but is no "
                                       "longer saved as a watchlist."),
                                     layout::ShownName(name)));
    MakePlain(grid);
}

void Follow(Tickerdeck& board, layout::WatchlistStoreService& store, wxGridEx* grid)
{
    const std::string name = Tickerdeck::TableOf(grid)->GetWatchlistName();
    try
    {
        FollowStoredList(board, grid, store.Instruments(name));
    }
    catch (const std::exception& error)
    {
        LogException(("cannot show watchlist \"" + name + "\": ").c_str(), error);
        TellUser(board, FailureText(wxString::Format(_("The watchlist \"%s\" could not be read from the store."),
                                                     layout::ShownName(name)),
                                    error));
    }
}

using InstrumentRanks = std::unordered_map<const Instrument*, size_t>;

// The store's order is the tab's: another board's or program's reorder
// shows here. A sorted tab shows its rows sorted all the same.
void FollowStoredOrder(Tickerdeck& board, wxGridEx* grid, const InstrumentRanks& rank)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const auto rankOf = [&rank](const Price* price)
    {
        const auto found = rank.find(price->instrument);
        return found == rank.end() ? rank.size() : found->second;
    };
    const auto before = [&rankOf](const Price* a, const Price* b) { return rankOf(a) < rankOf(b); };
    std::vector<Price*> members = table->Members();
    if (std::is_sorted(members.begin(), members.end(), before))
        return;
    std::stable_sort(members.begin(), members.end(), before);
    table->SetMemberOrder(std::move(members));
    if (grid->GetSortingColumn() == wxNOT_FOUND)
        board.Sorting().RearrangeRows(grid);
}

} // namespace

bool ReorderStoredTab(Tickerdeck& board, wxGridEx* grid, const std::function<void()>& move)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const auto store = board.GetStore();
    if (table->GetTabType() != layout::kStoredWatchlistTab || !store)
    {
        move();
        return true;
    }
    std::vector<Price*> former = table->Members();
    move();
    std::vector<layout::InstrumentRef> order;
    order.reserve(table->Members().size());
    for (const Price* price : table->Members())
        if (price && price->instrument)
            order.push_back({price->instrument->exchange, price->instrument->code});
    const std::string name = table->GetWatchlistName();
    try
    {
        // What the host does not know today moves with the row before it.
        store->Reorder(name, table->GetUnresolved().MergeInto(order));
        return true;
    }
    catch (const std::exception& error)
    {
        LogException(("cannot store the new order of watchlist \"" + name + "\": ").c_str(), error);
        TellUser(board, FailureText(wxString::Format(_("The new order of the watchlist \"%s\" could not be "
                                                       "stored; the rows are back in their places."),
                                                     layout::ShownName(name)),
                                    error));
    }
    // The rows are rebuilt as they were, so the selection needs no help.
    table->SetMemberOrder(std::move(former));
    table->RebuildRowsFromMembers();
    grid->ForceRefresh();
    return false;
}

void FollowStoredList(Tickerdeck& board, wxGridEx* grid, const std::vector<layout::InstrumentRef>& stored)
{
    Host* host = board.GetHost();
    if (!host || !grid)
        return;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    std::unordered_set<std::string> wanted;
    wanted.reserve(stored.size());
    for (const layout::InstrumentRef& ref : stored)
        wanted.insert(KeyOf(ref));

    std::unordered_set<std::string> held;
    std::vector<Price*> gone;
    for (Price* price : table->Members())
    {
        if (!price->instrument || !wanted.count(KeyOf(*price->instrument)))
            gone.push_back(price);
        else
            held.insert(KeyOf(*price->instrument));
    }
    board.Rows().ForgetPendingRows(grid, [&wanted](const Instrument* instrument)
                            { return !instrument || !wanted.count(KeyOf(*instrument)); });
    for (const Instrument* instrument : board.Rows().PendingInstruments(grid))
        held.insert(KeyOf(*instrument));
    // Bookmarks go with the rows of instruments that left; kept, they would
    // be saved for rows no longer shown.
    for (auto mark = table->Bookmarks().begin(); mark != table->Bookmarks().end();)
        mark = *mark && !wanted.count(KeyOf(**mark)) ? table->Bookmarks().erase(mark) : std::next(mark);
    board.Rows().DropRows(grid, gone);

    std::vector<Instrument*> missing;
    std::vector<bool> unresolved(stored.size(), false);
    InstrumentRanks rank;
    rank.reserve(stored.size());
    for (size_t i = 0; i < stored.size(); ++i)
    {
        Instrument* instrument = host->FindInstrument(stored[i].code.c_str(), stored[i].exchange.c_str());
        unresolved[i] = instrument == nullptr;
        rank.emplace(instrument, i);
        if (instrument && held.insert(KeyOf(*instrument)).second)
            missing.push_back(instrument);
    }
    table->SetUnresolved(layout::UnresolvedRefs(stored, std::move(unresolved)));
    // Only when there is something to ask for: rearranging the rows would
    // drop the user's selection for nothing.
    if (!missing.empty())
        board.Rows().SubscribeRows(missing, grid);
    FollowStoredOrder(board, grid, rank);
}

std::vector<layout::InstrumentRef> StoredRowsOf(const Tickerdeck& board, const wxGridEx* grid)
{
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    std::vector<layout::InstrumentRef> rows;
    rows.reserve(table->Members().size());
    for (const Price* price : table->Members())
        if (price && price->instrument)
            rows.push_back({price->instrument->exchange, price->instrument->code});
    for (const Instrument* instrument : board.Rows().PendingInstruments(grid))
        rows.push_back({instrument->exchange, instrument->code});
    return table->GetUnresolved().MergeInto(rows);
}

void ApplyStoreChange(Tickerdeck& board, layout::WatchlistStoreService& store,
                      const layout::StoreChange& change)
{
    using layout::StoreChange;
    const std::vector<wxGridEx*> grids = board.GetGrids();
    for (wxGridEx* grid : grids)
    {
        const TickerdeckTable* table = Tickerdeck::TableOf(grid);
        if (table->GetTabType() != layout::kStoredWatchlistTab)
            continue;
        const std::string& name = table->GetWatchlistName();
        switch (change.kind)
        {
        case StoreChange::Renamed:
            if (name == change.name)
                Relabel(board, grid, change.newName);
            break;
        case StoreChange::Deleted:
            if (name == change.name && !store.Has(name))
                NoticeDeleted(board, grid);
            break;
        case StoreChange::Reloaded:
            // A tab whose list the store never had yet stores it at its save.
            if (std::find(change.names.begin(), change.names.end(), name) != change.names.end())
                NoticeDeleted(board, grid);
            else if (store.Has(name))
                Follow(board, store, grid);
            break;
        default:
            if (std::find(change.names.begin(), change.names.end(), name) != change.names.end())
                Follow(board, store, grid);
            break;
        }
    }
}
