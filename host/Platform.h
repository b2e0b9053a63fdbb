#pragma once
// The few things the terminal asks of the desktop beyond the toolkit.

#include <functional>

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

/// Closes what runs an event loop of its own inside the main one: pop-up
/// menus and modal dialogs, the toolkit's native ones included. True when
/// something was open; its loop ends once control returns to it.
bool CloseMenusAndModalDialogs();

/// Starts counting the modal dialogs shown from now on, for InsideNestedEventLoop.
void TrackModalDialogs();
/// True while an event loop runs inside the main one (a modal dialog's, a
/// native message box's, a yield): what it runs for is still on the stack,
/// and the windows it belongs to must stay until it returns.
bool InsideNestedEventLoop();

/// Has `quit` called on the GUI thread, through the event loop, when
/// SIGTERM, SIGINT or SIGHUP arrives; an empty function stops that.
void QuitOnTerminationSignals(std::function<void()> quit);

/// True when any of the arguments asks for the light theme.
bool ArgumentsAskForLightTheme(int argc, wxChar** argv);
