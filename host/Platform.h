#pragma once
// The few things the terminal asks of the desktop beyond the toolkit.

#include <wx/string.h>

/// Asks the desktop toolkit for its dark or light widget style (menus, scroll
/// bars, native dialogs). Must run before the toolkit starts; does nothing
/// where the toolkit offers no such choice or the user has set one.
void PreferToolkitStyle(bool dark);

/// Switches the desktop toolkit's widget style at run time, when
/// PreferToolkitStyle chose it at start; does nothing otherwise.
void SwitchToolkitStyle(bool dark);

/// True when any of the arguments asks for the light theme.
bool ArgumentsAskForLightTheme(int argc, wxChar** argv);
