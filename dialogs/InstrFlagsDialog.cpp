#include "dialogs/InstrFlagsDialog.h"

#include <spdlog/spdlog.h>
#include <wx/checkbox.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "controls/wxButtonEx.h"
#include "controls/wxStaticLineEx.h"
#include "contract/Theme.h"
#include "model/Logger.h"

wxBEGIN_EVENT_TABLE(InstrFlagsDialog, ThemedDialog)
    EVT_BUTTON(wxID_OK, InstrFlagsDialog::OnOk)
wxEND_EVENT_TABLE()

InstrFlagsDialog::InstrFlagsDialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                                   const wxPoint& pos, const wxSize& size, const wxString& panelName)
    : ThemedDialog(owner, parent, id, title, pos, size, ParentLock::DisableWhileShown)
{
    LoadFlagPanel(panelName);

    auto* column = new wxBoxSizer(wxVERTICAL);
    if (m_panel)
        column->Add(m_panel, wxSizerFlags().Expand().Border(wxALL, 5));
    column->Add(MakeLine(this), wxSizerFlags().Expand().Border(wxALL, 5));
    wxButtonEx* ok = MakeButton(this, wxID_OK, _("Ok"));
    column->Add(ok, wxSizerFlags().Right().Border(wxALL, 10));
    SetSizerAndFit(column);
    Centre();
    ok->SetFocus();
}

void InstrFlagsDialog::LoadFlagPanel(const wxString& panelName)
{
    wxXmlResource* resources = wxXmlResource::Get();
    // Asking for a panel the resources lack would put up the toolkit's error box.
    if (!resources->GetResourceNode(panelName))
    {
        if (const auto& logger = ModuleLogger())
            logger->warn("[Tickerdeck] the host offers no resource panel {}", std::string(panelName.utf8_str()));
        return;
    }
    m_panel = resources->LoadPanel(this, panelName);
    if (m_panel)
        ColourFlagPanel();
}

void InstrFlagsDialog::ColourFlagPanel()
{
    const Theme* theme = GetTheme();
    if (!theme)
        return;
    m_panel->SetBackgroundColour(theme->BackgroundColour());
    for (wxWindow* child : m_panel->GetChildren())
    {
        if (!wxDynamicCast(child, wxStaticBox))
            continue;
        child->SetForegroundColour(theme->LabelTextColour());
        // The toolkit makes a box sizer's controls children of the box.
        for (wxWindow* inner : child->GetChildren())
            if (wxDynamicCast(inner, wxStaticText) || wxDynamicCast(inner, wxCheckBox) ||
                wxDynamicCast(inner, wxRadioButton))
                inner->SetForegroundColour(theme->TextColour());
    }
}

void InstrFlagsDialog::SetChecked(wxWindow* window, bool readOnly)
{
    if (!window)
        return;
    for (wxWindow* child : window->GetChildren())
    {
        if (auto* box = wxDynamicCast(child, wxCheckBox))
        {
            const wxString label = box->GetLabel();
            box->SetValue(!label.empty() && m_flagText.Contains(label));
            box->Enable(!readOnly);
        }
        else
        {
            SetChecked(child, readOnly);
        }
    }
}

void InstrFlagsDialog::CollectChecked(wxWindow* window)
{
    if (!window)
        return;
    for (wxWindow* child : window->GetChildren())
    {
        if (auto* box = wxDynamicCast(child, wxCheckBox))
        {
            if (box->IsChecked() && !box->GetLabel().empty())
                m_flagText += (m_flagText.empty() ? "" : ";") + box->GetLabel();
        }
        else
        {
            CollectChecked(child);
        }
    }
}

void InstrFlagsDialog::OnOk(wxCommandEvent& /*event*/)
{
    m_flagText.clear();
    CollectChecked(m_panel);
    ConfirmAndClose();
}
