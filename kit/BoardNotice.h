#pragma once
// A line over the free middle of the board's toolbar that tells what the
// board itself noticed, such as a feed gone quiet.

#include <map>
#include <string>

#include <wx/panel.h>
#include <wx/timer.h>

class Theme;
class wxStaticText;

/// Themed one-line strip that shows the board's current notices and hides
/// itself while there are none. Each concern sets or clears its own notice
/// under a key, so one clearing never hides another's. It lies over room the
/// board gives it (the toolbar's free space) and never takes room from the
/// tabs: rows do not move between aiming and clicking when a notice comes.
class BoardNotice : public wxPanel
{
public:
    explicit BoardNotice(wxWindow* parent);

    /// Shows `text` as the notice of `source`; empty text clears it.
    void Set(const std::string& source, const wxString& text);
    /// Shows `text` as the notice of `source` for `milliseconds`.
    void SetFor(const std::string& source, const wxString& text, int milliseconds);
    /// The notice of `source`, empty when it has none.
    wxString Get(const std::string& source) const;
    /// What the strip shows: every notice, in the order of their keys.
    wxString Text() const;

    void ApplyTheme(const Theme& theme);
    /// Where the strip may lie, in its parent's coordinates.
    void SetRoom(const wxRect& room);

private:
    void ShowNotices();
    void Place();

    std::map<std::string, wxString> m_notices;
    wxStaticText* m_label = nullptr;
    wxRect m_room;
    wxTimer m_timer;
    std::string m_timedSource;
};
