#include "commands/RowCommands.h"

#include <algorithm>

#include <boost/property_tree/ptree.hpp>

#include <wx/grid.h>
#include <wx/msgdlg.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "contract/Theme.h"
#include "controls/wxGridEx.h"
#include "layout/WatchlistStore.h"
#include "commands/GridTickets.h"
#include "controls/wxFlatNotebook.h"
#include "layout/TreeValues.h"
#include "model/Logger.h"

namespace {

bool OnStoredTab(const wxGridEx* grid)
{
    return grid && Tickerdeck::TableOf(grid)->GetTabType() == layout::kStoredWatchlistTab;
}

std::vector<layout::InstrumentRef> MemberRefs(const TickerdeckTable& table)
{
    std::vector<layout::InstrumentRef> refs;
    refs.reserve(table.Members().size());
    for (const Price* price : table.Members())
        if (price && price->instrument)
            refs.push_back({price->instrument->exchange, price->instrument->code});
    return refs;
}

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

}  // namespace

std::vector<int> RowCommands::Commands() const
{
    return {cmd::DeleteInstrument, cmd::WatchlistCommand};
}

void RowCommands::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::DeleteInstrument)
        Remove(board, SelectedRowList(board.GetCurrentGrid()));
    else
        Refresh(board);
}

bool RowCommands::AskUser(Tickerdeck& board)
{
    // No is the default answer: a stray Enter keeps the rows.
    wxMessageDialog question(board.GetOwnerFrame(),
                             _("Are you sure to delete the selected instrument from this watchlist?"),
                             _("Delete from watchlist"), wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION);
    if (Theme* theme = board.GetTheme())
        question.SetBackgroundColour(theme->BackgroundColour());
    return question.ShowModal() == wxID_YES;
}

void RowCommands::Remove(Tickerdeck& board, const std::vector<int>& rows)
{
    wxGridEx* grid = board.GetCurrentGrid();
    if (rows.empty() || !OnStoredTab(grid) || !m_confirm(board))
        return;
    DropRows(board, grid, rows);
    RewriteStored(board, grid);
}

void RowCommands::DropRows(Tickerdeck& board, wxGridEx* grid, const std::vector<int>& rows)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    // Rows are looked up before any goes, so each still names the quote the
    // user selected; the last listed goes first.
    std::vector<Price*> quotes;
    for (int row : rows)
        quotes.push_back(table->RowPrice(row));
    wxGridUpdateLocker batch(grid);
    for (auto quote = quotes.rbegin(); quote != quotes.rend(); ++quote)
    {
        const int row = table->RowOf(*quote);
        if (!*quote || row < 0)
            continue;
        table->RemoveRow(*quote);
        wxGridTableMessage message(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, row, 1);
        grid->ProcessTableMessage(message);
        if (!table->IsMember(*quote))
            board.ReleaseTabRow(grid, *quote);
    }
    grid->ClearSelection();
    grid->ForceRefresh();
}

void RowCommands::RewriteStored(Tickerdeck& board, wxGridEx* grid)
{
    Host* host = board.GetHost();
    if (!host)
        return;
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const std::string& name = table->GetWatchlistName();
    try
    {
        const std::string path = host->GetApplicationFilePath(true);
        layout::Tree store = layout::ReadStoreForUpdate(path);
        // Every member counts, shown or hidden by a filter, and so do the
        // references the host could not resolve: they are still the user's.
        if (layout::WriteWatchlist(store, name, table->GetUnresolved().MergeInto(MemberRefs(*table))))
            layout::WriteStore(path, store);
    }
    catch (const std::exception&)
    {
        // The tab has lost the rows; the next save of the board writes the store again.
    }
}

void RowCommands::Refresh(Tickerdeck& board)
{
    wxGridEx* grid = board.GetCurrentGrid();
    Host* host = board.GetHost();
    if (!OnStoredTab(grid) || !host)
        return;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    std::vector<layout::InstrumentRef> refs;
    try
    {
        refs = layout::StoredInstruments(layout::ReadStore(host->GetApplicationFilePath(true)),
                                         table->GetWatchlistName());
    }
    catch (const std::exception&)
    {
        return;
    }
    std::vector<Instrument*> stored;
    for (const layout::InstrumentRef& ref : refs)
        if (Instrument* instrument = host->FindInstrument(ref.code.c_str(), ref.exchange.c_str()))
            stored.push_back(instrument);
    table->SetUnresolved(layout::UnresolvedRefs(refs, [host](const layout::InstrumentRef& ref) {
        return host->FindInstrument(ref.code.c_str(), ref.exchange.c_str()) != nullptr;
    }));

    std::vector<Instrument*> missing;
    for (Instrument* instrument : stored)
        if (std::none_of(table->Members().begin(), table->Members().end(),
                         [instrument](const Price* price) { return price->instrument == instrument; }) &&
            std::find(missing.begin(), missing.end(), instrument) == missing.end())
            missing.push_back(instrument);
    std::vector<int> gone;
    for (int row = 0; row < table->GetNumberRows(); ++row)
        if (std::find(stored.begin(), stored.end(), table->RowPrice(row)->instrument) == stored.end())
            gone.push_back(row);
    DropRows(board, grid, gone);
    board.SubscribeRows(missing, grid);
}

void RowCommands::AddTo(Tickerdeck& board, const wxString& name)
{
    AddSelectedRows(board, name);
}

void RowCommands::MoveTo(Tickerdeck& board, const wxString& name)
{
    if (OnStoredTab(board.GetCurrentGrid()))
        MoveSelectedRows(board, name);
}

bool RowCommands::AddSelectedRows(Tickerdeck& board, const wxString& name)
{
    wxGridEx* current = board.GetCurrentGrid();
    if (!current)
        return false;
    const wxArrayInt selected = current->GetSelectedRows();
    if (selected.empty())
        return false;
    Host* host = board.GetHost();
    if (!host)
        return false;
    const int page = FindPage(board.GetNotebook(), name);
    wxGridEx* target = page == wxNOT_FOUND ? nullptr : board.GridOfPage(board.GetNotebook()->GetPage(page));
    const std::string storedName = layout::ToTreeText(name);
    const std::string path = host->GetApplicationFilePath(true);
    TickerdeckTable* table = Tickerdeck::TableOf(current);
    std::vector<Instrument*> added;
    try
    {
        layout::Tree store = layout::ReadStoreForUpdate(path);
        for (int row : selected)
        {
            Price* price = table->RowPrice(row);
            if (price && price->instrument && layout::AppendToWatchlist(store, storedName, RefOf(*price->instrument)))
                added.push_back(price->instrument);
        }
        if (!added.empty())
            layout::WriteStore(path, store);
    }
    catch (const std::exception& error)
    {
        LogException(("adding rows to watchlist \"" + storedName + "\" in " + path + ": ").c_str(), error);
        return false;
    }
    // Only once stored: a failed write leaves the target tab as it was.
    if (!target || target == current)
        return true;
    TickerdeckTable* targetTable = Tickerdeck::TableOf(target);
    for (Instrument* instrument : added)
    {
        board.SubscribeRow(instrument, target, Tickerdeck::Delivery::Interactive);
        if (targetTable->GetWatchlistName() == storedName)
            targetTable->NoteStoredRowAdded(RefOf(*instrument));
    }
    return true;
}

void RowCommands::MoveSelectedRows(Tickerdeck& board, const wxString& name)
{
    wxGridEx* current = board.GetCurrentGrid();
    if (!current)
        return;
    wxArrayInt selected = current->GetSelectedRows();
    // Rows leave this tab only once they are safely in the store.
    if (selected.empty() || !AddSelectedRows(board, name))
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
            board.ReleaseTabRow(current, price);
    }
    current->ClearSelection();
    current->ForceRefresh();
}
