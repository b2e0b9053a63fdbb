#pragma once
// Toolbar background colouring that works on every port. GTK's toolbar draws
// its own theme background and ignores SetBackgroundColour, which would leave
// a light strip across a dark board.

#include <wx/colour.h>

#include "ControlsApi.h"

class wxToolBar;

/// Paints `toolbar` (and the space between its tools) in `background`.
CONTROLS_API void ApplyToolBarBackground(wxToolBar* toolbar, const wxColour& background);
