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

/// Gives the toolkit's menu separators a share of the menu's text colour
/// over its background, so they show in the dark style as in the light one
/// (the dark style's own line hardly differs from the background); run
/// again after each change of style.
void ShowMenuSeparators();

/// True when any of the arguments asks for the light theme.
bool ArgumentsAskForLightTheme(int argc, wxChar** argv);
