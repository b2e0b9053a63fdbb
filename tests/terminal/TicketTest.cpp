// The terminal's Ticket window reads a board's ticket link: side from the
// open mode, price from ticks with the board's decimals rule, quantity from
// text; Send logs the order or says why it refuses.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/numformatter.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "TerminalHost.h"
#include "contract/CommandIds.h"
#include "contract/Widget.h"
#include "widgets/OrderTicket.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;
using testing_support::Flush;

/// A plug-in calls the host by vtable slot: LookupHotkey is the host's
/// sixteenth virtual and takes (key code, Ctrl, Alt, Shift) in that order.
int LookupHotkeyBySlot(Host& host, int keyCode, bool control, bool alt, bool shift)
{
    using Slot = int (*)(Host*, int, bool, bool, bool);
    void* const* vtable = *reinterpret_cast<void* const* const*>(&host);
    return reinterpret_cast<Slot>(vtable[15])(&host, keyCode, control, alt, shift);
}

template <class T>
T* Named(wxWindow* ticket, const char* name)
{
    return wxDynamicCast(wxWindow::FindWindowByName(name, ticket), T);
}

TEST(Ticket, ShowsTheLinkedOrderDecodedWithTheBoardsDecimalsAndSendLogsItOrRefusesWithTheReason)
{
    TempFolder folder;
    Terminal terminal(QuietOptions(folder));
    terminal.Start();
    TerminalHost& host = terminal.Host();
    const uint64_t group = terminal.Frame()->LinkGroup();
    // The ticket keys as a board asks for them.
    EXPECT_EQ(1, LookupHotkeyBySlot(host, WXK_F2, false, false, false));
    EXPECT_EQ(16, LookupHotkeyBySlot(host, WXK_F2, false, false, true)) << "Shift+F2";
    EXPECT_EQ(0, LookupHotkeyBySlot(host, WXK_F2, false, true, false)) << "Alt+F2 is the toolkit's";
    EXPECT_EQ(0, LookupHotkeyBySlot(host, WXK_F3, true, false, true)) << "Ctrl+Shift+F3";

    // In the demo catalogue a fund without decimals and a share priced in whole numbers.
    Instrument* noDecimals = host.FindInstrument("AGIF", "AMX");
    Instrument* wholeNumbers = host.FindInstrument("1507", "KTX");
    ASSERT_TRUE(noDecimals && noDecimals->decimals < 0 && wholeNumbers && wholeNumbers->decimals == 0);
    Instrument withDecimals;
    withDecimals.decimals = 2;
    EXPECT_DOUBLE_EQ(1234.56, OrderTicket::PriceFromTicks(123456, &withDecimals));

    Widget* widget = host.FindWidget("Ticket");
    ASSERT_NE(nullptr, widget);
    wxWindow* ticket = host.OpenWidget(widget, group, group, open_mode::SellTicket);
    ASSERT_NE(nullptr, ticket);
    auto link = [&](long ticks, const wxString& quantity, Instrument* instrument = nullptr)
    {
        wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
        event.SetClientData(instrument ? instrument : noDecimals);
        event.SetExtraLong(ticks);
        event.SetInt(ticks == static_cast<int>(ticks) ? static_cast<int>(ticks) : 0);
        event.SetString(quantity);
        widget->Dispatch(event, group, ticket);
        Flush(5);
    };
    auto* price = Named<wxTextCtrl>(ticket, "price");
    auto* quantity = Named<wxSpinCtrlDouble>(ticket, "quantity");
    auto* send = Named<wxButton>(ticket, "send");
    ASSERT_TRUE(price && quantity && send);

    // The quantity written as the board writes it, in this locale.
    link(12345678, wxNumberFormatter::ToString(1500.0, 2, wxNumberFormatter::Style_WithThousandsSep));
    EXPECT_EQ(1, Named<wxChoice>(ticket, "side")->GetSelection()) << "sell";
    EXPECT_TRUE(Named<wxStaticText>(ticket, "instrument")->GetLabel().StartsWith(noDecimals->code));
    EXPECT_EQ("123.45678", price->GetValue()) << "five decimals when the instrument gives none";
    EXPECT_DOUBLE_EQ(1500.0, quantity->GetValue());
    const auto shownPrice = [price]
    {
        double value = 0.0;
        return wxNumberFormatter::FromString(price->GetValue(), &value) ? value : -1.0;
    };
    link(2147484000L, wxNumberFormatter::ToString(1.0, 2));
    EXPECT_DOUBLE_EQ(21474.84, shownPrice()) << "ticks past 32 bits";
    link(21475, wxNumberFormatter::ToString(1.0, 2), wholeNumbers);
    EXPECT_DOUBLE_EQ(21475.0, shownPrice());

    // A ticket without a price shows none and sends nothing.
    link(0, wxNumberFormatter::ToString(0.0, 2));
    EXPECT_EQ("", price->GetValue());
    wxCommandEvent click(wxEVT_BUTTON, send->GetId());
    click.SetEventObject(send);
    send->ProcessWindowEvent(click);
    EXPECT_NE("", Named<wxStaticText>(ticket, "result")->GetLabel());

    price->SetValue("123.45678");
    quantity->SetValue(200);
    send->ProcessWindowEvent(click);

    // A halted instrument and the index asset, as the demo catalogue writes
    // them, are refused with the reason on the ticket.
    Instrument* halted = host.FindInstrument("CBL", "AMX");
    Instrument* index = host.FindInstrument("AI", "AMX");
    ASSERT_TRUE(halted && index);
    for (Instrument* instrument : {halted, index})
    {
        link(10000, wxNumberFormatter::ToString(10.0, 2), instrument);
        send->ProcessWindowEvent(click);
        const wxString reason = Named<wxStaticText>(ticket, "result")->GetLabel();
        EXPECT_TRUE(reason.Contains(wxString::FromUTF8(instrument->code)) &&
                    (reason.Contains("halted") || reason.Contains("index")))
            << instrument->code << ": " << reason;
    }
    terminal.Logger()->flush();
    const std::string log = ReadBytes(folder / "config" / "terminal.log");
    EXPECT_EQ(log.find("order sent:"), log.rfind("order sent:")) << "only the order with a price went out";
    EXPECT_NE(std::string::npos, log.find("order sent: SELL 200 " + noDecimals->code + " @ 123.45678")) << log;

    CloseAndShutdown(terminal);
}

}  // namespace
