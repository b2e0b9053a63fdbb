#pragma once
// The settings dialog of a board window: its title and how it takes part
// in instrument linking.

#include "kit/ThemedDialog.h"
#include "layout/LayoutEntries.h"

class ControlSetting;
class GeneralSetting;
class wxFlatNotebook;
class wxSpinEvent;

/// "General" and "Controls" pages in a themed notebook; OK becomes usable at
/// the first change.
class SettingDialog : public ThemedDialog
{
public:
    /// Caption, system menu and close box, without the dialogs' usual
    /// float-on-parent: the dialog is a window of its own.
    static constexpr long kSettingStyle = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;

    SettingDialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(480, 360));

    /// Shows `settings` in the controls.
    void SetSettings(const layout::WindowSettings& settings);
    /// `base` with what the controls say; what they do not show stays.
    layout::WindowSettings GetSettings(const layout::WindowSettings& base) const;

    GeneralSetting* GetGeneralPage() const { return m_general; }
    ControlSetting* GetControlPage() const { return m_controls; }
    wxFlatNotebook* GetNotebook() const { return m_notebook; }
    wxButtonEx* GetOkButton() const { return m_ok; }

private:
    void StyleNotebook();
    void OnChanged(wxCommandEvent& event);
    void OnSpinChanged(wxSpinEvent& event);
    void OnOk(wxCommandEvent& event);

    GeneralSetting* m_general = nullptr;
    ControlSetting* m_controls = nullptr;
    wxFlatNotebook* m_notebook = nullptr;
    wxButtonEx* m_ok = nullptr;

    wxDECLARE_EVENT_TABLE();
};
