#include "watchlist/TypeToAdd.h"

#include <algorithm>

#include <wx/intl.h>
#include <wx/utils.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/Host.h"
#include "controls/wxGridEx.h"
#include "layout/TreeValues.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "model/InstrumentLookup.h"
#include "model/Logger.h"
#include "watchlist/WatchlistTabs.h"

namespace {

bool SelectRowOf(wxGridEx* grid, const Instrument* instrument)
{
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    for (int row = 0; row < grid->GetNumberRows(); ++row)
    {
        const Price* price = table->RowPrice(row);
        if (price && price->instrument == instrument)
        {
            grid->SelectRow(row);
            grid->SetGridCursor(row, std::max(grid->GetGridCursorCol(), 0));
            grid->MakeCellVisible(row, std::max(grid->GetGridCursorCol(), 0));
            return true;
        }
    }
    return false;
}

}  // namespace

wxGridEx* WatchlistGridOf(Tickerdeck& board, const wxEvent& event)
{
    for (wxGridEx* grid : board.Tabs().Grids())
        if (grid->GetGridWindow() == event.GetEventObject())
        {
            const TickerdeckTable* table = Tickerdeck::TableOf(grid);
            const bool stored =
                table->Identity().tabType == layout::kStoredWatchlistTab && !table->Identity().watchlistName.empty();
            return stored ? grid : nullptr;
        }
    return nullptr;
}

std::vector<BoardEventKind> TypeToAdd::EventKinds() const
{
    return {BoardEventKind::GridChar};
}

void TypeToAdd::OnGridKey(Tickerdeck& board, wxKeyEvent& event)
{
    const wxChar typed = event.GetUnicodeKey();
    wxGridEx* grid = event.HasModifiers() || typed == WXK_NONE || !wxIsalnum(typed)
                         ? nullptr
                         : WatchlistGridOf(board, event);
    if (!grid)
    {
        event.Skip();
        return;
    }
    Open(board, grid, wxString(typed));
}

void TypeToAdd::Open(Tickerdeck& board, wxGridEx* grid, const wxString& typed)
{
    if (LookupField* open = GetOpenField())
        open->Close();
    wxWeakRef<Tickerdeck> alive(&board);
    wxWeakRef<wxGridEx> target(grid);
    m_field = new LookupField(grid, Lookup(board), board.GetTheme(), typed,
                              [alive, target](Instrument* instrument)
                              {
                                  if (alive && target)
                                      AddOrSelect(*alive, target, instrument);
                              });
}

std::shared_ptr<const InstrumentLookup> TypeToAdd::Lookup(Tickerdeck& board)
{
    Host* host = board.GetHost();
    if (!host)
        return nullptr;
    const std::vector<Instrument*>& instruments = host->GetInstruments();
    // Folding a large catalogue's names costs more than a keystroke may;
    // it is done once until the host's list changes.
    if (!m_lookup || m_lookupSource != &instruments || m_lookupSize != instruments.size())
    {
        m_lookup = std::make_shared<InstrumentLookup>(instruments);
        m_lookupSource = &instruments;
        m_lookupSize = instruments.size();
    }
    return m_lookup;
}

bool TypeToAdd::AddOrSelect(Tickerdeck& board, wxGridEx* grid, Instrument* instrument)
{
    const std::vector<Instrument*> held = WatchlistTabs(board).TabInstruments(grid);
    if (std::find(held.begin(), held.end(), instrument) == held.end())
    {
        const auto store = board.GetStore();
        if (!store)
            return false;
        const std::string name = Tickerdeck::TableOf(grid)->Identity().watchlistName;
        try
        {
            store->Add(name, {store::RefOf(*instrument)});
        }
        catch (const std::exception& error)
        {
            LogException(("adding to watchlist \"" + name + "\" in the store: ").c_str(), error);
            TellUser(board, FailureText(wxString::Format(_("%s could not be added to the watchlist \"%s\"."),
                                                         wxString::FromUTF8(instrument->code),
                                                         layout::ShownName(name)),
                                        error));
            return false;
        }
    }
    grid->ClearSelection();
    SelectRowOf(grid, instrument);
    return true;
}
