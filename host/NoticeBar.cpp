#include "NoticeBar.h"

#include <algorithm>

#include <wx/arrstr.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

// More would push the boards out of sight; the log keeps every one.
constexpr size_t kShownNotices = 4;

}  // namespace

NoticeBar::NoticeBar(wxWindow* parent, std::function<void()> onDismiss)
    : wxPanel(parent, wxID_ANY), m_onDismiss(std::move(onDismiss))
{
    SetBackgroundColour(wxColour(255, 236, 179));
    SetForegroundColour(*wxBLACK);
    m_text = new wxStaticText(this, wxID_ANY, wxString());
    m_text->SetForegroundColour(*wxBLACK);
    auto* dismiss = new wxButton(this, wxID_CLOSE, _("Dismiss"));
    dismiss->Bind(wxEVT_BUTTON, &NoticeBar::OnDismiss, this);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_text, 1, wxALIGN_CENTER_VERTICAL | wxALL, 6);
    sizer->Add(dismiss, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    SetSizer(sizer);
}

void NoticeBar::Add(const wxString& text)
{
    m_lines.Add(text);
    while (m_lines.size() > kShownNotices)
        m_lines.RemoveAt(0);
    m_text->SetLabel(Text());
    // Long paths must wrap rather than widen the main frame.
    m_text->Wrap(std::max(400, GetParent()->GetClientSize().GetWidth() - 160));
    Layout();
}

wxString NoticeBar::Text() const
{
    return wxJoin(m_lines, '\n', 0);
}

void NoticeBar::OnDismiss(wxCommandEvent&)
{
    m_lines.clear();
    m_text->SetLabel(wxString());
    if (m_onDismiss)
        m_onDismiss();
}
