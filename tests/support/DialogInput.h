#pragma once
// Driving dialog controls the way a user does, with the events they send.

#include <wx/combobox.h>

#include "controls/wxButtonEx.h"

namespace testing_support {

/// Chooses a combo item the way the user does, with its event.
inline void Choose(wxComboBox* combo, int item)
{
    combo->SetSelection(item);
    wxCommandEvent event(wxEVT_COMBOBOX, combo->GetId());
    event.SetInt(item);
    event.SetString(combo->GetString(static_cast<unsigned>(item)));
    event.SetEventObject(combo);
    combo->ProcessWindowEvent(event);
}

inline wxButtonEx* ButtonOf(wxWindow* dialog, int id)
{
    return wxDynamicCast(dialog->FindWindow(id), wxButtonEx);
}

/// Presses a key in `window` as the toolkit delivers it first: a char hook
/// that travels up from that window to its dialog. True when something took
/// the key.
inline bool PressKey(wxWindow* window, int keyCode)
{
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = keyCode;
    event.SetEventObject(window);
    return window->ProcessWindowEvent(event);
}

/// Clicks a dialog button by id; false when it is missing or disabled.
inline bool Click(wxWindow* dialog, int id)
{
    wxButtonEx* button = ButtonOf(dialog, id);
    return button && button->Click();
}

}  // namespace testing_support
