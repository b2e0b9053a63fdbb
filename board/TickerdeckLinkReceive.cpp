// Instruments that other widgets hand to this board (link event, int 2):
// added to the current stored watchlist, or their row selected.

#include <algorithm>

#include <wx/grid.h>
#include <wx/intl.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "layout/TreeValues.h"
#include "store/WatchlistStoreService.h"
#include "model/Logger.h"

namespace {

const char* const kLinkStoreError = "write watchlist config error:";

void SelectRowInView(wxGridEx* grid, int row)
{
    grid->ClearSelection();
    grid->SelectRow(row);
    // Scrolling only vertically keeps the columns the user was looking at.
    int unitX = 0;
    int unitY = 0;
    grid->GetViewStart(&unitX, &unitY);
    int pixelsX = 1;
    int pixelsY = 1;
    grid->GetScrollPixelsPerUnit(&pixelsX, &pixelsY);
    int col = grid->XToCol(unitX * std::max(pixelsX, 1));
    if (col == wxNOT_FOUND)
        col = grid->GetNumberCols() > 0 ? grid->GetColAt(0) : 0;
    grid->MakeCellVisible(row, col);
}

void AddLinkedInstrument(Tickerdeck& board, Instrument* instrument)
{
    board.SetFocus();
    const auto store = board.GetStore();
    if (!store)
        return;
    const std::string name = Tickerdeck::TableOf(board.GetCurrentGrid())->GetWatchlistName();
    try
    {
        // The store first: every tab of the list, this one too, follows it.
        store->Add(name, {{instrument->exchange, instrument->code}});
    }
    catch (const std::exception& e)
    {
        LogException(kLinkStoreError, e);
        TellUser(board, FailureText(wxString::Format(_("%s could not be added to the watchlist \"%s\"."),
                                                     wxString::FromUTF8(instrument->code), layout::ShownName(name)),
                                    e));
    }
}

}  // namespace

void Tickerdeck::OnLinkReceived(wxCommandEvent& event)
{
    if (!m_settings.controlledByInstruments || event.GetInt() != link_kind::FromOtherWidget ||
        !m_settings.autoAddInstrument)
        return;
    auto* instrument = static_cast<Instrument*>(event.GetClientData());
    if (!instrument || !m_currentGrid)
        return;
    TickerdeckTable* table = TableOf(m_currentGrid);
    if (table->GetTabType() == layout::kStoredWatchlistTab)
    {
        AddLinkedInstrument(*this, instrument);
        return;
    }
    for (size_t row = 0; row < table->Rows().size(); ++row)
    {
        const Price* price = table->Rows()[row];
        if (price && price->instrument == instrument)
        {
            SelectRowInView(m_currentGrid, static_cast<int>(row));
            SetFocus();
            return;
        }
    }
}

