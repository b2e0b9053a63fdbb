// The host side of the plug-in interface, driven with recording widgets.

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/frame.h>

#include "TerminalHost.h"
#include "UserFiles.h"
#include "market/Catalogue.h"
#include "market/QuoteBook.h"
#include "plugin/CommandIds.h"
#include "support/EventLoop.h"
#include "theme/ThemeSwitch.h"
#include "widgets/BuiltinWidget.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;

/// A terminal-side widget whose windows record their events.
class RecordingBuiltin : public BuiltinWidget
{
public:
    explicit RecordingBuiltin(const char* name) : BuiltinWidget(name, "./icon/tape.png") {}
    std::vector<int> modes;

protected:
    wxPanel* CreatePanel(wxWindow* container, uint64_t, int openMode) override
    {
        modes.push_back(openMode);
        return new RecordingPanel(container);
    }
};

class TerminalHostTest : public ::testing::Test
{
protected:
    TerminalHostTest()
        : catalogue(Catalogue::FromText(SmallCatalogueXml(), "small")),
          quotes(catalogue),
          files(temp / "config", "", ""),
          host(catalogue, quotes, themes, files, true, nullptr),
          board("Ticker Deck"),
          other("Other"),
          tape("Tape")
    {
        WriteFile(files.LayoutPath(), "<application><layout><default/></layout></application>");
        host.SetWidgets({&board, &other}, {&tape});
        parent = new wxFrame(nullptr, wxID_ANY, "parent");
        host.SetFrameParent(parent);
    }

    ~TerminalHostTest() override
    {
        delete parent;  // takes the widget frames with it while the host still lives
        testing_support::Flush();
    }

    TempFolder temp;
    Catalogue catalogue;
    QuoteBook quotes;
    ThemeSwitch themes;
    UserFiles files;
    TerminalHost host;
    FakeWidget board;
    FakeWidget other;
    RecordingBuiltin tape;
    wxFrame* parent = nullptr;
};

TEST_F(TerminalHostTest, WidgetsAreListedPluginsFirstWithASeparatorAndNumbered)
{
    const std::vector<Widget*> widgets = host.GetWidgets();
    ASSERT_EQ(widgets.size(), 4u);
    EXPECT_EQ(widgets[0], &board);
    EXPECT_EQ(widgets[1], &other);
    EXPECT_EQ(widgets[2], nullptr);
    EXPECT_EQ(widgets[3], &tape);
    EXPECT_EQ(board.commandId, TerminalHost::kFirstWidgetCommand);
    EXPECT_EQ(other.commandId, TerminalHost::kFirstWidgetCommand + 1);
    EXPECT_EQ(tape.commandId, TerminalHost::kFirstWidgetCommand + 2);
    for (Widget* widget : {static_cast<Widget*>(&board), static_cast<Widget*>(&other), static_cast<Widget*>(&tape)})
    {
        EXPECT_EQ(widget->host, &host);
        EXPECT_EQ(host.WidgetByCommand(widget->commandId), widget);
    }
    EXPECT_EQ(host.WidgetByCommand(1), nullptr);

    host.SetWidgets({}, {&tape});
    EXPECT_EQ(host.GetWidgets(), std::vector<Widget*>{&tape}) << "no separator without plug-ins";
}

TEST_F(TerminalHostTest, FindWidgetMatchesTheDisplayNameExactly)
{
    EXPECT_EQ(host.FindWidget("Ticker Deck"), &board);
    EXPECT_EQ(host.FindWidget("Tape"), &tape);
    EXPECT_EQ(host.FindWidget("ticker deck"), nullptr);
    EXPECT_EQ(host.FindWidget("Ticker"), nullptr);
    EXPECT_EQ(host.FindWidget(nullptr), nullptr);
}

TEST_F(TerminalHostTest, OpenWidgetCreatesAWindowInItsOwnFrame)
{
    ASSERT_TRUE(host.LoadLayoutDocument());
    wxWindow* panel = host.OpenWidget(&other, 42, 42, open_mode::ForInstrument);
    ASSERT_EQ(other.created.size(), 1u);
    const FakeWidget::Creation& creation = other.created[0];
    EXPECT_EQ(panel, creation.panel);
    EXPECT_EQ(creation.group, 42u);
    EXPECT_EQ(creation.flags, 0x1 | 0x100);
    EXPECT_EQ(creation.layoutSource, host.LayoutDocument());
    EXPECT_EQ(creation.layoutNode, nullptr);
    auto* frame = wxDynamicCast(creation.container->GetParent(), wxFrame);
    ASSERT_NE(frame, nullptr) << "the container sits alone in a frame";
    EXPECT_EQ(frame->GetParent(), parent);
    EXPECT_TRUE(frame->IsShown());
    ASSERT_EQ(host.Windows().All().size(), 1u);
    EXPECT_EQ(host.Windows().All()[0].frame, frame);

    frame->Close();
    testing_support::Flush();
    ASSERT_EQ(other.closed.size(), 1u);
    EXPECT_EQ(other.closed[0].first, creation.container);
    EXPECT_FALSE(other.closed[0].second) << "the frame destroys the window, not the widget";
    EXPECT_TRUE(host.Windows().All().empty());
    EXPECT_EQ(host.OpenWidget(nullptr, 1, 1, 0), nullptr);
}

TEST_F(TerminalHostTest, OpenWidgetHandsTheModeToTerminalWidgets)
{
    ASSERT_NE(host.OpenWidget(&tape, 7, 7, open_mode::SellTicket), nullptr);
    ASSERT_NE(host.OpenWidget(&tape, 7, 7, open_mode::Plain), nullptr);
    EXPECT_EQ(tape.modes, (std::vector<int>{open_mode::SellTicket, open_mode::Plain}));
    EXPECT_EQ(tape.WindowCount(), 2u);
}

TEST_F(TerminalHostTest, PostToWidgetsReachesEveryFactory)
{
    wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
    RecordingPanel target(parent);
    host.PostToWidgets(event, &board, 99, &target);
    for (FakeWidget* widget : {&board, &other})
    {
        ASSERT_EQ(widget->dispatched.size(), 1u) << widget->GetDisplayName();
        EXPECT_EQ(widget->dispatched[0].id, cmd::InstrumentLink);
        EXPECT_EQ(widget->dispatched[0].group, 99u);
        EXPECT_EQ(widget->dispatched[0].target, &target);
    }
}

TEST_F(TerminalHostTest, TerminalWidgetsDeliverLinksByGroupAndTarget)
{
    auto* first = static_cast<RecordingPanel*>(host.OpenWidget(&tape, 1, 1, 0));
    auto* second = static_cast<RecordingPanel*>(host.OpenWidget(&tape, 1, 1, 0));
    auto* elsewhere = static_cast<RecordingPanel*>(host.OpenWidget(&tape, 2, 2, 0));
    ASSERT_TRUE(first && second && elsewhere);

    wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
    event.SetClientObject(reinterpret_cast<wxClientData*>(first));  // sent by the first window
    host.PostToWidgets(event, &tape, 1, nullptr);
    testing_support::Flush();
    EXPECT_TRUE(first->ids.empty()) << "never back to the sender";
    EXPECT_EQ(second->ids, std::vector<int>{cmd::InstrumentLink});
    EXPECT_TRUE(elsewhere->ids.empty()) << "other link group";

    wxCommandEvent targeted(wxEVT_MENU, cmd::InstrumentLink);
    host.PostToWidgets(targeted, &tape, 2, first);
    testing_support::Flush();
    EXPECT_TRUE(first->ids.empty()) << "target outside the group gets nothing";
    EXPECT_TRUE(elsewhere->ids.empty());

    wxCommandEvent everyone(wxEVT_MENU, cmd::InstrumentLink);
    host.PostToWidgets(everyone, &tape, 0, nullptr);
    testing_support::Flush();
    EXPECT_EQ(first->ids.size(), 1u);
    EXPECT_EQ(second->ids.size(), 2u);
    EXPECT_EQ(elsewhere->ids.size(), 1u);
}

TEST_F(TerminalHostTest, PostToOpenWindowsSendsHostCommandsToEveryWindow)
{
    auto* a = static_cast<RecordingPanel*>(host.OpenWidget(&board, 1, 1, 0));
    auto* b = static_cast<RecordingPanel*>(host.OpenWidget(&tape, 1, 1, 0));
    host.PostToOpenWindows(cmd::HistoryDate, "20240105");
    host.PostToOpenWindows(cmd::ThemeChanged);
    EXPECT_TRUE(a->ids.empty()) << "posted, not processed inline";
    testing_support::Flush();
    for (RecordingPanel* panel : {a, b})
    {
        EXPECT_EQ(panel->ids, (std::vector<int>{cmd::HistoryDate, cmd::ThemeChanged}));
        EXPECT_EQ(panel->texts.at(0), "20240105");
    }
}

TEST_F(TerminalHostTest, MarketDataComesFromTheCatalogueAndQuoteBook)
{
    Instrument* one = host.FindInstrument("ONE", "BBB");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->name, "Eins AG");
    EXPECT_EQ(host.FindInstrument("ONE", "ZZZ"), nullptr);
    EXPECT_EQ(host.FindInstrument(nullptr, "AAA"), nullptr);
    EXPECT_EQ(host.GetExchanges().size(), 2u);
    EXPECT_EQ(host.GetInstruments().size(), 3u);

    RecordingPanel listener(parent);
    Price* delivered = nullptr;
    host.Subscribe(&listener, one, "", [&delivered](Price* price) { delivered = price; });
    ASSERT_NE(delivered, nullptr);
    EXPECT_EQ(delivered->instrument, one);
    EXPECT_EQ(quotes.SubscriptionCount(), 1u);
    host.Unsubscribe(&listener, one, "");
    EXPECT_EQ(quotes.SubscriptionCount(), 0u);

    host.Subscribe(&listener, one, "", [](Price*) {});
    host.ReleaseAllSubscriptions();
    EXPECT_EQ(quotes.SubscriptionCount(), 0u);
}

TEST_F(TerminalHostTest, FilesProfileAndHotkeysAreTheTerminals)
{
    EXPECT_EQ(host.GetLayoutFilePath(), files.LayoutPath());
    EXPECT_EQ(host.GetApplicationFilePath(true), files.StorePath());
    EXPECT_EQ(host.GetUserProfile().permissions & UserProfile::kAllowTrading, UserProfile::kAllowTrading);
    TerminalHost viewer(catalogue, quotes, themes, files, false, nullptr);
    EXPECT_EQ(viewer.GetUserProfile().permissions & UserProfile::kAllowTrading, 0u);

    EXPECT_EQ(host.LookupHotkey(WXK_F5, false, false, false), 12);
    EXPECT_EQ(host.GetShortcutText(12), "F5");
    EXPECT_EQ(host.GetShortcutText(5), "");
}

TEST_F(TerminalHostTest, AnUnreadableLayoutGivesNoDocument)
{
    EXPECT_TRUE(host.LoadLayoutDocument());
    EXPECT_NE(host.LayoutDocument(), nullptr);
    WriteFile(files.LayoutPath(), "<application><unclosed>");
    EXPECT_FALSE(host.LoadLayoutDocument());
    EXPECT_EQ(host.LayoutDocument(), nullptr);
}

TEST_F(TerminalHostTest, AttachedDialogsFollowTheTheme)
{
    auto* dialog = new wxDialog(parent, wxID_ANY, "d");
    host.AttachDialog(dialog);
    host.AttachDialog(dialog);
    EXPECT_EQ(host.AttachedDialogs().size(), 1u);
    EXPECT_EQ(dialog->GetBackgroundColour(), themes.Current().BackgroundColour());
    EXPECT_EQ(dialog->GetForegroundColour(), themes.Current().TextColour());

    themes.Select(ThemeSwitch::Choice::Light);
    host.ApplyThemeToDialogs();
    EXPECT_EQ(dialog->GetBackgroundColour(), LightTheme().BackgroundColour());

    delete dialog;
    EXPECT_TRUE(host.AttachedDialogs().empty()) << "a destroyed dialog is forgotten";
    host.ApplyThemeToDialogs();
}

TEST_F(TerminalHostTest, GetThemeFollowsTheSwitch)
{
    EXPECT_EQ(host.GetTheme()->TextColour(), DarkTheme().TextColour());
    themes.Select(ThemeSwitch::Choice::Light);
    EXPECT_EQ(host.GetTheme()->TextColour(), LightTheme().TextColour());
}

}  // namespace
