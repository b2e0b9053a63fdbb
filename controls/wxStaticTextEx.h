#pragma once

#include <wx/control.h>
#include <wx/stattext.h>

#include "ControlsApi.h"

/// A label that paints itself, so its font, text colour and background are
/// honoured everywhere, including on a themed toolbar.
class CONTROLS_API wxStaticTextEx : public wxControl
{
public:
    wxStaticTextEx(wxWindow* parent, wxWindowID id, const wxString& label,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = 0, const wxString& name = wxStaticTextNameStr);

    void SetLabel(const wxString& label) override;
    bool SetFont(const wxFont& font) override;
    bool AcceptsFocus() const override { return false; }
    bool HasTransparentBackground() override { return true; }

    /// The colour painted behind the text: our own when set, else the parent's.
    wxColour GetEffectiveBackgroundColour() const;

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent&) {}

    wxDECLARE_CLASS(wxStaticTextEx);
};
