#include "dialogs/SettingDialog.h"

#include <wx/checkbox.h>
#include <wx/icon.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include "kit/PngFile.h"
#include "contract/Theme.h"
#include "controls/wxButtonEx.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxStaticLineEx.h"
#include "dialogs/SettingPages.h"

namespace {

/// Flat tabs with a border around the page.
constexpr long kNotebookStyle = wxFLATNB_FLAT_TABS | wxFLATNB_PAGE_BORDER;
static_assert(kNotebookStyle == 24, "the settings notebook's style changed with the controls library");

}  // namespace

wxBEGIN_EVENT_TABLE(SettingDialog, ThemedDialog)
    EVT_BUTTON(wxID_OK, SettingDialog::OnOk)
    EVT_CHECKBOX(wxID_ANY, SettingDialog::OnChanged)
    EVT_TEXT(wxID_ANY, SettingDialog::OnChanged)
    EVT_SPINCTRL(wxID_ANY, SettingDialog::OnSpinChanged)
wxEND_EVENT_TABLE()

SettingDialog::SettingDialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                             const wxPoint& pos, const wxSize& size)
    : ThemedDialog(owner, parent, id, title, pos, size, ParentLock::EnableOnClose, kSettingStyle)
{
    wxIcon icon;
    icon.CopyFromBitmap(LoadPngOrBlank("./icon/setting.png"));
    SetIcon(icon);
    const Theme* theme = GetTheme();

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_notebook = new wxFlatNotebook(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, kNotebookStyle,
                                    "Flat Notebook");
    StyleNotebook();
    m_general = new GeneralSetting(theme, m_notebook, wxID_ANY, wxDefaultPosition, wxSize(480, 300));
    m_controls = new ControlSetting(theme, m_notebook, wxID_ANY, wxDefaultPosition, wxSize(500, 300));
    m_notebook->AddPage(m_general, _("General"), true);
    m_notebook->AddPage(m_controls, _("Controls"), true);
    m_notebook->SetSelection(0);
    sizer->Add(m_notebook, 1, wxEXPAND | wxALL, 5);
    sizer->Add(MakeLine(this), 0, wxEXPAND | wxALL, 5);

    const OkCancelRow buttons = MakeOkCancelRow();
    m_ok = buttons.ok;
    wxButtonEx* cancel = buttons.cancel;
    sizer->Add(buttons.sizer, 0, wxALIGN_RIGHT | wxALL, 10);

    SetSizer(sizer);
    Fit();
    CentreOnParent(wxBOTH);
    cancel->SetFocus();
}

void SettingDialog::StyleNotebook()
{
    m_notebook->SetPadding(wxSize(10, 10));
    const Theme* theme = GetTheme();
    if (!theme)
        return;
    m_notebook->SetBorderColour(theme->BorderColour());
    m_notebook->SetBackgroundColour(theme->BackgroundColour());
    m_notebook->SetForegroundColour(theme->TextColour());
    m_notebook->SetTabAreaColour(theme->BackgroundColour());
    m_notebook->SetActiveTabColour(theme->ActiveTabColour());
    m_notebook->SetActiveTabTextColour(theme->TextColour());
    m_notebook->SetNonActiveTabTextColour(theme->LabelTextColour());
}

void SettingDialog::SetSettings(const layout::WindowSettings& settings)
{
    // Filling the controls is no change of the user's.
    m_controls->GetInstrumentsBox()->SetValue(settings.controlledByInstruments);
    m_controls->GetPositionsBox()->SetValue(settings.controlledByPositions);
    m_controls->GetOrdersBox()->SetValue(settings.controlledByOrders);
    m_controls->GetControlsOthersBox()->SetValue(settings.controlsOthers);
    m_general->GetAutoAddBox()->SetValue(settings.autoAddInstrument);
    m_general->GetF1OnlyBox()->SetValue(settings.f1Only);
    m_general->GetVolumeBox()->SetValue(settings.volumeInThousands);
    m_general->GetStaleAfterField()->SetValue(settings.staleAfterSeconds);
    m_general->GetTitleField()->ChangeValue(settings.title);
}

layout::WindowSettings SettingDialog::GetSettings(const layout::WindowSettings& base) const
{
    layout::WindowSettings settings = base;
    settings.volumeInThousands = m_general->GetVolumeBox()->GetValue();
    settings.staleAfterSeconds = m_general->GetStaleAfterField()->GetValue();
    settings.controlsOthers = m_controls->GetControlsOthersBox()->GetValue();
    settings.controlledByInstruments = m_controls->GetInstrumentsBox()->GetValue();
    settings.controlledByOrders = m_controls->GetOrdersBox()->GetValue();
    settings.controlledByPositions = m_controls->GetPositionsBox()->GetValue();
    settings.autoAddInstrument = m_general->GetAutoAddBox()->GetValue();
    settings.f1Only = m_general->GetF1OnlyBox()->GetValue();
    settings.title = m_general->GetTitleField()->GetValue();
    return settings;
}

void SettingDialog::OnChanged(wxCommandEvent& event)
{
    m_ok->Enable(true);
    m_ok->Refresh();
    event.Skip();
}

void SettingDialog::OnSpinChanged(wxSpinEvent& event)
{
    OnChanged(event);
}

void SettingDialog::OnOk(wxCommandEvent& /*event*/)
{
    ConfirmAndClose();
}
