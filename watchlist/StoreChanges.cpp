// A board's tabs of stored watchlists following the changes of the shared
// store, and the lists the store lacks stored at a save.

#include "watchlist/StoreChanges.h"

#include <algorithm>

#include <wx/intl.h>

#include "board/StoredTabs.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "layout/TreeValues.h"
#include "store/WatchlistStoreService.h"
#include "model/Logger.h"

namespace
{

void Relabel(Tickerdeck& board, wxGridEx* grid, const std::string& name)
{
    Tickerdeck::TableOf(grid)->Identity().watchlistName = name;
    const int page = board.Tabs().PageOf(grid);
    if (page != wxNOT_FOUND)
        board.Tabs().Notebook()->SetPageText(static_cast<size_t>(page), layout::ShownTabLabel(name));
}

void MakePlain(wxGridEx* grid)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->Identity().tabType = layout::kPlainTab;
    table->Identity().watchlistName = std::string();
    table->Identity().unresolved = {};
}

void NoticeDeleted(Tickerdeck& board, wxGridEx* grid)
{
    const std::string name = Tickerdeck::TableOf(grid)->Identity().watchlistName;
    LogInfo("watchlist \"" + name + "\" was deleted from the store; its tab became a plain tab");
    TellUser(board, wxString::Format(_("The watchlist \"%s\" was deleted: its tab keeps its rows but is no "
                                       "longer saved as a watchlist."),
                                     layout::ShownName(name)));
    MakePlain(grid);
}

void Follow(Tickerdeck& board, store::WatchlistStoreService& store, wxGridEx* grid)
{
    const std::string name = Tickerdeck::TableOf(grid)->Identity().watchlistName;
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

} // namespace

std::vector<layout::InstrumentRef> StoredRowsOf(const Tickerdeck& board, const wxGridEx* grid)
{
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    std::vector<layout::InstrumentRef> rows;
    rows.reserve(table->Members().List().size());
    for (const Price* price : table->Members().List())
        if (price && price->instrument)
            rows.push_back({price->instrument->exchange, price->instrument->code});
    for (const Instrument* instrument : board.Rows().PendingInstruments(grid))
        rows.push_back({instrument->exchange, instrument->code});
    return table->Identity().unresolved.MergeInto(rows);
}

void ApplyStoreChange(Tickerdeck& board, store::WatchlistStoreService& store,
                      const store::StoreChange& change)
{
    using store::StoreChange;
    const std::vector<wxGridEx*> grids = board.Tabs().Grids();
    for (wxGridEx* grid : grids)
    {
        const TickerdeckTable* table = Tickerdeck::TableOf(grid);
        if (table->Identity().tabType != layout::kStoredWatchlistTab)
            continue;
        const std::string& name = table->Identity().watchlistName;
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

void StoreMissingLists(Tickerdeck& board)
{
    const auto store = board.GetStore();
    if (!store)
        return;
    wxFlatNotebook* notebook = board.Tabs().Notebook();
    for (size_t page = 0; page < notebook->GetPageCount(); ++page)
    {
        const wxGridEx* grid = board.Tabs().GridOfPage(notebook->GetPage(page));
        const TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
        if (!table || table->Identity().tabType != layout::kStoredWatchlistTab)
            continue;
        const std::string& name = table->Identity().watchlistName;
        try
        {
            store->CreateMissing(name, StoredRowsOf(board, grid));
        }
        catch (const std::exception& e)
        {
            // The old store is still whole; the next save tries again.
            LogException(
                ("cannot save the watchlists to " + store->Path() + ", the file is left as it was: ").c_str(),
                e);
            TellUser(board, FailureText(wxString::Format(_("The watchlist \"%s\" could not be stored; the "
                                                           "store is left as it was."),
                                                         layout::ShownName(name)),
                                        e));
        }
    }
}
