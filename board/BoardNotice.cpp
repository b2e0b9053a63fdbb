#include "board/BoardNotice.h"

#include <wx/sizer.h>

#include "contract/Theme.h"
#include "controls/wxStaticTextEx.h"

BoardNotice::BoardNotice(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    m_label = new wxStaticTextEx(this, wxID_ANY, wxString());
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_label, 1, wxALIGN_CENTRE_VERTICAL | wxLEFT | wxRIGHT | wxTOP | wxBOTTOM, 3);
    SetSizer(sizer);
    Hide();
}

void BoardNotice::Set(const std::string& source, const wxString& text)
{
    const auto entry = m_notices.find(source);
    const wxString shown = entry == m_notices.end() ? wxString() : entry->second;
    if (shown == text)
        return;
    if (text.empty())
        m_notices.erase(source);
    else
        m_notices[source] = text;
    ShowNotices();
}

wxString BoardNotice::Get(const std::string& source) const
{
    const auto entry = m_notices.find(source);
    return entry == m_notices.end() ? wxString() : entry->second;
}

wxString BoardNotice::Text() const
{
    wxString text;
    for (const auto& [source, notice] : m_notices)
        text += (text.empty() ? wxString() : wxString("   ")) + notice;
    return text;
}

void BoardNotice::ShowNotices()
{
    m_label->SetLabel(Text());
    const bool wanted = !m_notices.empty();
    if (wanted != IsShown())
        Show(wanted);
    Layout();
    // The strip takes its room from the tabs below it.
    if (wxWindow* board = GetParent())
        board->Layout();
}

void BoardNotice::ApplyTheme(const Theme& theme)
{
    // The bookmark colour stands out from the board in a dark and a light
    // theme alike, and the text colour stays readable on it.
    SetBackgroundColour(theme.BookmarkColour());
    m_label->SetForegroundColour(theme.TextColour());
    m_label->SetFont(theme.NormalFont());
    Refresh();
}
