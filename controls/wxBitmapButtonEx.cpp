#include "wxBitmapButtonEx.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/image.h>

wxIMPLEMENT_CLASS(wxBitmapButtonEx, wxButtonEx);

namespace {

constexpr int kBitmapMargin = 6;

wxBitmap MakeDisabledBitmap(const wxBitmap& bitmap)
{
    if (!bitmap.IsOk())
        return wxNullBitmap;
    // Grey and faded: the toolkit's own disabled look brightens the image,
    // which makes a disabled icon stand out on a dark face.
    wxImage image = bitmap.ConvertToImage().ConvertToGreyscale();
    if (!image.HasAlpha())
        image.InitAlpha();
    unsigned char* alpha = image.GetAlpha();
    const size_t pixels = static_cast<size_t>(image.GetWidth()) * static_cast<size_t>(image.GetHeight());
    for (size_t i = 0; i < pixels; ++i)
        alpha[i] = static_cast<unsigned char>(alpha[i] * 2 / 5);
    return wxBitmap(image);
}

}  // namespace

wxBitmapButtonEx::wxBitmapButtonEx(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap,
                                   const wxPoint& pos, const wxSize& size, long style,
                                   const wxValidator& validator, const wxString& name)
    : wxButtonEx(parent, id, wxEmptyString, pos, size, style, validator, name),
      m_bitmap(bitmap),
      m_disabledBitmap(MakeDisabledBitmap(bitmap))
{
    InvalidateBestSize();
    SetInitialSize(size);
}

void wxBitmapButtonEx::SetBitmap(const wxBitmap& bitmap)
{
    m_bitmap = bitmap;
    m_disabledBitmap = MakeDisabledBitmap(bitmap);
    InvalidateBestSize();
    Refresh();
}

wxSize wxBitmapButtonEx::DoGetBestSize() const
{
    if (!m_bitmap.IsOk())
        return wxSize(25, 25);
    // Square-ish: a bitmap button is an icon, not a labelled push button.
    const int side = std::max(m_bitmap.GetWidth(), m_bitmap.GetHeight()) + 2 * kBitmapMargin;
    return wxSize(side, std::max(side, m_bitmap.GetHeight() + 2 * kBitmapMargin));
}

void wxBitmapButtonEx::DrawContents(wxDC& dc, const wxRect& face)
{
    const wxBitmap& shown = IsEnabled() ? m_bitmap : m_disabledBitmap;
    if (!shown.IsOk())
        return;
    int x = face.x + (face.width - shown.GetWidth()) / 2;
    int y = face.y + (face.height - shown.GetHeight()) / 2;
    if (IsPressed())
        ++y;
    dc.DrawBitmap(shown, x, y, true);
}
