#pragma once
// The exact area a window must repaint. Some ports hand a paint handler only
// the bounding box of everything invalidated since the last frame: a flash
// ending in the top row and a quote changing in the bottom row then repaint
// the whole grid in between.

#include "ControlsApi.h"

class wxWindow;

/// While `window` handles a paint event, replaces its update region by the
/// exact union of the damaged rectangles when the port knows it. Elsewhere it
/// leaves the region alone, which is always correct, only slower.
CONTROLS_API void NarrowUpdateRegionToDamage(wxWindow* window);
