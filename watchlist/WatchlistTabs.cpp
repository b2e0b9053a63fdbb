#include "watchlist/WatchlistTabs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <optional>

#include <boost/property_tree/ptree.hpp>
#include <wx/grid.h>
#include <wx/intl.h>
#include <wx/utils.h>

#include "board/ColumnLayout.h"
#include "board/StoredTabs.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/Host.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "files/DurableFile.h"
#include "layout/TabLabel.h"
#include "layout/UnresolvedRefs.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "layout/WindowNodeReader.h"
#include "model/Logger.h"
#include "watchlist/ControlKey.h"

namespace {

using layout::Tree;

const char* const kColumnTemplate = "Default";

// The column arrangement that new tabs start from: the "Default" entries of
// the default layout file. A file that cannot be read leaves the grid's own
// columns, and the user is told why; a new tab is still better than none.
// No file yet (a first run before its first save) is no fault.
void ApplyColumnTemplate(Tickerdeck& board, wxGridEx* grid, const std::string& layoutPath)
{
    std::error_code missing;
    if (layoutPath.empty() || !std::filesystem::exists(std::filesystem::u8path(layoutPath), missing))
        return;
    try
    {
        const Tree file = layout::ReadXmlFile(layoutPath);
        const auto watchlists = file.get_child_optional(std::string(layout::kDefaultWindowPath) + ".watchlists");
        if (!watchlists)
            return;
        for (const auto& [key, watchlist] : *watchlists)
            if (key == "watchlist" && layout::ReadText(watchlist, "<xmlattr>.name") == kColumnTemplate)
                ApplyColumnLayout(grid, layout::ReadColumns(watchlist.get_child("columns")));
    }
    catch (const std::exception& error)
    {
        LogException("the new tab keeps the standard columns, the column template cannot be read: ", error);
        TellUser(board, FailureText(_("The new tab has the standard columns: the column template could not be "
                                      "read from the layout."),
                                    error));
    }
}

// Logged; the command that asked tells the user, with the reason as the
// user reads it (the store's errors name the file already).
StoreOutcome StoreFailure(const std::string& what, const std::string& path, const std::exception& error)
{
    LogException((what + " " + path + ": ").c_str(), error);
    return {StoreOutcome::Failed, files::ShownReason(error).utf8_string()};
}

StoreOutcome Unstorable()
{
    return {StoreOutcome::Failed, "the board has no watchlist store"};
}

}  // namespace

StoreOutcome WatchlistTabs::BuildTab(const layout::TabSource& source)
{
    Host* host = m_board.GetHost();
    if (!host)
        return {StoreOutcome::Failed, "no host"};
    const bool stored = source.type == layout::kStoredWatchlistTab;
    wxString label = layout::ShownTabLabel(source.watchlist);
    if (!stored)
    {
        const auto composed =
            layout::ComposeTabLabel(host->GetExchanges(), source.type, source.exchange, source.category);
        // An exchange or category the host does not have gives no tab at all.
        if (!composed ||
            !layout::InstrumentsOfSource(host->GetExchanges(), source.type, source.exchange, source.category))
            return {};
        label = layout::ShownTabLabel(*composed);
    }
    if (source.type != layout::kExchangeTab)
        if (wxGridEx* shown = FindSourceTab(source))
        {
            m_board.Tabs().Notebook()->SetSelection(static_cast<size_t>(m_board.Tabs().PageOf(shown)));
            return {};
        }

    // The store goes first: an unreadable one leaves the tabs as they were.
    std::vector<layout::InstrumentRef> storedRows;
    if (stored)
    {
        const auto store = m_board.GetStore();
        if (!store)
            return Unstorable();
        try
        {
            storedRows = store->Instruments(source.watchlist);
        }
        catch (const std::exception& error)
        {
            return StoreFailure("opening watchlist \"" + source.watchlist + "\" from", store->Path(), error);
        }
    }

    wxGridEx* grid = IsControlKeyDown() ? OpenTemplateTab(label) : RepointCurrentTab(label);
    if (!grid)
        return {};
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->Identity().tabType = source.type;
    table->Identity().watchlistName = stored ? source.watchlist : std::string();
    table->Identity().exchange = stored ? std::string() : source.exchange;
    table->Identity().category = stored || source.type == layout::kExchangeTab ? std::string() : source.category;
    table->Identity().unresolved = {};
    if (stored)
        FollowStoredList(m_board, grid, storedRows);
    else
        m_board.Rows().FillRows(
            *layout::InstrumentsOfSource(host->GetExchanges(), source.type, source.exchange, source.category), grid,
            label);
    return {};
}

// Tabs are known by what they show, never by their label: a watchlist may
// be named like an exchange's tab.
wxGridEx* WatchlistTabs::FindSourceTab(const layout::TabSource& source) const
{
    if (source.type == layout::kStoredWatchlistTab)
        return m_board.Tabs().FindStored(source.watchlist);
    for (wxGridEx* grid : m_board.Tabs().Grids())
    {
        const TickerdeckTable* table = Tickerdeck::TableOf(grid);
        if (table->Identity().tabType == source.type && table->Identity().exchange == source.exchange &&
            table->Identity().category == source.category && m_board.Tabs().PageOf(grid) != wxNOT_FOUND)
            return grid;
    }
    return nullptr;
}

wxGridEx* WatchlistTabs::OpenTemplateTab(const wxString& label)
{
    wxGridEx* grid = m_board.Tabs().CreateGrid();
    grid->UnsetSortingColumn();
    if (Host* host = m_board.GetHost())
        ApplyColumnTemplate(m_board, grid, host->GetLayoutFilePath());
    m_board.Tabs().AddPage(grid, label, true);
    m_board.Tabs().Notebook()->Layout();
    // The set new tabs open with brings its own widths.
    if (const layout::ColumnSet* set = m_board.Looks().ColumnSets().Find(m_board.Looks().ColumnSets().forNewTabs))
        m_board.Looks().ApplyColumnSet(grid, *set);
    else if (m_board.Settings().autoFitColumns)
        m_board.Fitter().FitColumns(grid);
    return grid;
}

wxGridEx* WatchlistTabs::RepointCurrentTab(const wxString& label)
{
    wxGridEx* grid = m_board.Tabs().CurrentGrid();
    const int page = m_board.Tabs().Notebook()->GetSelection();
    // Without a tab to re-point the request opens one.
    if (!grid || page == wxNOT_FOUND)
        return OpenTemplateTab(label);
    grid->UnsetSortingColumn();
    m_board.Rows().ClearRows(grid);
    // Bookmarks belong to the rows that were shown; kept, they would be
    // saved for good for rows the tab no longer has.
    Tickerdeck::TableOf(grid)->Members().Bookmarks().clear();
    m_board.Tabs().Notebook()->SetPageText(static_cast<size_t>(page), label);
    return grid;
}

StoreOutcome WatchlistTabs::CreateWatchlistTab(const std::string& name,
                                               const std::vector<layout::InstrumentRef>& instruments)
{
    const auto store = m_board.GetStore();
    if (!store)
        return Unstorable();
    if (store->Has(name))
        return {StoreOutcome::NameTaken, {}};
    const wxBusyCursor busy;
    try
    {
        // The editor's list is what the user chose, whether or not the host
        // has answered every subscription yet.
        store->Create(name, instruments);
    }
    catch (const std::exception& error)
    {
        return StoreFailure("creating watchlist \"" + name + "\" in", store->Path(), error);
    }
    wxGridEx* grid = OpenTemplateTab(layout::ShownTabLabel(name));
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->Identity().tabType = layout::kStoredWatchlistTab;
    table->Identity().watchlistName = name;
    FollowStoredList(m_board, grid, instruments);
    return {};
}

StoreOutcome WatchlistTabs::SaveEditedWatchlist(const std::string& oldName, const std::string& newName,
                                                const std::vector<layout::InstrumentRef>& before,
                                                const std::vector<layout::InstrumentRef>& after)
{
    const auto store = m_board.GetStore();
    if (!store)
        return Unstorable();
    if (newName != oldName && store->Has(newName))
        return {StoreOutcome::NameTaken, {}};
    const wxBusyCursor busy;
    try
    {
        store->Edit(oldName, newName, before, after);
    }
    catch (const std::exception& error)
    {
        return StoreFailure("saving watchlist \"" + oldName + "\" in", store->Path(), error);
    }
    // A list another program deleted meanwhile comes back; its tab follows.
    if (wxGridEx* grid = m_board.Tabs().FindStored(newName))
        FollowStoredList(m_board, grid, store->Instruments(newName));
    return {};
}

StoreOutcome WatchlistTabs::RenameWatchlist(const std::string& oldName, const std::string& newName)
{
    const auto store = m_board.GetStore();
    if (!store)
        return Unstorable();
    if (newName != oldName && store->Has(newName))
        return {StoreOutcome::NameTaken, {}};
    try
    {
        store->Rename(oldName, newName);
    }
    catch (const std::exception& error)
    {
        return StoreFailure("renaming watchlist \"" + oldName + "\" in", store->Path(), error);
    }
    return {};
}

StoreOutcome WatchlistTabs::DeleteWatchlist(const std::string& name)
{
    const auto store = m_board.GetStore();
    if (!store)
        return Unstorable();
    // This board's tab goes with the list. It stands aside while the store
    // tells every board, which turns the other boards' tabs into plain ones.
    wxGridEx* grid = m_board.Tabs().FindStored(name);
    if (grid)
        Tickerdeck::TableOf(grid)->Identity().tabType = layout::kPlainTab;
    try
    {
        store->Delete(name);
    }
    catch (const std::exception& error)
    {
        if (grid)
            Tickerdeck::TableOf(grid)->Identity().tabType = layout::kStoredWatchlistTab;
        return StoreFailure("deleting watchlist \"" + name + "\" from", store->Path(), error);
    }
    if (grid)
        m_board.Tabs().Remove(grid);
    return {};
}

std::vector<Instrument*> WatchlistTabs::TabInstruments(const wxGridEx* grid) const
{
    std::vector<Instrument*> instruments;
    for (const Price* price : Tickerdeck::TableOf(grid)->Members().List())
        if (price && price->instrument)
            instruments.push_back(price->instrument);
    const std::vector<Instrument*> pending = m_board.Rows().PendingInstruments(grid);
    instruments.insert(instruments.end(), pending.begin(), pending.end());
    return instruments;
}
