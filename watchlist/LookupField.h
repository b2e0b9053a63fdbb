#pragma once
// The small field that opens over a watchlist tab's grid when the user
// types there: the text typed so far and the instruments it finds.

#include <functional>
#include <memory>
#include <vector>

#include <wx/panel.h>

#include "contract/Records.h"

class InstrumentLookup;
class Theme;
class wxTextCtrl;
class LookupList;

/// A text field over a list of at most ten instruments (flag, code, name,
/// exchange) found for its text, updated as the user types. Enter or a
/// click hands the chosen instrument to the opener; Escape, or the focus
/// going elsewhere, closes it. It destroys itself when closed.
class LookupField : public wxPanel
{
public:
    using Chosen = std::function<void(Instrument*)>;

    /// Opens over the top edge of `grid` with `typed` in the field.
    LookupField(wxWindow* grid, std::shared_ptr<const InstrumentLookup> lookup, const Theme* theme,
                const wxString& typed, Chosen chosen);
    ~LookupField() override;

    wxTextCtrl* GetTextField() const { return m_text; }
    /// The instruments shown, in order.
    const std::vector<Instrument*>& Shown() const { return m_shown; }
    int GetSelection() const;
    /// Hands the selected instrument (or the first) to the opener and closes.
    void Choose();
    /// Closes without choosing; focus goes back to the grid.
    void Close();
    bool IsClosing() const { return m_closing; }

private:
    void ApplyTheme(const Theme* theme);
    void Update();
    void Place();
    void OnText(wxCommandEvent& event);
    void OnKey(wxKeyEvent& event);
    void OnFocusLost(wxFocusEvent& event);

    wxWindow* m_grid;
    std::shared_ptr<const InstrumentLookup> m_lookup;
    Chosen m_chosen;
    wxTextCtrl* m_text = nullptr;
    LookupList* m_list = nullptr;
    std::vector<Instrument*> m_shown;
    bool m_closing = false;
};
