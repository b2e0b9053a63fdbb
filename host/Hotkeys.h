#pragma once
// The terminal's trading hotkeys. Plug-ins ask the host which host command a
// key press means (LookupHotkey) and which key text to show beside a menu
// entry (GetShortcutText); both answers come from this one table.
//
// Key map (no Ctrl or Alt):
//   F2        1   buy ticket at the best buy price (bid)
//   F3        2   sell ticket at the best sell price (ask)
//   Shift+F2  16  buy ticket at the best sell price (ask)
//   Shift+F3  17  sell ticket at the best buy price (bid)
//   F5        12  open "Ladder"
//   F6        14  open "Tape"
//   F7        15  open "Charting"
//   F8        13  open "Fillscope"
// Any other key, or any key with Ctrl or Alt held, means no command (0).

#include <vector>

#include <wx/string.h>

/// One key of the map and the host command it stands for.
struct HotkeyBinding
{
    int keyCode;
    bool shift;
    int hostCommand;
    const char* description;  // untranslated; shown through _()
};

/// The fixed hotkey table and the questions plug-ins ask about it.
class Hotkeys
{
public:
    static const std::vector<HotkeyBinding>& Bindings();

    /// The host command for that key press, 0 when none.
    static int Lookup(int keyCode, bool control, bool alt, bool shift);

    /// The accelerator text of a host command ("F5", "Shift+F2"), empty when unbound.
    static wxString ShortcutText(int hostCommand);

    /// A readable table of every binding, for --help.
    static wxString KeyMapText();
};
