#include "wxStaticLineEx.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

wxIMPLEMENT_CLASS(wxStaticLineEx, wxControl);

wxStaticLineEx::wxStaticLineEx(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                               const wxSize& size, long style, const wxString& name)
    : wxControl(parent, id, pos, size, style | wxBORDER_NONE, wxDefaultValidator, name)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize(size);
    Bind(wxEVT_PAINT, &wxStaticLineEx::OnPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, &wxStaticLineEx::OnEraseBackground, this);
}

wxSize wxStaticLineEx::DoGetBestSize() const
{
    // Only the thickness matters; sizers stretch the length.
    return IsVertical() ? wxSize(1, 10) : wxSize(10, 1);
}

void wxStaticLineEx::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxColour colour = UseBackgroundColour()
                                ? GetBackgroundColour()
                                : wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(GetClientRect());
}
