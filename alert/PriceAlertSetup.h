#pragma once
// The dialog that creates or edits the price alert of one instrument.

#include <optional>

#include "model/PriceAlert.h"
#include "kit/ThemedDialog.h"

class wxComboBox;
class wxTextCtrl;
class wxRadioButton;

/// Edits one alert: field, comparison, threshold and remark.
class PriceAlertSetup : public ThemedDialog
{
public:
    PriceAlertSetup(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(340, 240));

    /// Shows the instrument's code, name and exchange; everything else stays empty.
    void SetInstrument(Instrument* instrument);
    /// Shows an existing alert.
    void SetAlert(const PriceAlert& alert);
    /// Writes the dialog's contents into `alert`.
    void GetAlert(PriceAlert& alert) const;
    Instrument* GetInstrument() const { return m_instrument; }

    /// "Activate" is usable once a field is chosen and the value reads as a number.
    bool CanActivate() const;

    wxComboBox* GetFieldCombo() const { return m_fieldCombo; }
    wxComboBox* GetComparisonCombo() const { return m_comparisonCombo; }
    wxTextCtrl* GetValueText() const { return m_valueText; }
    wxTextCtrl* GetRemarkText() const { return m_remarkText; }
    /// "Notify once each time the condition is reached" instead of "every update while it holds".
    wxRadioButton* GetOnceEachTimeButton() const { return m_onceEachTime; }
    wxButtonEx* GetActivateButton() const { return m_activate; }
    wxString GetCodeText() const;
    wxString GetNameText() const;
    wxString GetExchangeText() const;

private:
    wxSizer* MakeInstrumentRow(const wxString& caption, wxStaticText*& value);
    wxSizer* MakeConditionRow();
    wxSizer* MakeRemarkRow();
    wxSizer* MakeNotifyRow();
    void ShowInstrumentTexts(const Instrument* instrument);
    void UpdateActivateButton();
    /// The threshold the value field stands for; `fallback` when it reads as no number.
    double ThresholdOr(double fallback) const;
    void OnActivate(wxCommandEvent& event);
    void OnInputChanged(wxCommandEvent& event);

    int m_captionWidth = 0;
    wxStaticText* m_codeValue = nullptr;
    wxStaticText* m_nameValue = nullptr;
    wxStaticText* m_exchangeValue = nullptr;
    wxComboBox* m_fieldCombo = nullptr;
    wxComboBox* m_comparisonCombo = nullptr;
    wxTextCtrl* m_valueText = nullptr;
    wxTextCtrl* m_remarkText = nullptr;
    wxRadioButton* m_everyUpdate = nullptr;
    wxRadioButton* m_onceEachTime = nullptr;
    wxButtonEx* m_activate = nullptr;
    Instrument* m_instrument = nullptr;
    /// The threshold of the alert shown, until the user types a value.
    std::optional<double> m_shownThreshold;

    wxDECLARE_EVENT_TABLE();
};
