#include "watchlist/WatchlistTabs.h"

#include <algorithm>
#include <optional>

#include <boost/property_tree/ptree.hpp>
#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "board/ColumnLayout.h"
#include "watchlist/ControlKey.h"
#include "layout/TabLabel.h"
#include "layout/UnresolvedRefs.h"
#include "layout/WatchlistStore.h"
#include "layout/WindowNodeReader.h"
#include "contract/Host.h"
#include "model/Logger.h"

namespace {

using layout::Tree;

const char* const kColumnTemplate = "Default";

std::vector<layout::InstrumentRef> RefsOf(const std::vector<Instrument*>& instruments)
{
    std::vector<layout::InstrumentRef> refs;
    refs.reserve(instruments.size());
    for (const Instrument* instrument : instruments)
        if (instrument)
            refs.push_back(layout::RefOf(*instrument));
    return refs;
}

// The column arrangement that new tabs start from: the "Default" entries of
// the default layout file. A file that cannot be read leaves the grid's own
// columns; a new tab is still better than none.
void ApplyColumnTemplate(wxGridEx* grid, const std::string& layoutPath)
{
    try
    {
        const Tree file = layout::ReadXmlFile(layoutPath);
        const auto watchlists = file.get_child_optional(std::string(layout::kDefaultWindowPath) + ".watchlists");
        if (!watchlists)
            return;
        for (const auto& [key, watchlist] : *watchlists)
            if (key == "watchlist" && layout::ReadText(watchlist, "<xmlattr>.name") == kColumnTemplate)
                layout::ApplyColumnLayout(grid, layout::ReadColumns(watchlist.get_child("columns")));
    }
    catch (const std::exception&)
    {
        // The tab keeps the grid's own columns.
    }
}

Instrument* FindInstrument(Host& host, const layout::InstrumentRef& ref)
{
    return host.FindInstrument(ref.code.c_str(), ref.exchange.c_str());
}

layout::UnresolvedRefs UnresolvedOf(Host& host, const std::vector<layout::InstrumentRef>& stored)
{
    return layout::UnresolvedRefs(stored, [&host](const layout::InstrumentRef& ref) {
        return FindInstrument(host, ref) != nullptr;
    });
}

// Logged as an error, which the host also puts on screen.
StoreOutcome StoreFailure(const std::string& what, const std::string& path, const std::exception& error)
{
    LogException((what + " " + path + ": ").c_str(), error);
    return {StoreOutcome::Failed, error.what()};
}

}  // namespace

StoreOutcome WatchlistTabs::BuildTab(const layout::TabSource& source)
{
    Host* host = m_board.GetHost();
    if (!host)
        return {StoreOutcome::Failed, "no host"};
    const bool stored = source.type == layout::kStoredWatchlistTab;
    std::string label = source.watchlist;
    const std::vector<Instrument*>* instruments = nullptr;
    if (!stored)
    {
        const auto composed = layout::ComposeTabLabel(host->GetExchanges(), source.type, source.exchange, source.category);
        instruments = layout::InstrumentsOfSource(host->GetExchanges(), source.type, source.exchange, source.category);
        // An exchange or category the host does not have gives no tab at all.
        if (!composed || !instruments)
            return {};
        label = *composed;
    }
    const wxString pageLabel = layout::ToWxString(label);

    if (source.type != layout::kExchangeTab)
    {
        const int page = m_board.FindPage(pageLabel);
        if (page != wxNOT_FOUND)
        {
            m_board.GetNotebook()->SetSelection(static_cast<size_t>(page));
            return {};
        }
    }

    // The store goes first: an unreadable one leaves the tabs as they were.
    std::vector<Instrument*> rows;
    layout::UnresolvedRefs unresolved;
    std::optional<std::vector<layout::InstrumentRef>> storedRows;
    if (stored)
    {
        const std::string path = host->GetApplicationFilePath(true);
        try
        {
            const Tree store = layout::ReadStore(path);
            storedRows = layout::StoredInstruments(store, source.watchlist);
            for (const layout::InstrumentRef& ref : *storedRows)
                if (Instrument* instrument = FindInstrument(*host, ref))
                    rows.push_back(instrument);
            unresolved = UnresolvedOf(*host, *storedRows);
        }
        catch (const std::exception& error)
        {
            return StoreFailure("opening watchlist \"" + source.watchlist + "\" from", path, error);
        }
    }
    else
    {
        rows = *instruments;
    }

    wxGridEx* grid = layout::IsControlKeyDown() ? OpenTemplateTab(pageLabel) : RepointCurrentTab(pageLabel);
    if (!grid)
        return {};
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->SetTabType(source.type);
    table->SetWatchlistName(stored ? source.watchlist : std::string());
    table->SetExchange(stored ? std::string() : source.exchange);
    table->SetCategory(stored || source.type == layout::kExchangeTab ? std::string() : source.category);
    table->SetUnresolved(std::move(unresolved));
    table->SetStoredRows(std::move(storedRows));

    m_board.SubscribeRows(rows, grid);
    return {};
}

wxGridEx* WatchlistTabs::OpenTemplateTab(const wxString& label)
{
    wxGridEx* grid = m_board.CreateTabGrid();
    grid->UnsetSortingColumn();
    if (Host* host = m_board.GetHost())
        ApplyColumnTemplate(grid, host->GetLayoutFilePath());
    m_board.AddTabPage(grid, label, true);
    m_board.GetNotebook()->Layout();
    if (m_board.Settings().autoFitColumns)
        m_board.FitColumns(grid);
    return grid;
}

wxGridEx* WatchlistTabs::RepointCurrentTab(const wxString& label)
{
    wxGridEx* grid = m_board.GetCurrentGrid();
    const int page = m_board.GetNotebook()->GetSelection();
    // Without a tab to re-point the request opens one.
    if (!grid || page == wxNOT_FOUND)
        return OpenTemplateTab(label);
    grid->UnsetSortingColumn();
    EmptyTab(grid);
    // Bookmarks belong to the rows that were shown; kept, they would be
    // saved for good for rows the tab no longer has.
    Tickerdeck::TableOf(grid)->Bookmarks().clear();
    m_board.GetNotebook()->SetPageText(static_cast<size_t>(page), label);
    return grid;
}

void WatchlistTabs::EmptyTab(wxGridEx* grid)
{
    m_board.ClearRows(grid);
}

wxGridEx* WatchlistTabs::GridLabelled(const wxString& label) const
{
    const int page = m_board.FindPage(label);
    return page == wxNOT_FOUND ? nullptr : m_board.GridOfPage(m_board.GetNotebook()->GetPage(static_cast<size_t>(page)));
}

StoreOutcome WatchlistTabs::CreateWatchlistTab(const wxString& name, const std::vector<Instrument*>& instruments)
{
    if (m_board.FindPage(name) != wxNOT_FOUND)
        return {StoreOutcome::NameTaken, {}};
    Host* host = m_board.GetHost();
    if (!host)
        return {StoreOutcome::Failed, "no host"};
    const std::string storedName = layout::ToTreeText(name);
    const std::string path = host->GetApplicationFilePath(true);
    std::vector<layout::InstrumentRef> written = RefsOf(instruments);
    try
    {
        // The editor's list is what the user chose, whether or not the host
        // has answered every subscription yet.
        Tree store = layout::ReadStoreForUpdate(path);
        if (layout::HasWatchlist(store, storedName))
            return {StoreOutcome::NameTaken, {}};
        layout::AppendWatchlist(store, storedName, written);
        layout::WriteStore(path, store);
    }
    catch (const std::exception& error)
    {
        return StoreFailure("creating watchlist \"" + storedName + "\" in", path, error);
    }

    wxGridEx* grid = OpenTemplateTab(name);
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->SetTabType(layout::kStoredWatchlistTab);
    table->SetWatchlistName(storedName);
    table->SetStoredRows(std::move(written));
    m_board.SubscribeRows(instruments, grid);
    return {};
}

StoreOutcome WatchlistTabs::SaveEditedWatchlist(const wxString& oldName, const wxString& newName,
                                                const std::vector<Instrument*>& instruments)
{
    if (newName != oldName && m_board.FindPage(newName) != wxNOT_FOUND)
        return {StoreOutcome::NameTaken, {}};
    Host* host = m_board.GetHost();
    if (!host)
        return {StoreOutcome::Failed, "no host"};
    wxGridEx* grid = GridLabelled(oldName);
    const RowPlan plan = grid ? PlanRows(grid, instruments) : RowPlan{instruments, {}, {}};
    const std::string storedName = layout::ToTreeText(oldName);
    const std::string path = host->GetApplicationFilePath(true);
    std::vector<layout::InstrumentRef> written;
    try
    {
        Tree store = layout::ReadStoreForUpdate(path);
        if (newName != oldName && layout::HasWatchlist(store, layout::ToTreeText(newName)))
            return {StoreOutcome::NameTaken, {}};
        // The editor lists only what the host knows; the rest stays stored.
        const layout::UnresolvedRefs unresolved =
            grid ? Tickerdeck::TableOf(grid)->GetUnresolved() : UnresolvedOf(*host, layout::StoredInstruments(store, storedName));
        written = unresolved.MergeInto(RefsOf(plan.stored));
        layout::ReplaceWatchlist(store, storedName, layout::ToTreeText(newName), written);
        layout::WriteStore(path, store);
    }
    catch (const std::exception& error)
    {
        return StoreFailure("saving watchlist \"" + storedName + "\" in", path, error);
    }

    if (grid)
    {
        m_board.GetNotebook()->SetPageText(static_cast<size_t>(m_board.FindPage(oldName)), newName);
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        table->SetTabType(layout::kStoredWatchlistTab);
        table->SetWatchlistName(layout::ToTreeText(newName));
        table->SetStoredRows(std::move(written));
        ApplyRows(grid, plan);
    }
    return {};
}

StoreOutcome WatchlistTabs::RenameWatchlist(wxGridEx* grid, const wxString& newName)
{
    const wxFlatNotebook* notebook = m_board.GetNotebook();
    for (size_t page = 0; page < notebook->GetPageCount(); ++page)
        if (m_board.GridOfPage(notebook->GetPage(page)) == grid)
            return SaveEditedWatchlist(notebook->GetPageText(page), newName, TabInstruments(grid));
    return {StoreOutcome::Failed, "no such tab"};
}

StoreOutcome WatchlistTabs::DeleteWatchlist(const wxString& name)
{
    Host* host = m_board.GetHost();
    if (!host)
        return {StoreOutcome::Failed, "no host"};
    const std::string storedName = layout::ToTreeText(name);
    const std::string path = host->GetApplicationFilePath(true);
    try
    {
        Tree store = layout::ReadStore(path);
        if (layout::RemoveWatchlist(store, storedName))
            layout::WriteStore(path, store);
    }
    catch (const std::exception& error)
    {
        return StoreFailure("deleting watchlist \"" + storedName + "\" from", path, error);
    }
    if (wxGridEx* grid = GridLabelled(name))
        m_board.RemoveTab(grid);
    return {};
}

std::vector<Instrument*> WatchlistTabs::TabInstruments(const wxGridEx* grid) const
{
    std::vector<Instrument*> instruments;
    for (const Price* price : Tickerdeck::TableOf(grid)->Members())
        if (price && price->instrument)
            instruments.push_back(price->instrument);
    const std::vector<Instrument*> pending = m_board.PendingInstruments(grid);
    instruments.insert(instruments.end(), pending.begin(), pending.end());
    return instruments;
}

WatchlistTabs::RowPlan WatchlistTabs::PlanRows(const wxGridEx* grid, const std::vector<Instrument*>& wanted) const
{
    RowPlan plan;
    std::vector<Instrument*> remaining = wanted;
    for (Price* price : Tickerdeck::TableOf(grid)->Members())
    {
        const auto match = std::find(remaining.begin(), remaining.end(), price->instrument);
        if (match == remaining.end())
        {
            plan.dropped.push_back(price);
            continue;
        }
        plan.stored.push_back(price->instrument);
        remaining.erase(match);
    }
    // Rows still on their way are kept, not asked for a second time.
    for (Instrument* instrument : m_board.PendingInstruments(grid))
    {
        const auto match = std::find(remaining.begin(), remaining.end(), instrument);
        if (match == remaining.end())
            continue;
        plan.stored.push_back(instrument);
        remaining.erase(match);
    }
    plan.added = remaining;
    plan.stored.insert(plan.stored.end(), remaining.begin(), remaining.end());
    return plan;
}

void WatchlistTabs::ApplyRows(wxGridEx* grid, const RowPlan& plan)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    for (Price* price : plan.dropped)
    {
        table->RemoveRow(price);
        if (!table->IsMember(price))
            m_board.ReleaseTabRow(grid, price);
    }
    m_board.SubscribeRows(plan.added, grid);
}
