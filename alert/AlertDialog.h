#pragma once
// The popup shown when a price alert fires.

#include "model/PriceAlert.h"
#include "board/ThemedDialog.h"

/// Notification of a fired alert; "Disable" removes the alert, "Dismiss" closes.
class AlertDialog : public ThemedDialog
{
public:
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

protected:
    /// Every showing is audible, refreshes of an open popup included.
    void OnShownWithAction() override;

private:
    wxSizer* MakeValueRow(const wxString& caption, wxStaticText*& value, int proportion);
    void OnDisable(wxCommandEvent& event);

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
