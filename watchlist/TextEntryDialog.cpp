#include "watchlist/TextEntryDialog.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"
#include "contract/Theme.h"

namespace {

constexpr int kTextId = wxID_HIGHEST + 1;

}  // namespace

wxBEGIN_EVENT_TABLE(TextEntryDialog, ThemedDialog)
    EVT_TEXT(kTextId, TextEntryDialog::OnText)
    EVT_BUTTON(wxID_OK, TextEntryDialog::OnOk)
wxEND_EVENT_TABLE()

TextEntryDialog::TextEntryDialog(BoardOwner* owner, wxWindow* parent, const wxString& title, const wxSize& size)
    : ThemedDialog(owner, parent, wxID_ANY, title, wxDefaultPosition, size, ParentLock::DisableWhileShown)
{
    m_prompt = new wxStaticText(this, wxID_ANY, wxString());
    if (const Theme* theme = GetTheme())
        m_prompt->SetForegroundColour(theme->TextColour());
    m_text = new wxTextCtrl(this, kTextId);
    StyleInput(m_text);

    m_ok = MakeButton(this, wxID_OK, _("Ok"));
    m_ok->Enable(false);
    m_ok->SetDefault();
    wxButtonEx* cancel = MakeButton(this, wxID_CANCEL, _("Cancel"));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_ok, 0, wxALIGN_CENTER | wxALL, 5);
    buttons->Add(cancel, 0, wxALIGN_CENTER | wxALL, 5);

    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(m_prompt, 0, wxEXPAND | wxALL, 5);
    outer->Add(m_text, 0, wxEXPAND | wxALL, 5);
    outer->Add(MakeLine(this), 0, wxEXPAND | wxALL, 5);
    outer->Add(buttons, 1, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    // The opener's size stays: the sizer lays out, it does not fit.
    SetSizer(outer);
    Layout();
    Centre();
    m_text->SetFocus();
}

void TextEntryDialog::OnText(wxCommandEvent& /*event*/)
{
    m_ok->Enable(true);
    m_ok->Refresh();
}

void TextEntryDialog::OnOk(wxCommandEvent& /*event*/)
{
    m_refusal = m_check ? m_check(m_text->GetValue()) : wxString();
    if (!m_refusal.empty())
    {
        ShowRefusal(m_text, m_refusal);
        return;
    }
    ConfirmAndClose();
}
