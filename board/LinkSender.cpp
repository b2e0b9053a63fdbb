#include "board/LinkSender.h"

#include <wx/event.h>

wxClientData* SenderTag(wxWindow* sender)
{
    return reinterpret_cast<wxClientData*>(sender);
}

wxWindow* SenderOf(const wxCommandEvent& event)
{
    return reinterpret_cast<wxWindow*>(event.GetClientObject());
}
