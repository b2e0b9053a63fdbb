// Commands that reach beyond the board: the selected instrument out to
// linked windows, instruments that other widgets hand to this board (link
// event, int 2), and further board windows.

#include "board/BoardLinks.h"

#include <algorithm>

#include <wx/grid.h>
#include <wx/intl.h>

#include "board/LinkSender.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "contract/Widget.h"
#include "controls/wxGridEx.h"
#include "kit/BoardOwner.h"
#include "kit/UserNotice.h"
#include "layout/TreeValues.h"
#include "model/Logger.h"
#include "store/WatchlistStoreService.h"

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
    const std::string name = Tickerdeck::TableOf(board.Tabs().CurrentGrid())->Identity().watchlistName;
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

void BoardLinks::SendClickedRow(wxGridEvent& event)
{
    event.Skip();  // the grid still moves its cursor and selection
    if (!m_board.Settings().controlsOthers)
        return;
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    Price* price = table ? table->RowPrice(event.GetRow()) : nullptr;
    Host* host = m_board.GetHost();
    BoardOwner* owner = m_board.GetOwner();
    if (!price || !host || !owner)
        return;

    wxCommandEvent linkEvent(wxEVT_MENU, cmd::InstrumentLink);
    linkEvent.SetClientData(price->instrument);
    linkEvent.SetClientObject(SenderTag(&m_board));
    linkEvent.SetInt(link_kind::FromCellClick);
    host->PostToWidgets(linkEvent, owner->BoardWidget(), m_board.GetGroup(), nullptr);
}

void BoardLinks::OpenAnotherWindow()
{
    Host* host = m_board.GetHost();
    BoardOwner* owner = m_board.GetOwner();
    if (!host || !owner)
        return;
    if (Widget* self = host->FindWidget(owner->BoardWidget()->GetDisplayName()))
        host->OpenWidget(self, m_board.GetGroup(), m_board.GetGroup(), open_mode::Plain);
}

void BoardLinks::Receive(wxCommandEvent& event)
{
    const layout::WindowSettings& settings = m_board.Settings();
    if (!settings.controlledByInstruments || event.GetInt() != link_kind::FromOtherWidget ||
        !settings.autoAddInstrument)
        return;
    auto* instrument = static_cast<Instrument*>(event.GetClientData());
    wxGridEx* current = m_board.Tabs().CurrentGrid();
    if (!instrument || !current)
        return;
    TickerdeckTable* table = Tickerdeck::TableOf(current);
    if (table->Identity().tabType == layout::kStoredWatchlistTab)
    {
        AddLinkedInstrument(m_board, instrument);
        return;
    }
    for (size_t row = 0; row < table->Rows().size(); ++row)
    {
        const Price* price = table->Rows()[row];
        if (price && price->instrument == instrument)
        {
            SelectRowInView(current, static_cast<int>(row));
            m_board.SetFocus();
            return;
        }
    }
}
