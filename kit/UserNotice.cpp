#include "kit/UserNotice.h"

#include <wx/event.h>
#include <wx/intl.h>
#include <wx/window.h>

#include "contract/CommandIds.h"
#include "files/DurableFile.h"

void TellUser(wxWindow& board, const wxString& text)
{
    wxWindow* container = board.GetParent();
    if (!container || text.empty())
        return;
    wxCommandEvent event(wxEVT_MENU, cmd::UserNotice);
    event.SetString(text);
    wxPostEvent(container, event);
}

wxString FailureText(const wxString& what, const std::exception& error)
{
    return what + " " + files::ShownReason(error);
}
