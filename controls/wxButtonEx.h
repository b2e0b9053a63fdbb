#pragma once

#include <wx/control.h>
#include <wx/validate.h>

#include "ControlsApi.h"

class wxTopLevelWindow;

/// Owner-drawn push button in theme colours that behaves like a native one:
/// focusable, Space/Enter activate it, a click inside fires wxEVT_BUTTON, and
/// in a dialog Escape reaches the button whose id is the dialog's escape id.
class CONTROLS_API wxButtonEx : public wxControl
{
public:
    wxButtonEx(wxWindow* parent, wxWindowID id, const wxString& label,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = 0, const wxValidator& validator = wxDefaultValidator,
               const wxString& name = "button");
    ~wxButtonEx() override;

    void SetNormalColour(const wxColour& colour);
    wxColour GetNormalColour() const;
    void SetBorderColour(const wxColour& colour);
    wxColour GetBorderColour() const;
    void SetFocusedColour(const wxColour& colour);
    wxColour GetFocusedColour() const;
    void SetTextColour(const wxColour& colour);
    wxColour GetTextColour() const;
    void SetDisabledTextColour(const wxColour& colour);
    wxColour GetDisabledTextColour() const;

    /// Makes this the default button of its top-level window: drawn with a
    /// stronger border and activated by Enter where the control the key was
    /// typed in does not use Enter itself.
    void SetDefault();
    bool IsDefault() const;

    /// Sends wxEVT_BUTTON with our id, as a click would; nothing when disabled.
    bool Click();

    void SetLabel(const wxString& label) override;
    bool AcceptsFocus() const override { return IsShown() && IsEnabled(); }
    bool AcceptsFocusFromKeyboard() const override { return AcceptsFocus(); }

    bool IsPressed() const { return m_pressed && m_pointerInside; }
    bool IsHot() const { return m_hover; }

    /// Draws the button as it looks now, focus mark included.
    void Render(wxDC& dc);

protected:
    wxSize DoGetBestSize() const override;
    /// Draws the face, border and focus state; subclasses draw the contents.
    virtual void DrawContents(wxDC& dc, const wxRect& face);
    wxColour CurrentTextColour() const;
    void DoEnable(bool enable) override;

private:
    void BindTopLevelKeys();
    void UnbindTopLevelKeys();
    static bool UsesEnter(wxWindow* typedIn);
    bool IsEscapeButton() const;
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent&) {}
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnEnter(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnFocusChange(wxFocusEvent& event);
    void OnTopLevelCharHook(wxKeyEvent& event);

    wxColour m_normalColour;
    wxColour m_borderColour;
    wxColour m_focusedColour;
    wxColour m_textColour;
    wxColour m_disabledTextColour;
    wxTopLevelWindow* m_topLevel = nullptr;
    bool m_pressed = false;
    bool m_pointerInside = false;
    bool m_hover = false;
    bool m_spaceDown = false;
    bool m_isDefault = false;

    wxDECLARE_CLASS(wxButtonEx);
};
