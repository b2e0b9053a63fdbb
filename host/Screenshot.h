#pragma once
// Pictures of the terminal's windows, taken from the screen as the user sees them.

#include <vector>

#include <wx/string.h>

class wxWindow;

/// "shot.png" with n = 2 gives "shot-2.png"; n = 0 gives the path unchanged.
wxString NumberedScreenshotPath(const wxString& path, int n);

/// Saves what the screen shows of `window` as a PNG; false when it cannot.
bool CaptureWindow(wxWindow* window, const wxString& path);

/// Saves `mainWindow` to `path` and every other shown top-level window to the
/// numbered paths beside it; returns the files written.
std::vector<wxString> CaptureTopLevelWindows(wxWindow* mainWindow, const wxString& path);
