#pragma once
// The few things the terminal asks of the desktop beyond the toolkit.

#include <wx/colour.h>
#include <wx/string.h>

/// Asks the desktop toolkit for its dark or light widget style (menus, scroll
/// bars, native dialogs). Must run before the toolkit starts; does nothing
/// where the toolkit offers no such choice or the user has set one.
void PreferToolkitStyle(bool dark);

/// Switches the desktop toolkit's widget style at run time, when
/// PreferToolkitStyle chose it at start; does nothing otherwise.
void SwitchToolkitStyle(bool dark);

/// The colours of a pop-up menu as the toolkit's style draws it now; the
/// separator line as it shows over the menu's background. Invalid colours
/// where the toolkit has no such style.
struct MenuColours
{
    wxColour background, text, separator;
};
MenuColours ToolkitMenuColours();

/// The separator line a menu of these colours gets: a share of its text
/// colour over its background, so it shows in a dark style as in a light one.
wxColour MenuSeparatorColour(const wxColour& background, const wxColour& text);

/// Gives the toolkit's menu separators MenuSeparatorColour of the menu
/// colours in force; run again after each change of style.
void ShowMenuSeparators();

/// True when any of the arguments asks for the light theme.
bool ArgumentsAskForLightTheme(int argc, wxChar** argv);
