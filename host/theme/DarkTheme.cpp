#include "DarkTheme.h"

#include <wx/intl.h>

namespace {

ThemePalette DarkPalette()
{
    ThemePalette palette;
    palette.background = wxColour("#1e2227");
    palette.activeTab = wxColour("#2d333b");
    palette.margin = wxColour("#1a1d21");
    palette.border = wxColour("#3b434c");
    palette.gridLine = wxColour("#2a2f36");
    palette.cellBackground = wxColour("#15181c");
    palette.selection = wxColour("#264f78");
    palette.bookmark = wxColour("#5c4a1e");
    palette.up = wxColour("#2ecc71");
    palette.down = wxColour("#ff5c5c");
    palette.labelText = wxColour("#9aa4af");
    palette.text = wxColour("#e6e6e6");
    palette.button = wxColour("#2d333b");
    return palette;
}

}  // namespace

DarkTheme::DarkTheme() : PaletteTheme(_("Dark"), DarkPalette()) {}
