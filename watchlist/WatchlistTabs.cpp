// Opening watchlists, categories and exchanges as tabs, and the watchlist
// commands that change a tab and the shared store together.

#include <algorithm>
#include <set>

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

void NotifyAppendedInBatch(wxGridEx* grid, int count)
{
    grid->BeginBatch();
    Tickerdeck::NotifyRowsAppended(grid, count);
    grid->EndBatch();
}

}  // namespace

void Tickerdeck::ReleaseTabRow(wxGridEx* grid, Price* price)
{
    ReleaseRow(grid, price, GetDateText());
}

void Tickerdeck::BuildTab(const layout::TabSource& source)
{
    Host* host = GetHost();
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
        const int page = FindPage(m_notebook, pageLabel);
        if (page != wxNOT_FOUND)
        {
            m_notebook->SetSelection(static_cast<size_t>(page));
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
    TickerdeckTable* table = TableOf(grid);
    table->SetTabType(source.type);
    table->SetWatchlistName(stored ? source.watchlist : std::string());
    table->SetExchange(stored ? std::string() : source.exchange);
    table->SetCategory(stored || source.type == layout::kExchangeTab ? std::string() : source.category);
    table->SetUnresolved(std::move(unresolved));

    for (Instrument* instrument : rows)
        SubscribeRow(instrument, grid, Delivery::Batch);
    if (table->GetFilter())
    {
        // The rows arrived unfiltered; the tab keeps showing what it filters.
        table->RebuildRowsFromMembers();
        grid->BeginBatch();
        SyncRowCount(grid);
        grid->EndBatch();
    }
    else
    {
        NotifyAppendedInBatch(grid, static_cast<int>(rows.size()));
    }
    grid->ForceRefresh();
}

wxGridEx* Tickerdeck::OpenTemplateTab(const wxString& label)
{
    wxGridEx* grid = CreateTabGrid();
    grid->UnsetSortingColumn();
    if (Host* host = GetHost())
        ApplyColumnTemplate(grid, host->GetLayoutFilePath());
    AddTabPage(grid, label, true);
    m_currentGrid = grid;
    m_notebook->Layout();
    if (m_settings.autoFitColumns)
        FitColumns(grid);
    return grid;
}

wxGridEx* Tickerdeck::RepointCurrentTab(const wxString& label)
{
    wxGridEx* grid = m_currentGrid;
    const int page = m_notebook->GetSelection();
    // Without a tab to re-point the request opens one.
    if (!grid || page == wxNOT_FOUND)
        return OpenTemplateTab(label);
    grid->UnsetSortingColumn();
    EmptyTab(grid);
    m_notebook->SetPageText(static_cast<size_t>(page), label);
    return grid;
}

void Tickerdeck::EmptyTab(wxGridEx* grid)
{
    TickerdeckTable* table = TableOf(grid);
    // Rows a filter hides hold a subscription too.
    std::vector<Price*> distinct;
    std::set<Price*> seen;
    for (Price* price : table->Members())
        if (price && seen.insert(price).second)
            distinct.push_back(price);
    for (Price* price : distinct)
        ReleaseRow(grid, price, GetDateText());
    table->ClearRowsAndMembers();
    grid->BeginBatch();
    SyncRowCount(grid);
    grid->EndBatch();
}

void Tickerdeck::CreateWatchlistTab(const wxString& name, const std::vector<Instrument*>& instruments)
{
    if (FindPage(m_notebook, name) != wxNOT_FOUND)
        return;
    wxGridEx* grid = OpenTemplateTab(name);
    TickerdeckTable* table = TableOf(grid);
    const std::string storedName = layout::ToTreeText(name);
    table->SetTabType(layout::kStoredWatchlistTab);
    table->SetWatchlistName(storedName);
    for (Instrument* instrument : instruments)
        SubscribeRow(instrument, grid, Delivery::Batch);
    NotifyAppendedInBatch(grid, static_cast<int>(instruments.size()));

    Host* host = GetHost();
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

void Tickerdeck::SaveEditedWatchlist(const wxString& oldName, const wxString& newName,
                                     const std::vector<Instrument*>& instruments)
{
    std::vector<Instrument*> storedRows = instruments;
    const int page = FindPage(m_notebook, oldName);
    wxGridEx* grid = page == wxNOT_FOUND ? nullptr : GridOfPage(m_notebook->GetPage(page));
    if (grid)
    {
        m_notebook->SetPageText(static_cast<size_t>(page), newName);
        TickerdeckTable* table = TableOf(grid);
        table->SetTabType(layout::kStoredWatchlistTab);
        table->SetWatchlistName(layout::ToTreeText(newName));
        storedRows = ReconcileRows(grid, instruments);
    }

    Host* host = GetHost();
    if (!host)
        return;
    try
    {
        Tree store = layout::ReadStoreForUpdate(host->GetApplicationFilePath(true));
        const std::string storedName = layout::ToTreeText(oldName);
        // The editor lists only what the host knows; the rest stays stored.
        const layout::UnresolvedRefs unresolved =
            grid ? TableOf(grid)->GetUnresolved() : UnresolvedOf(*host, layout::StoredInstruments(store, storedName));
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
std::vector<Instrument*> Tickerdeck::ReconcileRows(wxGridEx* grid, const std::vector<Instrument*>& wanted)
{
    TickerdeckTable* table = TableOf(grid);
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
            ReleaseRow(grid, price, GetDateText());
    }
    for (Instrument* instrument : remaining)
        if (instrument)
            SubscribeRow(instrument, grid, Delivery::Batch);

    grid->BeginBatch();
    SyncRowCount(grid);
    grid->ForceRefresh();
    grid->EndBatch();

    kept.insert(kept.end(), remaining.begin(), remaining.end());
    return kept;
}

bool Tickerdeck::AddSelectedRowsToWatchlist(const wxString& name)
{
    if (!m_currentGrid)
        return false;
    const wxArrayInt selected = m_currentGrid->GetSelectedRows();
    if (selected.empty())
        return false;
    Host* host = GetHost();
    if (!host)
        return false;
    const int page = FindPage(m_notebook, name);
    wxGridEx* target = page == wxNOT_FOUND ? nullptr : GridOfPage(m_notebook->GetPage(page));
    const std::string storedName = layout::ToTreeText(name);
    TickerdeckTable* table = TableOf(m_currentGrid);
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
            if (target && target != m_currentGrid)
                SubscribeRow(price->instrument, target, Delivery::Interactive);
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

void Tickerdeck::MoveSelectedRowsToWatchlist(const wxString& name)
{
    if (!m_currentGrid)
        return;
    wxArrayInt selected = m_currentGrid->GetSelectedRows();
    // Rows leave this tab only once they are safely in the store.
    if (selected.empty() || !AddSelectedRowsToWatchlist(name))
        return;
    std::vector<int> rows(selected.begin(), selected.end());
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    TickerdeckTable* table = TableOf(m_currentGrid);
    for (int row : rows)
    {
        Price* price = table->RowPrice(row);
        if (!price)
            continue;
        table->RemoveRow(price);
        wxGridTableMessage message(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, row, 1);
        m_currentGrid->ProcessTableMessage(message);
        if (!table->IsMember(price))
            ReleaseRow(m_currentGrid, price, GetDateText());
    }
    m_currentGrid->ClearSelection();
    m_currentGrid->ForceRefresh();
}
