#pragma once
// Driving windows the way a user does, with the events the toolkit sends,
// and reading back what a menu offers.

#include <type_traits>
#include <vector>

#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/grid.h>
#include <wx/menu.h>

#include "controls/wxButtonEx.h"

namespace testing_support {

/// Chooses a combo box's or a choice's item the way the user does, with its event.
template <typename Control> void Choose(Control* control, int item)
{
    control->SetSelection(item);
    // A combo box is a choice too on some toolkits.
    wxCommandEvent event(std::is_base_of_v<wxComboBox, Control> ? wxEVT_COMBOBOX : wxEVT_CHOICE,
                         control->GetId());
    event.SetInt(item);
    event.SetString(control->GetString(static_cast<unsigned>(item)));
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

inline wxButtonEx* ButtonOf(wxWindow* dialog, int id)
{
    return wxDynamicCast(dialog->FindWindow(id), wxButtonEx);
}

/// A key event of `type` (key down, char hook...) sent to `window`, which
/// may pass it up to its parents; true when something took it.
inline bool SendKey(wxWindow* window, wxEventType type, int keyCode, int modifiers = wxMOD_NONE)
{
    wxKeyEvent event(type);
    event.m_keyCode = keyCode;
    event.SetControlDown(modifiers & wxMOD_CONTROL);
    event.SetShiftDown(modifiers & wxMOD_SHIFT);
    event.SetEventObject(window);
    return window->ProcessWindowEvent(event);
}

/// Presses a key in `window` as the toolkit delivers it first: a char hook
/// that travels up from that window to its dialog. True when something took
/// the key.
inline bool PressKey(wxWindow* window, int keyCode)
{
    return SendKey(window, wxEVT_CHAR_HOOK, keyCode);
}

/// A button event for `id` sent to `window`, as a click of an enabled
/// button of that id delivers it.
inline void PressButton(wxWindow* window, int id)
{
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(window);
    window->ProcessWindowEvent(event);
}

/// Clicks a dialog button by id; false when it is missing or disabled.
inline bool Click(wxWindow* dialog, int id)
{
    wxButtonEx* button = ButtonOf(dialog, id);
    return button && button->Click();
}

/// A mouse event of `type` at `at` in `window`'s own coordinates.
inline void SendMouse(wxWindow* window, wxEventType type, const wxPoint& at, bool leftDown = false)
{
    wxMouseEvent event(type);
    event.SetPosition(at);
    event.m_leftDown = leftDown;
    event.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(event);
}

/// A left button press and release at `at` in `window`, as a user click arrives.
inline void ClickAt(wxWindow* window, const wxPoint& at)
{
    SendMouse(window, wxEVT_LEFT_DOWN, at, true);
    SendMouse(window, wxEVT_LEFT_UP, at);
}

/// A grid's own cell or label event (clicks, double clicks, right clicks).
inline void SendGridEvent(wxGrid* grid, wxEventType type, int row, int col)
{
    wxGridEvent event(grid->GetId(), type, grid, row, col);
    grid->GetEventHandler()->ProcessEvent(event);
}

/// The labels of a menu's items without mnemonics; "-" stands for a separator.
inline std::vector<wxString> MenuLabels(const wxMenu* menu)
{
    std::vector<wxString> labels;
    for (const wxMenuItem* item : menu->GetMenuItems())
        labels.push_back(item->IsSeparator() ? wxString("-") : item->GetItemLabelText());
    return labels;
}

/// The submenu under `label`; null when there is none.
inline wxMenu* Submenu(const wxMenu& menu, const wxString& label)
{
    for (const wxMenuItem* item : menu.GetMenuItems())
        if (item->GetSubMenu() && item->GetItemLabelText() == label)
            return item->GetSubMenu();
    return nullptr;
}

}  // namespace testing_support
