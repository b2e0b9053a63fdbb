#pragma once
// The board's links to other windows of the host.

class Tickerdeck;
class wxCommandEvent;
class wxGridEvent;

/// Sends the instrument of a clicked row to the linked windows, takes the
/// instruments they send (added to the current stored watchlist, or their
/// row selected) and opens further board windows.
class BoardLinks
{
public:
    explicit BoardLinks(Tickerdeck& board) : m_board(board) {}
    BoardLinks(const BoardLinks&) = delete;
    BoardLinks& operator=(const BoardLinks&) = delete;

    /// A left click on a cell: its row's instrument goes to the linked windows.
    void SendClickedRow(wxGridEvent& event);
    /// An instrument another window sent.
    void Receive(wxCommandEvent& event);
    /// Opens another board window in the same link group.
    void OpenAnotherWindow();

private:
    Tickerdeck& m_board;
};
