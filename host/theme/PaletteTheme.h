#pragma once
// A Theme whose colours come from a fixed palette; the concrete themes only
// choose the colours.

#include <wx/colour.h>
#include <wx/font.h>

#include "contract/Theme.h"

/// The colour slots a terminal theme fills.
struct ThemePalette
{
    wxColour background, activeTab, margin, border, gridLine, cellBackground, selection,
        bookmark, up, down, labelText, text, button;
};

/// Theme implementation shared by the terminal's themes.
class PaletteTheme : public Theme
{
public:
    PaletteTheme(const wxString& name, const ThemePalette& palette);
    virtual ~PaletteTheme() = default;

    const wxString& Name() const { return m_name; }
    const ThemePalette& Palette() const { return m_palette; }

    // The reserved slots are never called by plug-ins; answer harmlessly anyway.
    wxColour Reserved0() const override { return m_palette.background; }
    wxColour Reserved1() const override { return m_palette.background; }
    wxColour Reserved2() const override { return m_palette.background; }
    wxColour BackgroundColour() const override { return m_palette.background; }
    wxColour ActiveTabColour() const override { return m_palette.activeTab; }
    wxColour MarginColour() const override { return m_palette.margin; }
    wxColour Reserved6() const override { return m_palette.background; }
    wxColour BorderColour() const override { return m_palette.border; }
    wxColour Reserved8() const override { return m_palette.background; }
    wxColour GridLineColour() const override { return m_palette.gridLine; }
    wxColour CellBackgroundColour() const override { return m_palette.cellBackground; }
    wxColour Reserved11() const override { return m_palette.background; }
    wxColour SelectionColour() const override { return m_palette.selection; }
    wxColour BookmarkColour() const override { return m_palette.bookmark; }
    wxColour UpColour() const override { return m_palette.up; }
    wxColour DownColour() const override { return m_palette.down; }
    wxColour Reserved16() const override { return m_palette.background; }
    wxColour Reserved17() const override { return m_palette.background; }
    wxColour Reserved18() const override { return m_palette.background; }
    wxColour LabelTextColour() const override { return m_palette.labelText; }
    wxColour TextColour() const override { return m_palette.text; }
    wxColour ButtonColour() const override { return m_palette.button; }
    wxFont NormalFont() const override;
    wxFont GridFont() const override;
    wxFont MakeFont(int sizeChange, int weight, int style, bool underline) const override;

private:
    wxString m_name;
    ThemePalette m_palette;
};
