#include "InstrumentPanel.h"

#include <cmath>

#include <wx/numformatter.h>

#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "contract/Theme.h"

InstrumentPanel::InstrumentPanel(wxWindow* parent, Host& host)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER),
      m_host(host)
{
    Bind(wxEVT_MENU, &InstrumentPanel::OnLink, this, cmd::InstrumentLink);
    Bind(wxEVT_MENU, &InstrumentPanel::OnQuote, this, cmd::QuoteUpdate);
    Bind(wxEVT_MENU, &InstrumentPanel::OnThemeChanged, this, cmd::ThemeChanged);
    Bind(wxEVT_MENU, &InstrumentPanel::OnHistoryDate, this, cmd::HistoryDate);
}

InstrumentPanel::~InstrumentPanel()
{
    // Done here rather than on the destroy event: the subscription must end
    // while this object is still whole.
    Release();
}

void InstrumentPanel::Follow(Instrument* instrument, const std::string& date)
{
    if (instrument == m_instrument && date == m_date)
        return;
    Release();
    m_instrument = instrument;
    m_date = date;
    if (m_instrument)
        m_host.Subscribe(this, m_instrument, m_date, [this](Price* price) { m_price = price; });
    ShowPrice(m_price, true);
}

void InstrumentPanel::Release()
{
    if (m_instrument)
        m_host.Unsubscribe(this, m_instrument, m_date);
    m_instrument = nullptr;
    m_price = nullptr;
}

const Theme& InstrumentPanel::CurrentTheme() const
{
    return *m_host.GetTheme();
}

void InstrumentPanel::ApplyTheme(const Theme& theme)
{
    SetBackgroundColour(theme.BackgroundColour());
    SetForegroundColour(theme.TextColour());
    SetFont(theme.NormalFont());
    Refresh();
}

void InstrumentPanel::OnLink(wxCommandEvent& event)
{
    auto* instrument = static_cast<Instrument*>(event.GetClientData());
    if (!instrument)
        return;
    // An instrument view carries the sender's history date in its text.
    const bool historyText = event.GetInt() == 1 && event.GetString().length() == 8 &&
                             event.GetString().IsNumber();
    Follow(instrument, historyText ? std::string(event.GetString().utf8_str()) : m_date);
    ReadLink(event);
}

void InstrumentPanel::OnQuote(wxCommandEvent& event)
{
    auto* price = static_cast<Price*>(event.GetClientData());
    if (price && price == m_price)
        ShowPrice(price, false);
}

void InstrumentPanel::OnThemeChanged(wxCommandEvent&)
{
    ApplyTheme(CurrentTheme());
}

void InstrumentPanel::OnHistoryDate(wxCommandEvent& event)
{
    const wxDateTime today = wxDateTime::Today();
    wxString date = event.GetString();
    if (date == today.Format("%Y%m%d"))
        date.clear();
    Follow(m_instrument, std::string(date.utf8_str()));
}

wxString FormatPrice(double value, const Instrument* instrument)
{
    if (std::fabs(value) < 1e-8)
        return wxString();
    const int decimals = instrument ? instrument->decimals : -1;
    if (decimals >= 0)
        return wxNumberFormatter::ToString(value, decimals, wxNumberFormatter::Style_WithThousandsSep);
    return wxNumberFormatter::ToString(value, 5, wxNumberFormatter::Style_WithThousandsSep |
                                                     wxNumberFormatter::Style_NoTrailingZeroes);
}

wxString FormatVolume(double value)
{
    if (std::fabs(value) < 1e-8)
        return wxString();
    return wxNumberFormatter::ToString(value, 0, wxNumberFormatter::Style_WithThousandsSep);
}
