#pragma once
// Base of the terminal's small widget windows: follows the instrument that a
// link event names, keeps its quote subscription and re-themes itself.

#include <string>

#include <wx/panel.h>

#include "contract/Records.h"

class Host;
class Theme;

/// A widget window showing one linked instrument.
class InstrumentPanel : public wxPanel
{
public:
    InstrumentPanel(wxWindow* parent, Host& host);
    ~InstrumentPanel() override;

    Instrument* LinkedInstrument() const { return m_instrument; }
    Price* LinkedPrice() const { return m_price; }
    const std::string& Date() const { return m_date; }

    /// Switches to `instrument` (null: none) for `date` ("" = live).
    void Follow(Instrument* instrument, const std::string& date);

protected:
    /// Called with the record once subscribed (`fresh`) and on each quote event.
    virtual void ShowPrice(Price* price, bool fresh) = 0;
    /// Colours and fonts of the theme in force; the default colours the panel.
    virtual void ApplyTheme(const Theme& theme);
    /// Lets a window read the rest of a link event (ticket price, quantity).
    virtual void ReadLink(const wxCommandEvent&) {}

    Host& GetHost() const { return m_host; }
    const Theme& CurrentTheme() const;
    /// Applies the theme at the end of a subclass constructor.
    void ApplyCurrentTheme() { ApplyTheme(CurrentTheme()); }

private:
    void OnLink(wxCommandEvent& event);
    void OnQuote(wxCommandEvent& event);
    void OnThemeChanged(wxCommandEvent& event);
    void OnHistoryDate(wxCommandEvent& event);
    void Release();

    Host& m_host;
    Instrument* m_instrument = nullptr;
    Price* m_price = nullptr;
    std::string m_date;
};

/// Price text with the instrument's decimals (5 without them), blank for zero.
wxString FormatPrice(double value, const Instrument* instrument);
/// Volume text with thousands separators and no decimals, blank for zero.
wxString FormatVolume(double value);
