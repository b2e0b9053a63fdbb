#include "TicketWidget.h"

#include <spdlog/spdlog.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/numformatter.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "InstrumentPanel.h"
#include "OrderTicket.h"
#include "contract/Host.h"
#include "contract/Theme.h"

namespace {

/// Side, instrument, price, quantity and a Send button. Its controls carry
/// names ("side", "instrument", "price", "quantity", "send", "result").
class TicketPanel : public InstrumentPanel
{
public:
    TicketPanel(wxWindow* parent, Host& host, OrderTicket::Side side, std::shared_ptr<spdlog::logger> logger)
        : InstrumentPanel(parent, host), m_logger(std::move(logger))
    {
        m_side = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                              wxDefaultValidator, "side");
        // "Buy" and "Sell" alone also name the bid and ask prices elsewhere.
        m_side->Append(wxGETTEXT_IN_CONTEXT("order side", "Buy"));
        m_side->Append(wxGETTEXT_IN_CONTEXT("order side", "Sell"));
        m_side->SetSelection(side == OrderTicket::Side::Buy ? 0 : 1);
        m_instrument = new wxStaticText(this, wxID_ANY, _("Choose an instrument on a board first."),
                                        wxDefaultPosition, wxDefaultSize, 0, "instrument");
        // A text field: a ticket without a price shows an empty one, not a zero.
        m_price = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                 wxDefaultValidator, "price");
        m_quantity = new wxSpinCtrlDouble(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                          wxSP_ARROW_KEYS, 0, 1e9, 100, 1, "quantity");
        m_quantity->SetDigits(0);
        m_send = new wxButton(this, wxID_ANY, _("Send"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "send");
        m_result = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, 0, "result");

        auto* form = new wxFlexGridSizer(2, wxSize(12, 8));
        form->AddGrowableCol(1);
        const std::pair<wxString, wxWindow*> rows[] = {{_("Side"), m_side},
                                                       {_("Instrument"), m_instrument},
                                                       {_("Price"), m_price},
                                                       {_("Quantity"), m_quantity}};
        for (const auto& [label, control] : rows)
        {
            auto* text = new wxStaticText(this, wxID_ANY, label);
            m_labels.push_back(text);
            form->Add(text, 0, wxALIGN_CENTRE_VERTICAL);
            form->Add(control, 1, wxEXPAND);
        }
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(form, 0, wxALL | wxEXPAND, 12);
        sizer->Add(m_send, 0, wxLEFT | wxRIGHT | wxEXPAND, 12);
        sizer->Add(m_result, 1, wxALL | wxEXPAND, 12);
        SetSizer(sizer);

        m_send->Bind(wxEVT_BUTTON, &TicketPanel::OnSend, this);
        m_side->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ApplyCurrentTheme(); });
        ApplyCurrentTheme();
    }

protected:
    void ShowPrice(Price* price, bool fresh) override
    {
        if (!fresh)
            return;
        const Instrument* instrument = LinkedInstrument();
        m_instrument->SetLabel(instrument ? wxString::FromUTF8(instrument->code + " \u00b7 " + instrument->exchange)
                                          : wxString(_("Choose an instrument on a board first.")));
        m_price->SetValue(price ? FormatPrice(OrderTicket::DefaultPrice(Side(), *price), instrument) : wxString());
        m_result->SetLabel(wxString());
        Layout();
    }

    void ReadLink(const wxCommandEvent& event) override
    {
        double price = 0;
        double quantity = 0;
        if (!OrderTicket::ReadTicketLink(event, LinkedInstrument(), price, quantity))
            return;
        m_price->SetValue(FormatPrice(price, LinkedInstrument()));
        m_quantity->SetValue(quantity);
    }

    void ApplyTheme(const Theme& theme) override
    {
        InstrumentPanel::ApplyTheme(theme);
        for (wxStaticText* label : m_labels)
            label->SetForegroundColour(theme.LabelTextColour());
        m_instrument->SetForegroundColour(theme.TextColour());
        m_result->SetForegroundColour(theme.TextColour());
        m_send->SetBackgroundColour(Side() == OrderTicket::Side::Buy ? theme.UpColour() : theme.DownColour());
        m_send->SetForegroundColour(*wxBLACK);
        m_send->SetFont(theme.MakeFont(1, 700, 90, false));
        Refresh();
    }

private:
    OrderTicket::Side Side() const
    {
        return m_side->GetSelection() == 1 ? OrderTicket::Side::Sell : OrderTicket::Side::Buy;
    }

    void OnSend(wxCommandEvent&)
    {
        double price = 0;
        if (!wxNumberFormatter::FromString(m_price->GetValue(), &price))
            price = 0;
        OrderTicket ticket{Side(), LinkedInstrument(), price, m_quantity->GetValue(), LinkedPrice()};
        const bool allowed = GetHost().GetUserProfile().permissions & UserProfile::kAllowTrading;
        const wxString problem = ticket.Problem(allowed);
        if (!problem.empty())
        {
            m_result->SetLabel(problem);
            return;
        }
        const wxString text = ticket.Describe();
        if (m_logger)
            m_logger->info("order sent: {}", std::string(text.utf8_str()));
        m_result->SetLabel(wxString::Format(_("Order sent: %s"), text));
    }

    std::shared_ptr<spdlog::logger> m_logger;
    wxChoice* m_side;
    wxStaticText* m_instrument;
    wxTextCtrl* m_price;
    wxSpinCtrlDouble* m_quantity;
    wxButton* m_send;
    wxStaticText* m_result;
    std::vector<wxStaticText*> m_labels;
};

}  // namespace

wxPanel* TicketWidget::CreatePanel(wxWindow* container, uint64_t, int openMode)
{
    return new TicketPanel(container, *host, OrderTicket::SideForMode(openMode), Logger());
}
