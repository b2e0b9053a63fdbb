#pragma once
// What the user must read about the board's files and commands: told in the
// host's notice strip, translated, apart from the log, which keeps English
// lines at its own levels. The board's own strip (BoardNotice) is for the
// state of this board, such as quiet quotes; this is for what happened once
// and should be read, such as a file that could not be written.

#include <exception>

#include <wx/string.h>

class wxWindow;

/// Posts cmd::UserNotice carrying `text` to the window holding `board`
/// (its parent), where the host shows it; a host that does not know the id
/// ignores it. Posted, so a notice raised while the board is being made or
/// in the middle of a command reaches a host bound to it by then.
void TellUser(wxWindow& board, const wxString& text);

/// `what` (a translated sentence) and the reason of `error` after it; the
/// errors of the user's files name the file and say why in the user's
/// language where the step is one of ours.
wxString FailureText(const wxString& what, const std::exception& error);
