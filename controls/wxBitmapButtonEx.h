#pragma once

#include <wx/bitmap.h>

#include "ControlsApi.h"
#include "wxButtonEx.h"

/// A wxButtonEx that shows a centred bitmap instead of a label, greyed when disabled.
class CONTROLS_API wxBitmapButtonEx : public wxButtonEx
{
public:
    wxBitmapButtonEx(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                     long style = 0, const wxValidator& validator = wxDefaultValidator,
                     const wxString& name = "button");

    void SetBitmap(const wxBitmap& bitmap);
    const wxBitmap& GetBitmap() const { return m_bitmap; }
    /// The bitmap drawn in the disabled state.
    const wxBitmap& GetDisabledBitmap() const { return m_disabledBitmap; }

protected:
    wxSize DoGetBestSize() const override;
    void DrawContents(wxDC& dc, const wxRect& face) override;

private:
    wxBitmap m_bitmap;
    wxBitmap m_disabledBitmap;

    wxDECLARE_CLASS(wxBitmapButtonEx);
};
