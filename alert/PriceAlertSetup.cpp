#include "alert/PriceAlertSetup.h"

#include <algorithm>
#include <iterator>

#include <wx/combobox.h>
#include <wx/intl.h>
#include <wx/numformatter.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "model/AlertFormat.h"
#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"
#include "contract/Theme.h"

namespace {

constexpr int kCaptionWidth = 70;
constexpr int kFieldComboId = wxID_HIGHEST + 1;
constexpr int kValueTextId = wxID_HIGHEST + 2;

// Field choices in the order the combo box lists them.
constexpr AlertField kFieldOrder[] = {AlertField::Buy, AlertField::BuyVol, AlertField::Last, AlertField::Sell,
                                      AlertField::SellVol};
// The comparison combo lists ">=" first and "<=" second.
constexpr int kAtMostItem = 1;
constexpr int kAtLeastItem = 0;

int FieldItemOf(uint32_t code)
{
    for (int item = 0; item < static_cast<int>(std::size(kFieldOrder)); ++item)
        if (ToCode(kFieldOrder[item]) == code)
            return item;
    return wxNOT_FOUND;
}

/// Some toolkits draw a drop-down arrow wider than the whole nominal width;
/// the combo keeps its nominal width unless its longest item would be cut.
void KeepReadable(wxComboBox* combo)
{
    const int best = combo->GetBestSize().x;
    if (best > combo->GetSize().x)
        combo->SetMinSize(wxSize(best, -1));
}

bool ReadThreshold(const wxString& text, double* value)
{
    return !text.Strip(wxString::both).empty() && wxNumberFormatter::FromString(text.Strip(wxString::both), value);
}

}  // namespace

wxBEGIN_EVENT_TABLE(PriceAlertSetup, ThemedDialog)
    EVT_BUTTON(wxID_OK, PriceAlertSetup::OnActivate)
    EVT_COMBOBOX(kFieldComboId, PriceAlertSetup::OnInputChanged)
    EVT_TEXT(kValueTextId, PriceAlertSetup::OnInputChanged)
wxEND_EVENT_TABLE()

PriceAlertSetup::PriceAlertSetup(BoardOwner* owner, wxWindow* parent, wxWindowID id,
                                 const wxString& title, const wxPoint& pos, const wxSize& size)
    : ThemedDialog(owner, parent, id, title, pos, size, ParentLock::DisableWhileShown)
{
    auto* outer = new wxBoxSizer(wxVERTICAL);
    auto* inner = new wxBoxSizer(wxVERTICAL);
    outer->Add(inner, 0, wxEXPAND | wxALL, 10);

    m_captionWidth =
        CaptionWidth({_("Code:"), _("Name:"), _("Exchange:"), _("Alert:"), _("Remark:")}, kCaptionWidth);
    inner->Add(MakeInstrumentRow(_("Code:"), m_codeValue), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeInstrumentRow(_("Name:"), m_nameValue), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeInstrumentRow(_("Exchange:"), m_exchangeValue), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeConditionRow(), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeRemarkRow(), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeNotifyRow(), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeLine(this), 0, wxEXPAND | wxALL, 2);

    m_activate = MakeButton(this, wxID_OK, _("Activate"), wxSize(-1, 30));
    m_activate->SetDefault();  // Enter in the value or remark field activates
    inner->Add(m_activate, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 10);

    SetSizer(outer);
    FitNoNarrowerThan(size.x);
    Centre();
    UpdateActivateButton();
}

wxSizer* PriceAlertSetup::MakeInstrumentRow(const wxString& caption, wxStaticText*& value)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(MakeCaption(this, caption, m_captionWidth), 0, wxALL, 2);
    value = MakeValueLabel(this);
    row->Add(value, 0, wxALL, 2);
    return row;
}

wxSizer* PriceAlertSetup::MakeConditionRow()
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(MakeCaption(this, _("Alert:"), m_captionWidth), 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);

    wxArrayString fields;
    for (AlertField field : kFieldOrder)
        fields.Add(wxGetTranslation(FindAlertField(ToCode(field))->name));
    m_fieldCombo = new wxComboBox(this, kFieldComboId, wxString(), wxDefaultPosition, wxSize(60, -1), fields,
                                  wxCB_READONLY);
    KeepReadable(m_fieldCombo);
    StyleInput(m_fieldCombo);
    row->Add(m_fieldCombo, 0, wxALL, 2);

    const wxString comparisons[] = {">=", "<="};
    m_comparisonCombo = new wxComboBox(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(40, -1),
                                       WXSIZEOF(comparisons), comparisons, wxCB_READONLY);
    KeepReadable(m_comparisonCombo);
    StyleInput(m_comparisonCombo);
    row->Add(m_comparisonCombo, 0, wxALL, 2);

    // Wide enough for its hint, which a translation may lengthen.
    const wxString hint = _("Price or Qty");
    m_valueText = new wxTextCtrl(this, kValueTextId, wxString(), wxDefaultPosition, wxSize(50, -1));
    // The toolkit's own measure leaves out the entry's padding on GTK, which
    // then cuts the hint: a margin of about three lines' height covers it.
    m_valueText->SetMinSize(
        wxSize(std::max(50, m_valueText->GetTextExtent(hint).x + 3 * m_valueText->GetCharHeight()), -1));
    m_valueText->SetHint(hint);
    StyleInput(m_valueText);
    row->Add(m_valueText, 1, wxEXPAND | wxALL, 2);
    return row;
}

wxSizer* PriceAlertSetup::MakeRemarkRow()
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(MakeCaption(this, _("Remark:"), m_captionWidth), 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    m_remarkText = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(50, -1));
    StyleInput(m_remarkText);
    row->Add(m_remarkText, 1, wxALL, 2);
    return row;
}

wxSizer* PriceAlertSetup::MakeNotifyRow()
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(MakeCaption(this, _("Notify:"), kCaptionWidth), 0, wxALL, 2);
    auto* choices = new wxBoxSizer(wxVERTICAL);
    m_everyUpdate = new wxRadioButton(this, wxID_ANY, _("At every update while the condition holds"),
                                      wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_onceEachTime = new wxRadioButton(this, wxID_ANY, _("Once each time the condition is reached"));
    for (wxRadioButton* button : {m_everyUpdate, m_onceEachTime})
    {
        if (const Theme* theme = GetTheme())
            button->SetForegroundColour(theme->LabelTextColour());
        button->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateActivateButton(); });
        choices->Add(button, 0, wxALL, 2);
    }
    m_everyUpdate->SetValue(true);
    row->Add(choices, 1, wxEXPAND);
    return row;
}

void PriceAlertSetup::ShowInstrumentTexts(const Instrument* instrument)
{
    m_codeValue->SetLabelText(instrument ? wxString::FromUTF8(instrument->code) : wxString());
    m_nameValue->SetLabelText(instrument ? wxString::FromUTF8(instrument->name) : wxString());
    m_exchangeValue->SetLabelText(instrument ? wxString::FromUTF8(instrument->exchange) : wxString());
    GrowToFitContents();
}

void PriceAlertSetup::SetInstrument(Instrument* instrument)
{
    m_instrument = instrument;
    ShowInstrumentTexts(instrument);
    UpdateActivateButton();
}

void PriceAlertSetup::SetAlert(const PriceAlert& alert)
{
    SetInstrument(alert.instrument);
    m_shownThreshold.reset();
    const int fieldItem = FieldItemOf(alert.field);
    if (fieldItem != wxNOT_FOUND)
    {
        m_fieldCombo->SetSelection(fieldItem);
        m_valueText->ChangeValue(*alert_format::FieldValueText(alert.field, alert.instrument, alert.threshold));
        m_shownThreshold = alert.threshold;
    }
    m_comparisonCombo->SetSelection(alert.comparison == ToCode(AlertComparison::AtMost) ? kAtMostItem
                                                                                         : kAtLeastItem);
    m_remarkText->ChangeValue(wxString::FromUTF8(alert.remark));
    (alert.onceEachTime ? m_onceEachTime : m_everyUpdate)->SetValue(true);
    UpdateActivateButton();
}

void PriceAlertSetup::GetAlert(PriceAlert& alert) const
{
    alert.instrument = m_instrument;
    const int fieldItem = m_fieldCombo->GetSelection();
    if (fieldItem >= 0 && fieldItem < static_cast<int>(std::size(kFieldOrder)))
        alert.field = ToCode(kFieldOrder[fieldItem]);
    alert.comparison = ToCode(m_comparisonCombo->GetSelection() == kAtMostItem ? AlertComparison::AtMost
                                                                               : AlertComparison::AtLeast);
    alert.threshold = ThresholdOr(alert.threshold);
    alert.remark = m_remarkText->GetValue().utf8_string();
    if (alert.onceEachTime != m_onceEachTime->GetValue())
        alert.armed = true;
    alert.onceEachTime = m_onceEachTime->GetValue();
}

double PriceAlertSetup::ThresholdOr(double fallback) const
{
    // The field shows the threshold rounded to the instrument's decimals;
    // until the user types in it, the threshold they set is kept.
    if (m_shownThreshold)
        return *m_shownThreshold;
    double threshold = 0.0;
    return ReadThreshold(m_valueText->GetValue(), &threshold) ? threshold : fallback;
}

bool PriceAlertSetup::CanActivate() const
{
    double threshold = 0.0;
    return m_fieldCombo->GetSelection() != wxNOT_FOUND && ReadThreshold(m_valueText->GetValue(), &threshold);
}

wxString PriceAlertSetup::GetCodeText() const
{
    return m_codeValue->GetLabelText();
}

wxString PriceAlertSetup::GetNameText() const
{
    return m_nameValue->GetLabelText();
}

wxString PriceAlertSetup::GetExchangeText() const
{
    return m_exchangeValue->GetLabelText();
}

void PriceAlertSetup::UpdateActivateButton()
{
    m_activate->Enable(m_instrument && CanActivate());
}

void PriceAlertSetup::OnActivate(wxCommandEvent& /*event*/)
{
    // A disabled button sends nothing, but a synthesised click must not
    // store an alert without a field either.
    if (!m_instrument || !CanActivate())
        return;
    ConfirmAndClose();
}

void PriceAlertSetup::OnInputChanged(wxCommandEvent& event)
{
    if (event.GetId() == kValueTextId)
    {
        m_shownThreshold.reset();
        // A disabled "Activate" alone does not tell the user what is wrong.
        const wxString typed = m_valueText->GetValue().Strip(wxString::both);
        double threshold = 0.0;
        if (!typed.empty() && !ReadThreshold(typed, &threshold))
            ShowRefusal(m_valueText,
                        wxString::Format(_("\"%s\" is no price: type a number such as %s"), typed,
                                         wxNumberFormatter::ToString(12.5, 2)));
    }
    UpdateActivateButton();
}
