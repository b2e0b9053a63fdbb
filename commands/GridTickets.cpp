#include "commands/GridTickets.h"

#include <spdlog/spdlog.h>
#include <wx/grid.h>
#include <wx/intl.h>
#include <wx/numformatter.h>

#include "board/LinkSender.h"
#include "kit/BoardOwner.h"
#include "board/Tickerdeck.h"
#include "kit/UserNotice.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "contract/Widget.h"
#include "controls/wxGridEx.h"
#include "model/ColumnSpec.h"
#include "model/Logger.h"
#include "model/TradeRefusal.h"
#include "kit/BoardNotice.h"

namespace {

// Long enough to read a sentence.
constexpr int kRefusalShownMs = 6000;

constexpr const char* kTicketWidget = "Ticket";

wxCommandEvent LinkEvent(Tickerdeck& board, Instrument* instrument)
{
    wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
    event.SetClientData(instrument);
    event.SetClientObject(SenderTag(&board));
    return event;
}

void TellNoTicket(Tickerdeck& board, const Instrument& instrument, const std::string& problem)
{
    LogError("no ticket for " + instrument.exchange + " " + instrument.code + ": " + problem);
    TellUser(board, wxString::Format(_("No ticket was opened for %s: its price cannot be handed to a ticket "
                                       "(too large for its decimals)."),
                                     wxString::FromUTF8(instrument.code)));
}

}  // namespace

std::vector<int> GridTickets::Commands() const
{
    return {cmd::RowCommandFirst, cmd::RowCommandSecond, cmd::OpenLadder,  cmd::OpenTape,
            cmd::OpenCharting,    cmd::OpenSweeper,      cmd::OpenFillscope};
}

std::vector<BoardEventKind> GridTickets::EventKinds() const
{
    return {BoardEventKind::CellDoubleClick};
}

void GridTickets::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    switch (event.GetId())
    {
    case cmd::RowCommandFirst: OpenMenuTicket(board, ticket::Side::Buy); break;
    case cmd::RowCommandSecond: OpenMenuTicket(board, ticket::Side::Sell); break;
    default: OpenView(board, event.GetId()); break;
    }
}

void GridTickets::OpenMenuTicket(Tickerdeck& board, ticket::Side side)
{
    Price* quote = board.Tabs().CommandTargets().First();
    if (quote)
        OpenTicket(board, *quote, ticket::FromMenu(side, m_clickedColumn, *quote));
}

void GridTickets::OnGridEvent(Tickerdeck& board, BoardEventKind /*kind*/, wxGridEvent& event)
{
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    Price* quote = SelectedTargets(grid).Only();
    const int col = event.GetCol();
    if (!quote)
    {
        event.Skip();
        return;
    }
    if (col == column::Status || col == column::CorporateAction)
    {
        // The flag dialogs belong to another feature, which claims this
        // request. It carries the quote: quotes queued ahead of it may move
        // the row before it is handled.
        wxCommandEvent request(wxEVT_MENU, cmd::ShowInstrumentFlags);
        request.SetInt(col);
        request.SetClientData(quote);
        wxPostEvent(&board, request);
        return;
    }
    if (const auto order = ticket::FromDoubleClick(col, *quote))
        OpenTicket(board, *quote, *order);
    else
        event.Skip();
}

bool GridTickets::OpenTicket(Tickerdeck& board, Price& quote, const ticket::Order& order)
{
    Host* host = board.GetHost();
    if (!host || !quote.instrument || !(host->GetUserProfile().permissions & UserProfile::kAllowTrading))
        return false;
    Widget* widget = host->FindWidget(kTicketWidget);
    if (!widget)
        return false;
    // Told at once, on the board: a ticket that can only refuse at Send
    // costs the trader the moment the key was meant to save.
    if (const wxString refusal = TradeRefusal(*quote.instrument, &quote); !refusal.empty())
    {
        if (BoardNotice* notice = board.Toolbar().Notice())
            notice->SetFor("trade", refusal, kRefusalShownMs);
        return false;
    }
    const double price = ticket::ChosenPrice(order, quote);
    const ticket::Ticks ticks = ticket::PriceInTicks(price, quote.instrument->decimals);
    if (!ticks.problem.empty())
    {
        // A ticket that opened without the price the trader pointed at
        // would invite an order at a price typed in a hurry.
        TellNoTicket(board, *quote.instrument, ticks.problem);
        return false;
    }
    const int mode = order.side == ticket::Side::Buy ? open_mode::BuyTicket : open_mode::SellTicket;
    wxWindow* window = host->OpenWidget(widget, board.GetGroup(), board.GetGroup(), mode);

    wxCommandEvent event = LinkEvent(board, quote.instrument);
    // The ticks in 64 bits; the int keeps them for readers of the 32-bit
    // field when they fit, else says "no price".
    event.SetExtraLong(static_cast<long>(ticks.value));
    event.SetInt(ticks.value == static_cast<int>(ticks.value) ? static_cast<int>(ticks.value) : 0);
    event.SetString(wxNumberFormatter::ToString(order.quantity, 2, wxNumberFormatter::Style_WithThousandsSep));
    widget->Dispatch(event, board.GetGroup(), window);
    return true;
}

const char* GridTickets::ViewName(int viewCommand)
{
    switch (viewCommand)
    {
    case cmd::OpenLadder: return "Ladder";
    case cmd::OpenTape: return "Tape";
    case cmd::OpenCharting: return "Charting";
    case cmd::OpenSweeper: return "Sweeper";
    case cmd::OpenFillscope: return "Fillscope";
    default: return nullptr;
    }
}

int GridTickets::ViewOfHostCommand(int hostCommand)
{
    switch (hostCommand)
    {
    case 12: return cmd::OpenLadder;
    case 13: return cmd::OpenFillscope;
    case 14: return cmd::OpenTape;
    case 15: return cmd::OpenCharting;
    default: return 0;
    }
}

bool GridTickets::OpenView(Tickerdeck& board, int viewCommand)
{
    Host* host = board.GetHost();
    Price* quote = board.Tabs().CommandTargets().Only();
    const char* name = ViewName(viewCommand);
    if (!host || !quote || !name)
        return false;
    Widget* widget = host->FindWidget(name);
    if (!widget)
        return false;
    wxWindow* window = host->OpenWidget(widget, board.GetGroup(), board.GetGroup(), open_mode::ForInstrument);
    wxCommandEvent event = LinkEvent(board, quote->instrument);
    event.SetInt(link_kind::ForNewWindow);
    event.SetString(board.Rows().GetDateText());
    widget->Dispatch(event, board.GetGroup(), window);
    return true;
}

bool GridTickets::RunHostCommand(Tickerdeck& board, int hostCommand)
{
    if (const int view = ViewOfHostCommand(hostCommand))
    {
        OpenView(board, view);
        return true;
    }
    Price* quote = board.Tabs().CommandTargets().Only();
    Price probe;
    const auto order = ticket::FromHostCommand(hostCommand, quote ? *quote : probe);
    if (!order)
        return false;
    if (quote)
        OpenTicket(board, *quote, *order);
    return true;
}

void GridTickets::BroadcastRow(Tickerdeck& board, const Price* quote)
{
    Host* host = board.GetHost();
    if (!board.Settings().controlsOthers || !quote || !host || !board.GetOwner())
        return;
    wxCommandEvent event = LinkEvent(board, quote->instrument);
    event.SetInt(link_kind::FromCellClick);
    host->PostToWidgets(event, board.GetOwner()->BoardWidget(), board.GetGroup(), nullptr);
}
