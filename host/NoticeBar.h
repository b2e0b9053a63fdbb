#pragma once
// A strip across the bottom of the main frame telling the user what went wrong
// without blocking them: unreadable files set aside, failed saves.

#include <functional>

#include <wx/arrstr.h>
#include <wx/panel.h>

class wxStaticText;

/// The main frame's notices; the newest few lines, until dismissed.
class NoticeBar : public wxPanel
{
public:
    /// `onDismiss` hides the bar's pane; the bar forgets its lines itself.
    NoticeBar(wxWindow* parent, std::function<void()> onDismiss);

    void Add(const wxString& text);
    /// What the bar shows, one notice per line; empty once dismissed.
    wxString Text() const;

private:
    void OnDismiss(wxCommandEvent& event);

    wxStaticText* m_text;
    wxArrayString m_lines;
    std::function<void()> m_onDismiss;
};
