#include "KeyMapDialog.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "Hotkeys.h"

KeyMapDialog::KeyMapDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, _("Key Map"))
{
    auto* keys = new wxFlexGridSizer(2, wxSize(FromDIP(24), FromDIP(4)));
    for (const HotkeyBinding& binding : Hotkeys::Bindings())
    {
        auto* key = new wxStaticText(this, wxID_ANY, Hotkeys::ShortcutText(binding.hostCommand));
        key->SetFont(key->GetFont().Bold());
        keys->Add(key);
        keys->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(binding.description)));
    }

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(keys, wxSizerFlags().Border(wxALL, FromDIP(12)));
    column->Add(CreateSeparatedButtonSizer(wxOK), wxSizerFlags().Expand().Border(wxALL, FromDIP(8)));
    SetSizerAndFit(column);
    CentreOnParent();
}
