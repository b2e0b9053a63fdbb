#pragma once
// Link events carry their sending board so that the receivers can skip it.

class wxClientData;
class wxCommandEvent;
class wxWindow;

/// The sending board as the opaque tag put in the event's client-object
/// slot; it is never dereferenced as client data.
wxClientData* SenderTag(wxWindow* sender);
/// The board a link event came from, or null.
wxWindow* SenderOf(const wxCommandEvent& event);
