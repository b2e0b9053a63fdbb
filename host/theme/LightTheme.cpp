#include "LightTheme.h"

#include <wx/intl.h>

namespace {

ThemePalette LightPalette()
{
    ThemePalette palette;
    palette.background = wxColour("#eef0f3");
    palette.activeTab = wxColour("#ffffff");
    palette.margin = wxColour("#e4e7eb");
    palette.border = wxColour("#c4cad2");
    palette.gridLine = wxColour("#e3e6ea");
    palette.cellBackground = wxColour("#ffffff");
    palette.selection = wxColour("#cde2fb");
    palette.bookmark = wxColour("#fbeec1");
    palette.up = wxColour("#13884a");
    palette.down = wxColour("#d0342c");
    palette.labelText = wxColour("#5b6470");
    palette.text = wxColour("#1f2328");
    palette.button = wxColour("#e2e6ea");
    return palette;
}

}  // namespace

LightTheme::LightTheme() : PaletteTheme(_("Light"), LightPalette()) {}
