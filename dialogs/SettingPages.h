#pragma once
// The two pages of the settings dialog.

#include <wx/panel.h>

class Theme;
class wxCheckBox;
class wxSizer;
class wxSpinCtrl;
class wxTextCtrl;

/// "General": the window title, auto-add, the hidden F1 switch, volumes in
/// thousands and when live prices count as stale.
class GeneralSetting : public wxPanel
{
public:
    GeneralSetting(const Theme* theme, wxWindow* parent, wxWindowID id = wxID_ANY,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = wxTAB_TRAVERSAL, const wxString& name = wxPanelNameStr);

    wxTextCtrl* GetTitleField() const { return m_title; }
    wxCheckBox* GetAutoAddBox() const { return m_autoAdd; }
    /// Never shown: the switch is kept for the layout, not offered.
    wxCheckBox* GetF1OnlyBox() const { return m_f1Only; }
    wxCheckBox* GetVolumeBox() const { return m_volume; }
    /// Seconds without a change after which live prices dim; 0 never.
    wxSpinCtrl* GetStaleAfterField() const { return m_staleAfter; }

private:
    wxSizer* MakeStaleRow(const Theme* theme);

    wxTextCtrl* m_title = nullptr;
    wxCheckBox* m_autoAdd = nullptr;
    wxCheckBox* m_f1Only = nullptr;
    wxCheckBox* m_volume = nullptr;
    wxSpinCtrl* m_staleAfter = nullptr;
};

/// "Controls": whether the window links its instrument to others, and which
/// links of other windows it follows.
class ControlSetting : public wxPanel
{
public:
    ControlSetting(const Theme* theme, wxWindow* parent, wxWindowID id = wxID_ANY,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = wxTAB_TRAVERSAL, const wxString& name = wxPanelNameStr);

    wxCheckBox* GetControlsOthersBox() const { return m_controlsOthers; }
    wxCheckBox* GetOrdersBox() const { return m_orders; }
    wxCheckBox* GetPositionsBox() const { return m_positions; }
    wxCheckBox* GetInstrumentsBox() const { return m_instruments; }

private:
    wxCheckBox* m_controlsOthers = nullptr;
    wxCheckBox* m_orders = nullptr;
    wxCheckBox* m_positions = nullptr;
    wxCheckBox* m_instruments = nullptr;
};
