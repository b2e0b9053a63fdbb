#include "HistoryDateDialog.h"

#include <wx/datectrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "contract/Theme.h"

HistoryDateDialog::HistoryDateDialog(wxWindow* parent, const Theme& theme, const wxDateTime& initial)
    : wxDialog(parent, wxID_ANY, _("History Date"))
{
    SetBackgroundColour(theme.BackgroundColour());
    SetForegroundColour(theme.TextColour());
    SetFont(theme.NormalFont());

    auto* label = new wxStaticText(this, wxID_ANY, _("Show the quotes of:"));
    label->SetForegroundColour(theme.TextColour());
    m_picker = new wxDatePickerCtrl(this, wxID_ANY, initial.IsValid() ? initial : wxDateTime::Today(),
                                    wxDefaultPosition, wxDefaultSize, wxDP_DROPDOWN | wxDP_SHOWCENTURY);
    // A day still to come has no quotes.
    m_picker->SetRange(wxDateTime(1, wxDateTime::Jan, 1990), wxDateTime::Today());

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(label, 0, wxALL, 12);
    sizer->Add(m_picker, 0, wxLEFT | wxRIGHT | wxEXPAND, 12);
    sizer->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 12);
    SetSizerAndFit(sizer);
    CentreOnParent();
}

wxDateTime HistoryDateDialog::GetDate() const
{
    return m_picker->GetValue();
}
