#include "dialogs/SettingPages.h"

#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "contract/Theme.h"
#include "layout/LayoutEntries.h"

namespace {

void PaintOnPage(wxWindow* window, const Theme* theme)
{
    if (!theme)
        return;
    window->SetBackgroundColour(theme->ActiveTabColour());
    window->SetForegroundColour(theme->TextColour());
}

wxCheckBox* MakeBox(wxWindow* parent, const wxString& label, const Theme* theme)
{
    auto* box = new wxCheckBox(parent, wxID_ANY, label);
    PaintOnPage(box, theme);
    return box;
}

}  // namespace

GeneralSetting::GeneralSetting(const Theme* theme, wxWindow* parent, wxWindowID id, const wxPoint& pos,
                               const wxSize& size, long style, const wxString& name)
    : wxPanel(parent, id, pos, size, style | wxTAB_TRAVERSAL, name)
{
    if (theme)
        SetBackgroundColour(theme->ActiveTabColour());
    auto* sizer = new wxBoxSizer(wxVERTICAL);

    auto* titleBox = new wxStaticBox(this, wxID_ANY, _("Change Window Title:"));
    PaintOnPage(titleBox, theme);
    auto* titleSizer = new wxStaticBoxSizer(titleBox, wxVERTICAL);
    m_title = new wxTextCtrl(titleBox, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, 0);
    titleSizer->Add(m_title, 1, wxEXPAND | wxALL, 5);
    sizer->Add(titleSizer, 0, wxEXPAND | wxALL, 10);

    m_autoAdd = MakeBox(this, _("Auto add global search instrument to current watchlist"), theme);
    sizer->Add(m_autoAdd, 0, wxEXPAND | wxLEFT | wxTOP, 20);
    m_f1Only = MakeBox(this, _("Control other windows by \"F1\" only"), theme);
    m_f1Only->Hide();
    sizer->Add(m_f1Only, 0, wxEXPAND | wxLEFT | wxTOP, 20);
    m_volume = MakeBox(this, _("Display Volume in thousands"), theme);
    sizer->Add(m_volume, 0, wxLEFT | wxTOP, 20);
    sizer->Add(MakeStaleRow(theme), 0, wxLEFT | wxTOP, 20);

    SetSizer(sizer);
    Layout();
}

wxSizer* GeneralSetting::MakeStaleRow(const Theme* theme)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* before = new wxStaticText(this, wxID_ANY, _("Mark prices stale after"));
    m_staleAfter = new wxSpinCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0,
                                  layout::kMaxStaleAfterSeconds, layout::kDefaultStaleAfterSeconds);
    auto* after = new wxStaticText(this, wxID_ANY, _("seconds (0: never)"));
    for (wxWindow* label : {static_cast<wxWindow*>(before), static_cast<wxWindow*>(after)})
        PaintOnPage(label, theme);
    row->Add(before, 0, wxALIGN_CENTRE_VERTICAL | wxRIGHT, 6);
    row->Add(m_staleAfter, 0, wxALIGN_CENTRE_VERTICAL);
    row->Add(after, 0, wxALIGN_CENTRE_VERTICAL | wxLEFT, 6);
    return row;
}

ControlSetting::ControlSetting(const Theme* theme, wxWindow* parent, wxWindowID id, const wxPoint& pos,
                               const wxSize& size, long style, const wxString& name)
    : wxPanel(parent, id, pos, size, style | wxTAB_TRAVERSAL, name)
{
    if (theme)
        SetBackgroundColour(theme->ActiveTabColour());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_controlsOthers = MakeBox(this, _("Allowed to control other windows"), theme);
    sizer->Add(m_controlsOthers, 0, wxEXPAND | wxALL, 20);

    auto* box = new wxStaticBox(this, wxID_ANY, _("Allowed to be controlled by other windows"));
    PaintOnPage(box, theme);
    auto* boxSizer = new wxStaticBoxSizer(box, wxVERTICAL);
    m_orders = MakeBox(box, _("Orders"), theme);
    m_positions = MakeBox(box, _("Positions"), theme);
    m_instruments = MakeBox(box, _("Instruments"), theme);
    for (wxCheckBox* check : {m_orders, m_positions, m_instruments})
        boxSizer->Add(check, 0, wxALL, 5);
    sizer->Add(boxSizer, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);

    SetSizer(sizer);
    Layout();
}
