#pragma once
// The daylight theme: light surfaces, dark text.

#include "PaletteTheme.h"

/// Light colour theme.
class LightTheme : public PaletteTheme
{
public:
    LightTheme();
};
