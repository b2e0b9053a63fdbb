#include "wxStaticTextEx.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

wxIMPLEMENT_CLASS(wxStaticTextEx, wxControl);

wxStaticTextEx::wxStaticTextEx(wxWindow* parent, wxWindowID id, const wxString& label,
                               const wxPoint& pos, const wxSize& size, long style,
                               const wxString& name)
    : wxControl(parent, id, pos, size, style | wxBORDER_NONE, wxDefaultValidator, name)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxControl::SetLabel(label);
    SetInitialSize(size);
    Bind(wxEVT_PAINT, &wxStaticTextEx::OnPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, &wxStaticTextEx::OnEraseBackground, this);
}

void wxStaticTextEx::SetLabel(const wxString& label)
{
    if (label == GetLabel())
        return;
    wxControl::SetLabel(label);
    InvalidateBestSize();
    if (!HasFlag(wxST_NO_AUTORESIZE))
        SetSize(GetBestSize());
    Refresh();
}

bool wxStaticTextEx::SetFont(const wxFont& font)
{
    if (!wxControl::SetFont(font))
        return false;
    InvalidateBestSize();
    if (!HasFlag(wxST_NO_AUTORESIZE))
        SetSize(GetBestSize());
    Refresh();
    return true;
}

wxColour wxStaticTextEx::GetEffectiveBackgroundColour() const
{
    if (UseBackgroundColour() || !GetParent())
        return GetBackgroundColour();
    return GetParent()->GetBackgroundColour();
}

wxSize wxStaticTextEx::DoGetBestClientSize() const
{
    wxClientDC dc(const_cast<wxStaticTextEx*>(this));
    dc.SetFont(GetFont());
    wxCoord width = 0;
    wxCoord height = 0;
    dc.GetMultiLineTextExtent(GetLabelText(), &width, &height);
    if (height == 0)
        height = dc.GetCharHeight();
    return wxSize(width + 2, height);
}

void wxStaticTextEx::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxRect client = GetClientRect();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(GetEffectiveBackgroundColour()));
    dc.DrawRectangle(client);

    dc.SetFont(GetFont());
    dc.SetTextForeground(IsEnabled() ? GetForegroundColour()
                                     : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    int alignment = wxALIGN_CENTER_VERTICAL;
    if (HasFlag(wxALIGN_CENTER_HORIZONTAL))
        alignment |= wxALIGN_CENTER_HORIZONTAL;
    else if (HasFlag(wxALIGN_RIGHT))
        alignment |= wxALIGN_RIGHT;
    dc.DrawLabel(GetLabelText(), client.Deflate(1, 0), alignment);
}
