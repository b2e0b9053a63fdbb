#pragma once
// The "Window" menu of a board: the board leaves these commands to the
// terminal, which acts on the window that holds the board.

namespace board_window {
constexpr int SplitVertical = 6999;    // a second board beside this one
constexpr int SplitHorizontal = 7000;  // a second board below this one
constexpr int Close = 7001;            // close this board's window
}  // namespace board_window
