#pragma once
// A balloon under an input field saying why what was typed there was refused.

#include <wx/popupwin.h>
#include <wx/timer.h>

class Theme;
class wxStaticText;

/// Themed balloon below a field that leaves typing to the field; it goes
/// when the field's text changes, when its window moves, or after a while.
class RefusalBalloon : public wxPopupWindow
{
public:
    /// Owned by `field`, which it goes with.
    RefusalBalloon(wxWindow* field, const Theme* theme);
    ~RefusalBalloon() override;

    /// Shows the whole of `message` under the field.
    void ShowMessage(const wxString& message);

private:
    void Dismiss();
    void OnFieldText(wxCommandEvent& event);
    void OnWindowMoved(wxMoveEvent& event);

    wxWindow* m_field;
    wxWindow* m_topLevel;
    wxStaticText* m_label = nullptr;
    wxTimer m_timer;
};
