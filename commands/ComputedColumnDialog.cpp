#include "commands/ComputedColumnDialog.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"
#include "contract/Theme.h"
#include "model/ColumnSpec.h"

namespace {

constexpr int kCaptionWidth = 80;

wxString NamesHint()
{
    wxString names;
    for (int col = 0; col < column::Count; ++col)
        if (NamesInFormulas(col))
            names += (names.empty() ? "" : ", ") + ColumnLabel(col);
    return wxString::Format(_("Columns: %s\nWith + - * / ( ) and abs, min, max, round"), names);
}

}  // namespace

ComputedColumnDialog::ComputedColumnDialog(BoardOwner* owner, wxWindow* parent, const wxString& title)
    : ThemedDialog(owner, parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
                   ParentLock::DisableWhileShown)
{
    m_name = new wxTextCtrl(this, wxID_ANY);
    m_formula = new wxTextCtrl(this, wxID_ANY);
    m_decimals = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxSP_ARROW_KEYS, 0, kMostComputedDecimals, m_def.decimals);
    for (wxWindow* input : {static_cast<wxWindow*>(m_name), static_cast<wxWindow*>(m_formula),
                            static_cast<wxWindow*>(m_decimals)})
        StyleInput(input);
    auto* hint = new wxStaticText(this, wxID_ANY, NamesHint());
    if (const Theme* theme = GetTheme())
        hint->SetForegroundColour(theme->LabelTextColour());
    hint->Wrap(420);

    auto* fields = new wxFlexGridSizer(2, 5, 5);
    fields->AddGrowableCol(1);
    fields->Add(MakeCaption(this, _("Name"), kCaptionWidth), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(m_name, 1, wxEXPAND);
    fields->Add(MakeCaption(this, _("Formula"), kCaptionWidth), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(m_formula, 1, wxEXPAND);
    fields->Add(MakeCaption(this, _("Decimals"), kCaptionWidth), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(m_decimals, 0);

    const OkCancelRow buttons = MakeOkCancelRow();
    m_ok = buttons.ok;
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(fields, 0, wxEXPAND | wxALL, 10);
    outer->Add(hint, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    outer->Add(MakeLine(this), 0, wxEXPAND | wxALL, 5);
    outer->Add(buttons.sizer, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    SetSizer(outer);
    FitNoNarrowerThan(460);
    Centre();

    m_name->Bind(wxEVT_TEXT, &ComputedColumnDialog::OnChanged, this);
    m_formula->Bind(wxEVT_TEXT, &ComputedColumnDialog::OnChanged, this);
    m_decimals->Bind(wxEVT_SPINCTRL, &ComputedColumnDialog::OnChanged, this);
    Bind(wxEVT_BUTTON, &ComputedColumnDialog::OnOk, this, wxID_OK);
    m_name->SetFocus();
}

void ComputedColumnDialog::SetDef(const ComputedColumnDef& def)
{
    m_def = def;
    m_name->ChangeValue(wxString::FromUTF8(def.name));
    m_formula->ChangeValue(wxString::FromUTF8(def.formula));
    m_decimals->SetValue(def.decimals);
}

void ComputedColumnDialog::OnChanged(wxCommandEvent& event)
{
    m_ok->Enable(true);
    m_ok->Refresh();
    event.Skip();
}

void ComputedColumnDialog::Refuse(wxWindow* field, const wxString& why)
{
    m_refusal = why;
    ShowRefusal(field, why);
}

void ComputedColumnDialog::OnOk(wxCommandEvent& /*event*/)
{
    const wxString name = wxString(m_name->GetValue()).Trim().Trim(false);
    if (name.empty())
        return Refuse(m_name, _("Type a name for the column"));
    if (m_nameTaken && m_nameTaken(name))
        return Refuse(m_name, wxString::Format(_("A column is already called \"%s\""), name));
    FormulaRefusal why;
    const auto formula = Formula::Read(m_formula->GetValue().utf8_string(), &why);
    if (!formula)
    {
        if (why.position >= 0)
            m_formula->SetInsertionPoint(why.position);
        return Refuse(m_formula, why.position < 0 ? why.reason
                                                  : wxString::Format(_("At character %d: %s"),
                                                                     why.position + 1, why.reason));
    }
    m_refusal.clear();
    m_def = {name.utf8_string(), formula->StoredText(), m_decimals->GetValue()};
    ConfirmAndClose();
}
