#include "SummaryWidget.h"

#include <cmath>

#include <wx/numformatter.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "InstrumentPanel.h"
#include "MarketDepth.h"
#include "contract/Theme.h"

namespace {

wxString SignedPercent(double value)
{
    if (std::fabs(value) < 1e-8)
        return wxString();
    return wxString::Format("%+.2f%%", value);
}

wxString Percent(double value)
{
    if (std::fabs(value) < 1e-8)
        return wxString();
    return wxString::Format("%.2f%%", value);
}

/// A two-column table of labels and live values.
class SummaryPanel : public InstrumentPanel
{
public:
    SummaryPanel(wxWindow* parent, Host& host, const std::vector<SummaryField>& fields)
        : InstrumentPanel(parent, host), m_fields(fields)
    {
        m_title = new wxStaticText(this, wxID_ANY, _("Select an instrument on a board"));
        auto* table = new wxFlexGridSizer(2, wxSize(16, 6));
        table->AddGrowableCol(1);
        for (const SummaryField& field : m_fields)
        {
            auto* label = new wxStaticText(this, wxID_ANY, wxGetTranslation(field.label));
            auto* value = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                           wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
            table->Add(label, 0, wxALIGN_CENTRE_VERTICAL);
            table->Add(value, 1, wxEXPAND);
            m_labels.push_back(label);
            m_values.push_back(value);
        }
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_title, 0, wxALL | wxEXPAND, 10);
        sizer->Add(table, 1, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 10);
        SetSizer(sizer);
        ApplyCurrentTheme();
    }

protected:
    void ShowPrice(Price* price, bool fresh) override
    {
        if (fresh)
        {
            const Instrument* instrument = LinkedInstrument();
            m_title->SetLabel(instrument ? wxString::FromUTF8(instrument->code + " \u00b7 " + instrument->name)
                                         : wxString(_("Select an instrument on a board")));
        }
        for (size_t i = 0; i < m_fields.size(); ++i)
            m_values[i]->SetLabel(price ? m_fields[i].value(*price) : wxString());
        if (price)
        {
            const Theme& theme = CurrentTheme();
            const wxColour trend = price->change >= 0 ? theme.UpColour() : theme.DownColour();
            m_values[0]->SetForegroundColour(trend);
        }
        Layout();
    }

    void ApplyTheme(const Theme& theme) override
    {
        InstrumentPanel::ApplyTheme(theme);
        m_title->SetForegroundColour(theme.TextColour());
        m_title->SetFont(theme.MakeFont(1, 700, 90, false));
        for (wxStaticText* label : m_labels)
            label->SetForegroundColour(theme.LabelTextColour());
        for (wxStaticText* value : m_values)
        {
            value->SetForegroundColour(theme.TextColour());
            value->SetFont(theme.GridFont());
        }
        if (LinkedPrice())
            ShowPrice(LinkedPrice(), false);
    }

private:
    std::vector<SummaryField> m_fields;
    wxStaticText* m_title;
    std::vector<wxStaticText*> m_labels;
    std::vector<wxStaticText*> m_values;
};

}  // namespace

SummaryWidget::SummaryWidget(const char* name, const char* iconPath, std::vector<SummaryField> fields)
    : BuiltinWidget(name, iconPath), m_fields(std::move(fields))
{
}

std::unique_ptr<SummaryWidget> SummaryWidget::MakeSweeper()
{
    std::vector<SummaryField> fields = {
        {wxTRANSLATE("Last"), [](const Price& p) { return FormatPrice(p.last, p.instrument); }},
        {wxTRANSLATE("Change"), [](const Price& p) { return SignedPercent(p.changePercent); }},
        {wxTRANSLATE("Buy"), [](const Price& p) { return FormatPrice(p.buy, p.instrument); }},
        {wxTRANSLATE("Sell"), [](const Price& p) { return FormatPrice(p.sell, p.instrument); }},
        {wxTRANSLATE("Spread (ticks)"),
         [](const Price& p) {
             if (p.buy <= 0 || p.sell <= 0)
                 return wxString();
             return wxString::Format("%.0f", std::round((p.sell - p.buy) / TickSize(p.instrument)));
         }},
        {wxTRANSLATE("Buy volume"), [](const Price& p) { return FormatVolume(p.buyVolume); }},
        {wxTRANSLATE("Sell volume"), [](const Price& p) { return FormatVolume(p.sellVolume); }},
        {wxTRANSLATE("Volume"), [](const Price& p) { return FormatVolume(p.cumVolume); }},
        {wxTRANSLATE("Deals"),
         [](const Price& p) { return p.deals ? wxNumberFormatter::ToString(static_cast<long>(p.deals)) : wxString(); }},
    };
    return std::make_unique<SummaryWidget>("Sweeper", "./icon/sweeper.png", std::move(fields));
}

std::unique_ptr<SummaryWidget> SummaryWidget::MakeFillscope()
{
    std::vector<SummaryField> fields = {
        {wxTRANSLATE("Last"), [](const Price& p) { return FormatPrice(p.last, p.instrument); }},
        {wxTRANSLATE("Open"), [](const Price& p) { return FormatPrice(p.open, p.instrument); }},
        {wxTRANSLATE("High"), [](const Price& p) { return FormatPrice(p.high, p.instrument); }},
        {wxTRANSLATE("Low"), [](const Price& p) { return FormatPrice(p.low, p.instrument); }},
        {wxTRANSLATE("VWAP"), [](const Price& p) { return FormatPrice(p.vwap, p.instrument); }},
        {wxTRANSLATE("Prev close"), [](const Price& p) { return FormatPrice(p.prevClose, p.instrument); }},
        {wxTRANSLATE("Amplitude"), [](const Price& p) { return Percent(p.amplitude); }},
        {wxTRANSLATE("Turnover"), [](const Price& p) { return FormatVolume(p.cumValue); }},
        {wxTRANSLATE("Money flow"), [](const Price& p) { return FormatVolume(p.moneyFlow); }},
    };
    return std::make_unique<SummaryWidget>("Fillscope", "./icon/fillscope.png", std::move(fields));
}

wxPanel* SummaryWidget::CreatePanel(wxWindow* container, uint64_t, int)
{
    return new SummaryPanel(container, *host, m_fields);
}
