#pragma once
// The terminal's default theme: dark surfaces, light text.

#include "PaletteTheme.h"

/// Dark colour theme.
class DarkTheme : public PaletteTheme
{
public:
    DarkTheme();
};
