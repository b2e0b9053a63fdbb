#pragma once
// A small dialog asking for one line of text.

#include <functional>

#include "kit/ThemedDialog.h"

class wxButtonEx;
class wxStaticText;
class wxTextCtrl;

/// A prompt over a text field, "Ok" (enabled once the text is edited) and
/// "Cancel"; the opener's action reads the field and runs only on "Ok".
class TextEntryDialog : public ThemedDialog
{
public:
    /// Says why a text cannot be taken; empty when it can.
    using Check = std::function<wxString(const wxString& text)>;

    TextEntryDialog(BoardOwner* owner, wxWindow* parent, const wxString& title, const wxSize& size);

    /// "Ok" refuses a text the check objects to, with its message on the field.
    void SetCheck(Check check) { m_check = std::move(check); }
    /// Why "Ok" refused the text last; empty when it did not.
    const wxString& GetRefusal() const { return m_refusal; }

    wxStaticText* GetPrompt() const { return m_prompt; }
    wxTextCtrl* GetTextField() const { return m_text; }
    wxButtonEx* GetOkButton() const { return m_ok; }

private:
    void OnText(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);

    wxStaticText* m_prompt = nullptr;
    wxTextCtrl* m_text = nullptr;
    wxButtonEx* m_ok = nullptr;
    Check m_check;
    wxString m_refusal;

    wxDECLARE_EVENT_TABLE();
};
