#include "kit/BoardNotice.h"

#include <algorithm>

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "contract/Theme.h"

BoardNotice::BoardNotice(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    m_label = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                 wxST_ELLIPSIZE_END | wxST_NO_AUTORESIZE);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_label, 1, wxALIGN_CENTRE_VERTICAL | wxLEFT | wxRIGHT | wxTOP | wxBOTTOM, 3);
    SetSizer(sizer);
    Hide();
    m_timer.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Set(m_timedSource, wxString()); });
}

void BoardNotice::SetFor(const std::string& source, const wxString& text, int milliseconds)
{
    if (m_timer.IsRunning() && m_timedSource != source)
        Set(m_timedSource, wxString());
    m_timedSource = source;
    Set(source, text);
    m_timer.StartOnce(milliseconds);
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
    const wxString text = Text();
    m_label->SetLabel(text);
    // A long notice is cut to the room; the whole of it is a hover away.
    m_label->SetToolTip(text);
    SetToolTip(text);
    const bool wanted = !m_notices.empty();
    if (wanted)
        Place();
    if (wanted != IsShown())
        Show(wanted);
    if (wanted)
        Raise();
}

void BoardNotice::SetRoom(const wxRect& room)
{
    m_room = room;
    if (IsShown())
        Place();
}

void BoardNotice::Place()
{
    // The label keeps the size it was made with; the text decides the width.
    const wxSize text = m_label->GetTextExtent(Text());
    const wxSize best(text.x + 12, std::max(text.y, m_label->GetBestSize().y) + 6);
    const int width = std::min(best.x, std::max(0, m_room.width));
    const int height = std::min(best.y, m_room.height);
    // Right-aligned, next to the tools the user aims at, never over them.
    SetSize(m_room.GetRight() + 1 - width, m_room.y + (m_room.height - height) / 2, width, height);
    Layout();
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
