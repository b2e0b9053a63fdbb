// The terminal's own widgets: their data helpers and their windows following
// a linked instrument through the host.

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>

#include "TerminalHost.h"
#include "UserFiles.h"
#include "market/Catalogue.h"
#include "market/QuoteBook.h"
#include "plugin/CommandIds.h"
#include "support/EventLoop.h"
#include "theme/ThemeSwitch.h"
#include "widgets/BuiltinWidgets.h"
#include "widgets/MarketDepth.h"
#include "widgets/OrderTicket.h"
#include "widgets/PriceHistory.h"
#include "widgets/TradeTape.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;

Instrument MakeInstrument(int decimals)
{
    Instrument instrument;
    instrument.code = "XYZ";
    instrument.exchange = "AAA";
    instrument.decimals = decimals;
    return instrument;
}

TEST(MarketDepth, LevelsSurroundTheBestPricesOneTickApart)
{
    Instrument instrument = MakeInstrument(2);
    Price price;
    price.instrument = &instrument;
    price.buy = 10.00;
    price.sell = 10.02;
    price.buyVolume = 300;
    price.sellVolume = 700;
    const std::vector<DepthLevel> book = SynthesiseDepth(price, 5);
    ASSERT_EQ(book.size(), 10u);
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_TRUE(book[i].ask);
        EXPECT_FALSE(book[5 + i].ask);
        EXPECT_GT(book[i].volume, 0);
    }
    EXPECT_NEAR(book[4].price, 10.02, 1e-9) << "best ask next to the spread";
    EXPECT_NEAR(book[0].price, 10.06, 1e-9);
    EXPECT_NEAR(book[5].price, 10.00, 1e-9) << "best bid next to the spread";
    EXPECT_NEAR(book[9].price, 9.96, 1e-9);
    EXPECT_EQ(book[4].volume, 700);
    EXPECT_EQ(book[5].volume, 300);

    const std::vector<DepthLevel> again = SynthesiseDepth(price, 5);
    for (size_t i = 0; i < book.size(); ++i)
        EXPECT_EQ(again[i].volume, book[i].volume) << "the book must not flicker";
}

TEST(MarketDepth, MissingOrCrossedQuotesStillGiveASaneBook)
{
    Instrument instrument = MakeInstrument(-1);
    EXPECT_DOUBLE_EQ(TickSize(&instrument), 0.01);
    instrument.decimals = 3;
    EXPECT_DOUBLE_EQ(TickSize(&instrument), 0.001);

    Price empty;
    empty.instrument = &instrument;
    EXPECT_TRUE(SynthesiseDepth(empty, 5).empty());

    Price lastOnly = empty;
    lastOnly.last = 2.0;
    const std::vector<DepthLevel> book = SynthesiseDepth(lastOnly, 3);
    ASSERT_EQ(book.size(), 6u);
    EXPECT_GT(book[2].price, book[3].price) << "asks stay above bids";

    Price nearZero = empty;
    nearZero.buy = 0.002;
    nearZero.sell = 0.003;
    for (const DepthLevel& level : SynthesiseDepth(nearZero, 5))
        EXPECT_GT(level.price, 0) << "no levels at or below zero";
}

TEST(TradeTape, GrowingVolumeBecomesTradesNewestFirst)
{
    TradeTape tape(3);
    Price price;
    price.last = 10;
    price.cumVolume = 1000;
    EXPECT_FALSE(tape.Observe(price).has_value()) << "the first quote is the starting point";

    price.last = 10.5;
    price.cumVolume = 1200;
    price.tradeTime = "09:30:01";
    const auto trade = tape.Observe(price);
    ASSERT_TRUE(trade.has_value());
    EXPECT_DOUBLE_EQ(trade->volume, 200);
    EXPECT_DOUBLE_EQ(trade->price, 10.5);
    EXPECT_TRUE(trade->uptick);
    EXPECT_EQ(trade->time, "09:30:01");

    EXPECT_FALSE(tape.Observe(price).has_value()) << "a quote change without volume is no trade";

    price.last = 10.4;
    for (int i = 0; i < 4; ++i)
    {
        price.cumVolume += 10;
        ASSERT_TRUE(tape.Observe(price).has_value());
    }
    ASSERT_EQ(tape.Trades().size(), 3u) << "bounded";
    EXPECT_FALSE(tape.Trades().front().uptick);

    price.cumVolume = 5;  // a new session
    EXPECT_FALSE(tape.Observe(price).has_value());
    price.cumVolume = 15;
    ASSERT_TRUE(tape.Observe(price).has_value());
    EXPECT_DOUBLE_EQ(tape.Trades().front().volume, 10);
}

TEST(PriceHistory, KeepsTheRecentPricesAndMapsThemIntoThePlot)
{
    PriceHistory history(4);
    history.Add(0.0);
    EXPECT_TRUE(history.Points().empty()) << "no trade yet is not a price";
    for (double price : {5.0, 7.0, 6.0, 8.0, 9.0})
        history.Add(price);
    ASSERT_EQ(history.Points().size(), 4u);
    EXPECT_DOUBLE_EQ(history.Points().front(), 7.0);
    EXPECT_DOUBLE_EQ(history.Low(), 6.0);
    EXPECT_DOUBLE_EQ(history.High(), 9.0);

    const int height = 101;
    const int top = history.ToY(9.0, height);
    const int bottom = history.ToY(6.0, height);
    EXPECT_GT(top, 0);
    EXPECT_LT(bottom, height - 1);
    EXPECT_LT(top, bottom) << "higher prices are drawn higher";
    EXPECT_NEAR(history.ToY(7.5, height), (top + bottom) / 2, 1);

    PriceHistory flat;
    flat.Add(3.0);
    flat.Add(3.0);
    EXPECT_NEAR(flat.ToY(3.0, height), height / 2, 1) << "a flat line sits in the middle";
}

TEST(OrderTicket, ModesTicksAndDefaults)
{
    EXPECT_EQ(OrderTicket::SideForMode(open_mode::BuyTicket), OrderTicket::Side::Buy);
    EXPECT_EQ(OrderTicket::SideForMode(open_mode::SellTicket), OrderTicket::Side::Sell);
    EXPECT_EQ(OrderTicket::SideForMode(open_mode::Plain), OrderTicket::Side::Buy);

    Instrument instrument = MakeInstrument(3);
    EXPECT_DOUBLE_EQ(OrderTicket::PriceFromTicks(12345, &instrument), 12.345);
    instrument.decimals = -1;
    EXPECT_DOUBLE_EQ(OrderTicket::PriceFromTicks(12345, &instrument), 123.45);

    Price quote;
    quote.buy = 9.9;
    quote.sell = 10.1;
    quote.last = 10.0;
    EXPECT_DOUBLE_EQ(OrderTicket::DefaultPrice(OrderTicket::Side::Buy, quote), 10.1) << "buy at the ask";
    EXPECT_DOUBLE_EQ(OrderTicket::DefaultPrice(OrderTicket::Side::Sell, quote), 9.9) << "sell at the bid";
    quote.sell = 0;
    EXPECT_DOUBLE_EQ(OrderTicket::DefaultPrice(OrderTicket::Side::Buy, quote), 10.0);
}

TEST(OrderTicket, OnlyACompleteOrderOfAPermittedUserGoesOut)
{
    Instrument instrument = MakeInstrument(2);
    OrderTicket ticket{OrderTicket::Side::Sell, &instrument, 12.5, 1500};
    EXPECT_EQ(ticket.Problem(true), "");
    EXPECT_NE(ticket.Problem(false), "");
    const wxString text = ticket.Describe();
    EXPECT_NE(text.Find("SELL"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("XYZ"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("12.50"), wxNOT_FOUND) << text;

    for (OrderTicket bad : {OrderTicket{OrderTicket::Side::Buy, nullptr, 1, 1},
                            OrderTicket{OrderTicket::Side::Buy, &instrument, 0, 1},
                            OrderTicket{OrderTicket::Side::Buy, &instrument, -3, 1},
                            OrderTicket{OrderTicket::Side::Buy, &instrument, 1, 0}})
        EXPECT_NE(bad.Problem(true), "");
}

/// A host with the small catalogue and every terminal widget installed.
class BuiltinWindowsTest : public ::testing::Test
{
protected:
    BuiltinWindowsTest()
        : catalogue(Catalogue::FromText(SmallCatalogueXml(), "small")),
          quotes(catalogue),
          files(temp / "config", "", ""),
          host(catalogue, quotes, themes, files, true, nullptr),
          widgets(MakeBuiltinWidgets())
    {
        std::vector<BuiltinWidget*> pointers;
        for (const auto& widget : widgets)
            pointers.push_back(widget.get());
        host.SetWidgets({}, pointers);
        parent = new wxFrame(nullptr, wxID_ANY, "parent");
        host.SetFrameParent(parent);
    }
    ~BuiltinWindowsTest() override
    {
        delete parent;
        testing_support::Flush();
    }

    void Link(Widget* widget, wxWindow* target, Instrument* instrument, int value = 1, const wxString& text = "")
    {
        wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
        event.SetClientData(instrument);
        event.SetInt(value);
        event.SetString(text);
        widget->Dispatch(event, 5, target);
        testing_support::Flush();
    }

    TempFolder temp;
    Catalogue catalogue;
    QuoteBook quotes;
    ThemeSwitch themes;
    UserFiles files;
    TerminalHost host;
    std::vector<std::unique_ptr<BuiltinWidget>> widgets;
    wxFrame* parent = nullptr;
};

TEST_F(BuiltinWindowsTest, EveryWidgetIsOfferedUnderItsName)
{
    for (const char* name : {"Ladder", "Tape", "Charting", "Sweeper", "Fillscope", "Ticket"})
    {
        Widget* widget = host.FindWidget(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_TRUE(widget->IsOfferedInMenu(0));
        EXPECT_TRUE(wxFileExists(widget->GetIconPath())) << widget->GetIconPath();
    }
}

TEST_F(BuiltinWindowsTest, WindowsFollowTheLinkedInstrumentAndLetGoWhenClosed)
{
    Instrument* one = host.FindInstrument("ONE", "AAA");
    Instrument* two = host.FindInstrument("TWO", "AAA");
    std::vector<std::pair<Widget*, wxWindow*>> opened;
    for (const auto& widget : widgets)
    {
        wxWindow* window = host.OpenWidget(widget.get(), 5, 5, open_mode::ForInstrument);
        ASSERT_NE(window, nullptr) << widget->GetDisplayName();
        opened.emplace_back(widget.get(), window);
        Link(widget.get(), window, one);
        EXPECT_TRUE(quotes.IsSubscribed(window, one, "")) << widget->GetDisplayName();
    }
    EXPECT_EQ(quotes.SubscriptionCount(), widgets.size());

    // Following another instrument drops the first subscription.
    Link(opened[0].first, opened[0].second, two);
    EXPECT_FALSE(quotes.IsSubscribed(opened[0].second, one, ""));
    EXPECT_TRUE(quotes.IsSubscribed(opened[0].second, two, ""));

    // A history date moves every window to that day's records.
    host.PostToOpenWindows(cmd::HistoryDate, "20240105");
    testing_support::Flush();
    EXPECT_TRUE(quotes.IsSubscribed(opened[1].second, one, "20240105"));
    EXPECT_FALSE(quotes.IsSubscribed(opened[1].second, one, ""));

    // Quote events and a theme change are handled without trouble.
    Price* price = quotes.Acquire(one, "20240105");
    for (const auto& [widget, window] : opened)
        QuoteBook::PostQuote(window, price, 4096, true);
    themes.Select(ThemeSwitch::Choice::Light);
    host.PostToOpenWindows(cmd::ThemeChanged);
    testing_support::Flush();
    EXPECT_EQ(opened[0].second->GetBackgroundColour(), LightTheme().BackgroundColour());

    for (const OpenWindow& window : std::vector<OpenWindow>(host.Windows().All()))
        window.frame->Close();
    testing_support::Flush();
    EXPECT_TRUE(host.Windows().All().empty());
    EXPECT_EQ(quotes.SubscriptionCount(), 0u);
    for (const auto& widget : widgets)
        EXPECT_EQ(widget->WindowCount(), 0u) << widget->GetDisplayName();
}

wxChoice* SideChoiceOf(wxWindow* ticket)
{
    for (wxWindow* child : ticket->GetChildren())
        if (auto* choice = dynamic_cast<wxChoice*>(child))
            return choice;
    return nullptr;
}

TEST_F(BuiltinWindowsTest, TicketStartsOnTheRequestedSide)
{
    Widget* ticket = host.FindWidget("Ticket");
    wxWindow* sell = host.OpenWidget(ticket, 5, 5, open_mode::SellTicket);
    wxWindow* buy = host.OpenWidget(ticket, 5, 5, open_mode::BuyTicket);
    wxWindow* plain = host.OpenWidget(ticket, 5, 5, open_mode::Plain);
    ASSERT_TRUE(sell && buy && plain);
    ASSERT_NE(SideChoiceOf(sell), nullptr);
    EXPECT_EQ(SideChoiceOf(sell)->GetSelection(), 1);
    EXPECT_EQ(SideChoiceOf(buy)->GetSelection(), 0);
    EXPECT_EQ(SideChoiceOf(plain)->GetSelection(), 0);
}

}  // namespace
