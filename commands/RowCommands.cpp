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

// A tab can close while the user is asked or chooses a watchlist.
bool IsOpenTab(const Tickerdeck& board, const wxGridEx* grid)
{
    const std::vector<wxGridEx*>& grids = board.GetGrids();
    return grid && std::find(grids.begin(), grids.end(), grid) != grids.end();
}

// Names what Remove takes away: the first few codes, then how many more.
wxString RemoveQuestion(const std::vector<Price*>& quotes, const wxString& watchlist)
{
    constexpr size_t kNamed = 5;
    std::vector<const Instrument*> instruments;
    for (const Price* quote : quotes)
        if (quote && quote->instrument &&
            std::find(instruments.begin(), instruments.end(), quote->instrument) == instruments.end())
            instruments.push_back(quote->instrument);
    wxString named;
    for (size_t i = 0; i < instruments.size() && i < kNamed; ++i)
        named += (i ? ", " : "") + wxString::FromUTF8(instruments[i]->code);
    if (instruments.size() > kNamed)
    {
        const int more = static_cast<int>(instruments.size() - kNamed);
        named = wxString::Format(wxPLURAL("%s and %d more", "%s and %d more", more), named, more);
    }
    return wxString::Format(_("Remove %s from %s?"), named, watchlist);
}

}  // namespace

std::vector<int> RowCommands::Commands() const
{
    return {cmd::DeleteInstrument, cmd::WatchlistCommand};
}

void RowCommands::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::DeleteInstrument)
        Remove(board, board.CommandTargets());
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
    const wxString watchlist = layout::ToWxString(Tickerdeck::TableOf(grid)->GetWatchlistName());
    if (!m_confirm(board, RemoveQuestion(targets.quotes, watchlist)))
        return;
    if (!IsOpenTab(board, grid))
        return;
    DropQuotes(board, grid, targets.quotes);
    RewriteStored(board, grid);
}

void RowCommands::DropQuotes(Tickerdeck& board, wxGridEx* grid, const std::vector<Price*>& quotes)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    wxGridUpdateLocker batch(grid);
    for (auto quote = quotes.rbegin(); quote != quotes.rend(); ++quote)
    {
        if (!*quote || !table->IsMember(*quote))
            continue;
        // A member the filter hid meanwhile has no row, but leaves all the same.
        const int row = table->RowOf(*quote);
        table->RemoveRow(*quote);
        if (row >= 0)
        {
            wxGridTableMessage message(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, row, 1);
            grid->ProcessTableMessage(message);
        }
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
    std::vector<Price*> gone;
    for (Price* shown : table->Rows())
        if (std::find(stored.begin(), stored.end(), shown->instrument) == stored.end())
            gone.push_back(shown);
    DropQuotes(board, grid, gone);
    board.SubscribeRows(missing, grid);
}

bool RowCommands::AddTo(Tickerdeck& board, const RowTargets& targets, const wxString& name)
{
    wxGridEx* current = targets.grid;
    Host* host = board.GetHost();
    if (!IsOpenTab(board, current) || targets.quotes.empty() || !host)
        return false;
    const int page = board.FindPage(name);
    wxGridEx* target = page == wxNOT_FOUND ? nullptr : board.GridOfPage(board.GetNotebook()->GetPage(page));
    const std::string storedName = layout::ToTreeText(name);
    const std::string path = host->GetApplicationFilePath(true);
    std::vector<Instrument*> added;
    try
    {
        layout::Tree store = layout::ReadStoreForUpdate(path);
        for (const Price* price : targets.quotes)
            if (price && price->instrument && layout::AppendToWatchlist(store, storedName, layout::RefOf(*price->instrument)))
                added.push_back(price->instrument);
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
            targetTable->NoteStoredRowAdded(layout::RefOf(*instrument));
    }
    return true;
}

void RowCommands::MoveTo(Tickerdeck& board, const RowTargets& targets, const wxString& name)
{
    // Rows leave this tab only once they are safely in the store.
    if (IsOpenTab(board, targets.grid) && OnStoredTab(targets.grid) && AddTo(board, targets, name))
        DropQuotes(board, targets.grid, targets.quotes);
}
