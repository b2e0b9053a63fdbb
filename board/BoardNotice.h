#pragma once
// A line between the board's toolbar and its tabs that tells what the
// board itself noticed, such as a feed gone quiet.

#include <map>
#include <string>

#include <wx/panel.h>

class Theme;
class wxStaticTextEx;

/// Themed one-line strip that shows the board's current notices and hides
/// itself while there are none. Each concern sets or clears its own notice
/// under a key, so one clearing never hides another's.
class BoardNotice : public wxPanel
{
public:
    explicit BoardNotice(wxWindow* parent);

    /// Shows `text` as the notice of `source`; empty text clears it.
    void Set(const std::string& source, const wxString& text);
    /// The notice of `source`, empty when it has none.
    wxString Get(const std::string& source) const;
    /// What the strip shows: every notice, in the order of their keys.
    wxString Text() const;

    void ApplyTheme(const Theme& theme);

private:
    void ShowNotices();

    std::map<std::string, wxString> m_notices;
    wxStaticTextEx* m_label = nullptr;
};
