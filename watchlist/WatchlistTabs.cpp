#include "watchlist/WatchlistTabs.h"

#include <algorithm>

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

namespace {

using layout::Tree;

const char* const kColumnTemplate = "Default";

int FindPage(wxFlatNotebook* notebook, const wxString& label)
{
    for (size_t page = 0; page < notebook->GetPageCount(); ++page)
        if (notebook->GetPageText(page) == label)
            return static_cast<int>(page);
    return wxNOT_FOUND;
}

layout::InstrumentRef RefOf(const Instrument& instrument)
{
    return {instrument.exchange, instrument.code};
}

std::vector<layout::InstrumentRef> RefsOf(const std::vector<Instrument*>& instruments)
{
    std::vector<layout::InstrumentRef> refs;
    refs.reserve(instruments.size());
    for (const Instrument* instrument : instruments)
        if (instrument)
            refs.push_back(RefOf(*instrument));
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

}  // namespace

void WatchlistTabs::BuildTab(const layout::TabSource& source)
{
    Host* host = m_board.GetHost();
    if (!host)
        return;
    const bool stored = source.type == layout::kStoredWatchlistTab;
    std::string label = source.watchlist;
    const std::vector<Instrument*>* instruments = nullptr;
    if (!stored)
    {
        const auto composed = layout::ComposeTabLabel(host->GetExchanges(), source.type, source.exchange, source.category);
        instruments = layout::InstrumentsOfSource(host->GetExchanges(), source.type, source.exchange, source.category);
        // An exchange or category the host does not have gives no tab at all.
        if (!composed || !instruments)
            return;
        label = *composed;
    }
    const wxString pageLabel = layout::ToWxString(label);

    if (source.type != layout::kExchangeTab)
    {
        const int page = FindPage(m_board.GetNotebook(), pageLabel);
        if (page != wxNOT_FOUND)
        {
            m_board.GetNotebook()->SetSelection(static_cast<size_t>(page));
            return;
        }
    }

    // The store goes first: an unreadable one leaves the tabs as they were.
    std::vector<Instrument*> rows;
    layout::UnresolvedRefs unresolved;
    if (stored)
    {
        try
        {
            const Tree store = layout::ReadStore(host->GetApplicationFilePath(true));
            const std::vector<layout::InstrumentRef> refs = layout::StoredInstruments(store, source.watchlist);
            for (const layout::InstrumentRef& ref : refs)
                if (Instrument* instrument = FindInstrument(*host, ref))
                    rows.push_back(instrument);
            unresolved = UnresolvedOf(*host, refs);
        }
        catch (const std::exception&)
        {
            return;
        }
    }
    else
    {
        rows = *instruments;
    }

    wxGridEx* grid = layout::IsControlKeyDown() ? OpenTemplateTab(pageLabel) : RepointCurrentTab(pageLabel);
    if (!grid)
        return;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->SetTabType(source.type);
    table->SetWatchlistName(stored ? source.watchlist : std::string());
    table->SetExchange(stored ? std::string() : source.exchange);
    table->SetCategory(stored || source.type == layout::kExchangeTab ? std::string() : source.category);
    table->SetUnresolved(std::move(unresolved));

    m_board.SubscribeRows(rows, grid);
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

void WatchlistTabs::CreateWatchlistTab(const wxString& name, const std::vector<Instrument*>& instruments)
{
    if (FindPage(m_board.GetNotebook(), name) != wxNOT_FOUND)
        return;
    wxGridEx* grid = OpenTemplateTab(name);
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const std::string storedName = layout::ToTreeText(name);
    table->SetTabType(layout::kStoredWatchlistTab);
    table->SetWatchlistName(storedName);
    m_board.SubscribeRows(instruments, grid);

    Host* host = m_board.GetHost();
    if (!host)
        return;
    try
    {
        // The editor's list is what the user chose, whether or not the host
        // has answered every subscription yet.
        Tree store = layout::ReadStoreForUpdate(host->GetApplicationFilePath(true));
        layout::AppendWatchlist(store, storedName, RefsOf(instruments));
        layout::WriteStore(host->GetApplicationFilePath(true), store);
    }
    catch (const std::exception&)
    {
        // An unreadable store is left as it is; the tab keeps its rows and
        // the next save of the board tries the store again.
    }
}

void WatchlistTabs::SaveEditedWatchlist(const wxString& oldName, const wxString& newName,
                                     const std::vector<Instrument*>& instruments)
{
    std::vector<Instrument*> storedRows = instruments;
    const int page = FindPage(m_board.GetNotebook(), oldName);
    wxGridEx* grid = page == wxNOT_FOUND ? nullptr : m_board.GridOfPage(m_board.GetNotebook()->GetPage(page));
    if (grid)
    {
        m_board.GetNotebook()->SetPageText(static_cast<size_t>(page), newName);
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        table->SetTabType(layout::kStoredWatchlistTab);
        table->SetWatchlistName(layout::ToTreeText(newName));
        storedRows = ReconcileRows(grid, instruments);
    }

    Host* host = m_board.GetHost();
    if (!host)
        return;
    try
    {
        Tree store = layout::ReadStoreForUpdate(host->GetApplicationFilePath(true));
        const std::string storedName = layout::ToTreeText(oldName);
        // The editor lists only what the host knows; the rest stays stored.
        const layout::UnresolvedRefs unresolved =
            grid ? Tickerdeck::TableOf(grid)->GetUnresolved() : UnresolvedOf(*host, layout::StoredInstruments(store, storedName));
        layout::ReplaceWatchlist(store, storedName, layout::ToTreeText(newName),
                                 unresolved.MergeInto(RefsOf(storedRows)));
        layout::WriteStore(host->GetApplicationFilePath(true), store);
    }
    catch (const std::exception&)
    {
        // An unreadable store is left as it is; the tab keeps its rows and
        // the next save of the board tries the store again.
    }
}

// Drops the rows the list no longer has, subscribes the new ones and returns
// the tab's instruments in stored order: the kept rows, then the new ones.
std::vector<Instrument*> WatchlistTabs::ReconcileRows(wxGridEx* grid, const std::vector<Instrument*>& wanted)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    std::vector<Instrument*> remaining = wanted;
    std::vector<Instrument*> kept;
    std::vector<Price*> dropped;
    for (Price* price : table->Members())
    {
        const auto match = std::find(remaining.begin(), remaining.end(), price->instrument);
        if (match == remaining.end())
        {
            dropped.push_back(price);
            continue;
        }
        kept.push_back(price->instrument);
        remaining.erase(match);
    }
    for (Price* price : dropped)
    {
        table->RemoveRow(price);
        if (!table->IsMember(price))
            m_board.ReleaseTabRow(grid, price);
    }
    m_board.SubscribeRows(remaining, grid);

    kept.insert(kept.end(), remaining.begin(), remaining.end());
    return kept;
}

bool WatchlistTabs::AddSelectedRowsToWatchlist(const wxString& name)
{
    wxGridEx* current = m_board.GetCurrentGrid();
    if (!current)
        return false;
    const wxArrayInt selected = current->GetSelectedRows();
    if (selected.empty())
        return false;
    Host* host = m_board.GetHost();
    if (!host)
        return false;
    const int page = FindPage(m_board.GetNotebook(), name);
    wxGridEx* target = page == wxNOT_FOUND ? nullptr : m_board.GridOfPage(m_board.GetNotebook()->GetPage(page));
    const std::string storedName = layout::ToTreeText(name);
    TickerdeckTable* table = Tickerdeck::TableOf(current);
    try
    {
        Tree store = layout::ReadStoreForUpdate(host->GetApplicationFilePath(true));
        bool added = false;
        for (int row : selected)
        {
            Price* price = table->RowPrice(row);
            if (!price || !price->instrument)
                continue;
            if (!layout::AppendToWatchlist(store, storedName, RefOf(*price->instrument)))
                continue;
            added = true;
            if (target && target != current)
                m_board.SubscribeRow(price->instrument, target, Tickerdeck::Delivery::Interactive);
        }
        if (added)
            layout::WriteStore(host->GetApplicationFilePath(true), store);
    }
    catch (const std::exception&)
    {
        return false;
    }
    return true;
}

void WatchlistTabs::MoveSelectedRowsToWatchlist(const wxString& name)
{
    wxGridEx* current = m_board.GetCurrentGrid();
    if (!current)
        return;
    wxArrayInt selected = current->GetSelectedRows();
    // Rows leave this tab only once they are safely in the store.
    if (selected.empty() || !AddSelectedRowsToWatchlist(name))
        return;
    std::vector<int> rows(selected.begin(), selected.end());
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    TickerdeckTable* table = Tickerdeck::TableOf(current);
    for (int row : rows)
    {
        Price* price = table->RowPrice(row);
        if (!price)
            continue;
        table->RemoveRow(price);
        wxGridTableMessage message(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, row, 1);
        current->ProcessTableMessage(message);
        if (!table->IsMember(price))
            m_board.ReleaseTabRow(current, price);
    }
    current->ClearSelection();
    current->ForceRefresh();
}
