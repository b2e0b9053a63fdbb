#pragma once

#include <wx/control.h>
#include <wx/statline.h>

#include "ControlsApi.h"

/// A thin separator line painted in its background colour.
class CONTROLS_API wxStaticLineEx : public wxControl
{
public:
    wxStaticLineEx(wxWindow* parent, wxWindowID id = wxID_ANY,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = wxLI_HORIZONTAL, const wxString& name = wxStaticLineNameStr);

    bool IsVertical() const { return HasFlag(wxLI_VERTICAL); }
    bool AcceptsFocus() const override { return false; }

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent&) {}

    wxDECLARE_CLASS(wxStaticLineEx);
};
