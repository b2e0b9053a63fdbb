#include "alert/AlertDialog.h"

#include <wx/accel.h>
#include <wx/icon.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "model/AlertFormat.h"
#include "alert/AlertIcon.h"
#include "alert/AlertSound.h"
#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"
#include "contract/Theme.h"

namespace {

constexpr int kCaptionWidth = 70;

}  // namespace

wxBEGIN_EVENT_TABLE(AlertDialog, ThemedDialog)
    EVT_BUTTON(AlertDialog::kDisableId, AlertDialog::OnDisable)
    EVT_ACTIVATE(AlertDialog::OnActivate)
wxEND_EVENT_TABLE()

AlertDialog::AlertDialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                         const wxPoint& pos, const wxSize& size)
    : ThemedDialog(owner, parent, id, title, pos, size, ParentLock::Untouched)
{
    SetIcon(AlertIcon());
    auto* outer = new wxBoxSizer(wxVERTICAL);
    auto* inner = new wxBoxSizer(wxVERTICAL);
    outer->Add(inner, 1, wxEXPAND | wxALL, 10);

    m_captionWidth = CaptionWidth({_("Code:"), _("Name:"), _("Exchange:"), _("Remark:")}, kCaptionWidth);
    inner->Add(MakeValueRow(_("Code:"), m_codeValue, 0), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeValueRow(_("Name:"), m_nameValue, 0), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeValueRow(_("Exchange:"), m_exchangeValue, 0), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeValueRow(_("Remark:"), m_remarkValue, 1), 0, wxEXPAND | wxALL, 2);
    inner->Add(MakeLine(this), 0, wxEXPAND | wxALL, 2);

    auto* conditionRow = new wxBoxSizer(wxHORIZONTAL);
    m_condition = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxALIGN_CENTRE_HORIZONTAL);
    m_condition->SetFont(wxFontInfo(wxNORMAL_FONT->GetPointSize()).Bold());
    if (const Theme* theme = GetTheme())
        m_condition->SetForegroundColour(theme->TextColour());
    conditionRow->Add(m_condition, 1, wxEXPAND | wxALL, 2);
    inner->Add(conditionRow, 1, wxEXPAND | wxALL, 2);
    inner->Add(MakeLine(this), 0, wxEXPAND | wxALL, 2);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_disable = MakeButton(this, kDisableId, _("Disable"));
    m_dismiss = MakeButton(this, wxID_CANCEL, _("Dismiss"));
    buttons->Add(m_disable, 0, wxALL, 5);
    buttons->Add(m_dismiss, 0, wxALL, 5);
    inner->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 10);

    SetSizer(outer);
    FitNoNarrowerThan(size.x);
    Centre();
    const wxString reach = wxString::Format(_("Press %s on the board to reach this alert from the keyboard."),
                                            wxAcceleratorEntry(wxACCEL_NORMAL, kReachKey).ToString());
    SetToolTip(reach);
    m_condition->SetToolTip(reach);
}

wxSizer* AlertDialog::MakeValueRow(const wxString& caption, wxStaticText*& value, int proportion)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(MakeCaption(this, caption, m_captionWidth), 0, wxALL, 2);
    value = MakeValueLabel(this);
    if (const Theme* theme = GetTheme())
        value->SetFont(theme->GridFont());
    row->Add(value, proportion, wxALL, 2);
    return row;
}

void AlertDialog::SetAlert(const PriceAlert& alert, double current)
{
    m_remarkValue->SetLabelText(wxString::FromUTF8(alert.remark));
    if (const auto condition = alert_format::PopupConditionText(alert, current))
    {
        if (const Instrument* instrument = alert.instrument)
        {
            m_codeValue->SetLabelText(wxString::FromUTF8(instrument->code));
            m_nameValue->SetLabelText(wxString::FromUTF8(instrument->name));
            m_exchangeValue->SetLabelText(wxString::FromUTF8(instrument->exchange));
        }
        m_condition->SetLabelText(*condition);
    }
    GrowToFitContents();
}

wxString AlertDialog::GetCodeText() const
{
    return m_codeValue->GetLabelText();
}

wxString AlertDialog::GetNameText() const
{
    return m_nameValue->GetLabelText();
}

wxString AlertDialog::GetExchangeText() const
{
    return m_exchangeValue->GetLabelText();
}

wxString AlertDialog::GetRemarkText() const
{
    return m_remarkValue->GetLabelText();
}

wxString AlertDialog::GetConditionText() const
{
    return m_condition->GetLabelText();
}

void AlertDialog::OnShownWithAction()
{
    alert_sound::Play();
}

void AlertDialog::ShowOnScreen()
{
    // An alert that holds fires at every quote: activating the popup each
    // time would take the keyboard from the grid the user works in.
    if (!IsShown())
        ShowWithoutActivating();
}

void AlertDialog::TakeKeyboard()
{
    Raise();
    m_dismiss->SetFocus();
}

void AlertDialog::OnActivate(wxActivateEvent& event)
{
    // Reached by a click: the keyboard goes to "Dismiss", never to "Disable".
    if (event.GetActive())
        m_dismiss->SetFocus();
    event.Skip();
}

void AlertDialog::OnDisable(wxCommandEvent& /*event*/)
{
    ConfirmAndClose();
}
