#include "kit/RefusalBalloon.h"

#include <wx/artprov.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "contract/Theme.h"

namespace {

constexpr int kShownMs = 6000;

}  // namespace

RefusalBalloon::RefusalBalloon(wxWindow* field, const Theme* theme)
    : wxPopupWindow(field, wxBORDER_NONE), m_field(field), m_topLevel(wxGetTopLevelParent(field))
{
    const wxColour border = theme ? theme->BorderColour() : wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT);
    const wxColour face = theme ? theme->ActiveTabColour() : wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK);
    const wxColour text = theme ? theme->TextColour() : wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT);
    SetBackgroundColour(border);
    auto* panel = new wxPanel(this);
    panel->SetBackgroundColour(face);

    m_label = new wxStaticText(panel, wxID_ANY, wxString());
    m_label->SetFont(m_label->GetFont().Bold());
    m_label->SetForegroundColour(text);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(panel, wxID_ANY, wxArtProvider::GetBitmap(wxART_ERROR, wxART_MENU)), 0,
             wxALIGN_CENTER_VERTICAL | wxALL, 6);
    row->Add(m_label, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM | wxRIGHT, 6);
    panel->SetSizer(row);
    auto* frame = new wxBoxSizer(wxVERTICAL);
    frame->Add(panel, 1, wxEXPAND | wxALL, 1);
    SetSizer(frame);

    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Dismiss(); });
    m_field->Bind(wxEVT_TEXT, &RefusalBalloon::OnFieldText, this);
    if (m_topLevel)
        m_topLevel->Bind(wxEVT_MOVE, &RefusalBalloon::OnWindowMoved, this);
}

RefusalBalloon::~RefusalBalloon()
{
    m_field->Unbind(wxEVT_TEXT, &RefusalBalloon::OnFieldText, this);
    if (m_topLevel)
        m_topLevel->Unbind(wxEVT_MOVE, &RefusalBalloon::OnWindowMoved, this);
}

void RefusalBalloon::ShowMessage(const wxString& message)
{
    m_label->SetLabelText(message);
    // Sized from the text in the label's own bold font: a label measured in
    // another font is cut short, the rest of the sentence wrapped out of sight.
    m_label->SetMinSize(m_label->GetTextExtent(message));
    GetSizer()->SetSizeHints(this);
    Position(m_field->ClientToScreen(wxPoint(0, 0)), wxSize(0, m_field->GetSize().y));
    Show();
    Raise();
    m_timer.StartOnce(kShownMs);
}

void RefusalBalloon::Dismiss()
{
    m_timer.Stop();
    Hide();
}

void RefusalBalloon::OnFieldText(wxCommandEvent& event)
{
    Dismiss();
    event.Skip();
}

void RefusalBalloon::OnWindowMoved(wxMoveEvent& event)
{
    Dismiss();
    event.Skip();
}
