#include "Hotkeys.h"

#include <wx/defs.h>
#include <wx/intl.h>

const std::vector<HotkeyBinding>& Hotkeys::Bindings()
{
    static const std::vector<HotkeyBinding> bindings = {
        {WXK_F2, false, 1, wxTRANSLATE("Buy ticket at the best buy price")},
        {WXK_F3, false, 2, wxTRANSLATE("Sell ticket at the best sell price")},
        {WXK_F2, true, 16, wxTRANSLATE("Buy ticket at the best sell price")},
        {WXK_F3, true, 17, wxTRANSLATE("Sell ticket at the best buy price")},
        {WXK_F5, false, 12, wxTRANSLATE("Open Ladder")},
        {WXK_F6, false, 14, wxTRANSLATE("Open Tape")},
        {WXK_F7, false, 15, wxTRANSLATE("Open Charting")},
        {WXK_F8, false, 13, wxTRANSLATE("Open Fillscope")},
    };
    return bindings;
}

int Hotkeys::Lookup(int keyCode, bool control, bool alt, bool shift)
{
    // Ctrl and Alt combinations belong to menus and the toolkit.
    if (control || alt)
        return 0;
    for (const HotkeyBinding& binding : Bindings())
        if (binding.keyCode == keyCode && binding.shift == shift)
            return binding.hostCommand;
    return 0;
}

wxString Hotkeys::ShortcutText(int hostCommand)
{
    for (const HotkeyBinding& binding : Bindings())
    {
        if (binding.hostCommand != hostCommand)
            continue;
        const wxString key = wxString::Format("F%d", binding.keyCode - WXK_F1 + 1);
        return binding.shift ? "Shift+" + key : key;
    }
    return wxString();
}

wxString Hotkeys::KeyMapText()
{
    wxString text = _("Key map:") + "\n";
    for (const HotkeyBinding& binding : Bindings())
        text += wxString::Format("  %-10s %s\n", ShortcutText(binding.hostCommand),
                                 wxGetTranslation(binding.description));
    return text;
}
