#include "TapeWidget.h"

#include <set>

#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "InstrumentPanel.h"
#include "TradeTape.h"
#include "contract/Theme.h"

namespace {

/// A list of recent trades, newest on top.
class TapePanel : public InstrumentPanel
{
public:
    TapePanel(wxWindow* parent, Host& host) : InstrumentPanel(parent, host)
    {
        m_title = new wxStaticText(this, wxID_ANY, _("Select an instrument on a board"));
        m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_NONE);
        m_list->AppendColumn(_("Time"), wxLIST_FORMAT_LEFT, 90);
        m_list->AppendColumn(_("Price"), wxLIST_FORMAT_RIGHT, 110);
        m_list->AppendColumn(_("Volume"), wxLIST_FORMAT_RIGHT, 110);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_title, 0, wxALL | wxEXPAND, 8);
        sizer->Add(m_list, 1, wxEXPAND);
        SetSizer(sizer);
        ApplyCurrentTheme();
    }

protected:
    void ShowPrice(Price* price, bool fresh) override
    {
        if (fresh)
        {
            m_tape.Reset();
            m_list->DeleteAllItems();
            const Instrument* instrument = LinkedInstrument();
            m_title->SetLabel(instrument ? wxString::FromUTF8(instrument->code + " \u00b7 " + instrument->name)
                                         : wxString(_("Select an instrument on a board")));
        }
        if (!price)
            return;
        if (const auto trade = m_tape.Observe(*price))
            AddRow(*trade);
    }

    void ApplyTheme(const Theme& theme) override
    {
        InstrumentPanel::ApplyTheme(theme);
        m_title->SetForegroundColour(theme.TextColour());
        m_title->SetFont(theme.MakeFont(1, 700, 90, false));
        m_list->SetBackgroundColour(theme.CellBackgroundColour());
        m_list->SetForegroundColour(theme.TextColour());
        m_list->SetFont(theme.GridFont());
        for (long row = 0; row < m_list->GetItemCount(); ++row)
            ColourRow(row, m_upRows.count(row) > 0);
        m_list->Refresh();
    }

private:
    void AddRow(const TapeTrade& trade)
    {
        const long row = m_list->InsertItem(0, wxString::FromUTF8(trade.time));
        m_list->SetItem(row, 1, FormatPrice(trade.price, LinkedInstrument()));
        m_list->SetItem(row, 2, FormatVolume(trade.volume));
        std::set<long> shifted;
        for (long up : m_upRows)
            shifted.insert(up + 1);
        if (trade.uptick)
            shifted.insert(0);
        m_upRows = shifted;
        ColourRow(row, trade.uptick);
        while (m_list->GetItemCount() > static_cast<int>(m_tape.Trades().size()))
            m_list->DeleteItem(m_list->GetItemCount() - 1);
    }

    void ColourRow(long row, bool uptick)
    {
        const Theme& theme = CurrentTheme();
        m_list->SetItemTextColour(row, uptick ? theme.UpColour() : theme.DownColour());
        m_list->SetItemBackgroundColour(row, theme.CellBackgroundColour());
    }

    wxStaticText* m_title;
    wxListCtrl* m_list;
    TradeTape m_tape;
    std::set<long> m_upRows;
};

}  // namespace

wxPanel* TapeWidget::CreatePanel(wxWindow* container, uint64_t, int)
{
    return new TapePanel(container, *host);
}
