#include "board/StoredTabs.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include <wx/intl.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/Host.h"
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
    std::vector<Price*> members = table->Members().List();
    if (std::is_sorted(members.begin(), members.end(), before))
        return;
    std::stable_sort(members.begin(), members.end(), before);
    table->Members().SetOrder(std::move(members));
    if (grid->GetSortingColumn() == wxNOT_FOUND)
        board.Sorting().RearrangeRows(grid);
}

} // namespace

bool ReorderStoredTab(Tickerdeck& board, wxGridEx* grid, const std::function<void()>& move)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const auto store = board.GetStore();
    if (table->Identity().tabType != layout::kStoredWatchlistTab || !store)
    {
        move();
        return true;
    }
    std::vector<Price*> former = table->Members().List();
    move();
    std::vector<layout::InstrumentRef> order;
    order.reserve(table->Members().List().size());
    for (const Price* price : table->Members().List())
        if (price && price->instrument)
            order.push_back({price->instrument->exchange, price->instrument->code});
    const std::string name = table->Identity().watchlistName;
    try
    {
        // What the host does not know today moves with the row before it.
        store->Reorder(name, table->Identity().unresolved.MergeInto(order));
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
    table->Members().SetOrder(std::move(former));
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
    for (Price* price : table->Members().List())
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
    for (auto mark = table->Members().Bookmarks().begin(); mark != table->Members().Bookmarks().end();)
        mark = *mark && !wanted.count(KeyOf(**mark)) ? table->Members().Bookmarks().erase(mark) : std::next(mark);
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
    table->Identity().unresolved = layout::UnresolvedRefs(stored, std::move(unresolved));
    // Only when there is something to ask for: rearranging the rows would
    // drop the user's selection for nothing.
    if (!missing.empty())
        board.Rows().SubscribeRows(missing, grid);
    FollowStoredOrder(board, grid, rank);
}
