#pragma once
// The popup shown when a price alert fires.

#include "model/PriceAlert.h"
#include "kit/ThemedDialog.h"

/// Notification of a fired alert; "Disable" removes the alert, "Dismiss" closes.
/// It never takes the keyboard when it shows or refreshes: the user reaches
/// it by clicking it or with kReachKey on the board.
class AlertDialog : public ThemedDialog
{
public:
    /// The key on the board that brings the newest popup to the keyboard.
    static constexpr int kReachKey = WXK_F9;

    /// "Disable" uses the toolkit's delete id.
    static constexpr int kDisableId = wxID_DELETE;

    AlertDialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(280, 210));

    /// Fills the texts from the alert and the value that fired it.
    void SetAlert(const PriceAlert& alert, double current);

    wxString GetCodeText() const;
    wxString GetNameText() const;
    wxString GetExchangeText() const;
    wxString GetRemarkText() const;
    wxString GetConditionText() const;
    wxButtonEx* GetDisableButton() const { return m_disable; }
    wxButtonEx* GetDismissButton() const { return m_dismiss; }

    /// Activates the popup and puts the keyboard on "Dismiss".
    void TakeKeyboard();

protected:
    /// Every showing is audible, refreshes of an open popup included.
    void OnShownWithAction() override;
    /// Shown without activation; a popup already on screen stays where it is.
    void ShowOnScreen() override;

private:
    wxSizer* MakeValueRow(const wxString& caption, wxStaticText*& value, int proportion);
    void OnDisable(wxCommandEvent& event);
    void OnActivate(wxActivateEvent& event);

    int m_captionWidth = 0;
    wxStaticText* m_codeValue = nullptr;
    wxStaticText* m_nameValue = nullptr;
    wxStaticText* m_exchangeValue = nullptr;
    wxStaticText* m_remarkValue = nullptr;
    wxStaticText* m_condition = nullptr;
    wxButtonEx* m_dismiss = nullptr;
    wxButtonEx* m_disable = nullptr;

    wxDECLARE_EVENT_TABLE();
};
