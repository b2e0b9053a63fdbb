#pragma once
// Order tickets and instrument views opened for a board's selected row, and
// the selected instrument handed to linked windows.

#include <vector>

#include "board/BoardFeature.h"
#include "model/TicketPrice.h"

struct Price;

/// Opens the host's Ticket, Ladder, Tape, Charting, Fillscope and Sweeper
/// widgets for a row; answers Buy, Sell, the view commands and double clicks.
class GridTickets : public BoardFeature
{
public:
    std::vector<int> Commands() const override;
    std::vector<BoardEventKind> EventKinds() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;
    void OnGridEvent(Tickerdeck& board, BoardEventKind kind, wxGridEvent& event) override;

    /// The column of the last right-clicked cell: Buy and Sell read it.
    void SetClickedColumn(int column) { m_clickedColumn = column; }
    int ClickedColumn() const { return m_clickedColumn; }

    /// Opens a ticket for `quote`; false when trading is not allowed or the
    /// host has no Ticket widget.
    static bool OpenTicket(Tickerdeck& board, Price& quote, const ticket::Order& order);
    /// Opens the view of command `viewCommand` (cmd::OpenLadder, ...) for the
    /// one row the command is about.
    static bool OpenView(Tickerdeck& board, int viewCommand);
    /// Runs a host hotkey command on the one selected row; false for a
    /// command that is not a ticket or a view.
    static bool RunHostCommand(Tickerdeck& board, int hostCommand);
    /// Tells linked windows about `quote`'s instrument when the board's
    /// settings let it steer them.
    static void BroadcastRow(Tickerdeck& board, const Price* quote);

    /// The widget name of a view command, or null.
    static const char* ViewName(int viewCommand);
    /// The view command of a host hotkey command, or 0.
    static int ViewOfHostCommand(int hostCommand);

private:
    void OpenMenuTicket(Tickerdeck& board, ticket::Side side);

    int m_clickedColumn = -1;
};
