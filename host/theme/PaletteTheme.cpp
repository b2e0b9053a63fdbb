#include "PaletteTheme.h"

#include <algorithm>

#include <wx/fontenum.h>
#include <wx/settings.h>

namespace {

constexpr int kBasePointSize = 9;
// The style values plug-ins pass are the toolkit's historic numbers.
constexpr int kItalicStyle = 93;
constexpr int kSlantStyle = 94;

bool HasFaceName(const wxString& face)
{
    static const bool known = wxFontEnumerator::IsValidFacename(face);
    return known;
}

}  // namespace

PaletteTheme::PaletteTheme(const wxString& name, const ThemePalette& palette)
    : m_name(name), m_palette(palette)
{
}

wxFont PaletteTheme::NormalFont() const
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPointSize(kBasePointSize);
    return font;
}

wxFont PaletteTheme::GridFont() const
{
    // Figures line up in columns only with equal-width digits.
    const wxString face = "DejaVu Sans Mono";
    if (HasFaceName(face))
        return wxFont(wxFontInfo(kBasePointSize).FaceName(face));
    return wxFont(wxFontInfo(kBasePointSize).Family(wxFONTFAMILY_TELETYPE));
}

wxFont PaletteTheme::MakeFont(int sizeChange, int weight, int style, bool underline) const
{
    wxFont font = NormalFont();
    font.SetPointSize(std::max(1, kBasePointSize + sizeChange));
    font.SetNumericWeight(std::clamp(weight, 1, 1000));
    if (style == kItalicStyle)
        font.SetStyle(wxFONTSTYLE_ITALIC);
    else if (style == kSlantStyle)
        font.SetStyle(wxFONTSTYLE_SLANT);
    else
        font.SetStyle(wxFONTSTYLE_NORMAL);
    font.SetUnderlined(underline);
    return font;
}
