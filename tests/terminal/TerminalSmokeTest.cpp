// The whole terminal in-process: board module, main frame, the shipped tabs
// with the rows that the catalogue and store give them, docked and framed
// boards, theme and history date as boards and status bar show it, and a clean
// shutdown.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/datectrl.h>
#include <wx/grid.h>
#include <wx/numformatter.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toplevel.h>

#include "MainFrame.h"
#include "Platform.h"
#include "TerminalHost.h"
#include "controls/wxFlatNotebook.h"
#include "market/Catalogue.h"
#include "market/QuoteBook.h"
#include "contract/CommandIds.h"
#include "contract/Widget.h"
#include "theme/LightTheme.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;

/// The rows of the grid a notebook page holds, or -1 without one.
int RowsOfPage(wxWindow* page)
{
    auto* splitter = wxDynamicCast(page, wxSplitterWindow);
    wxGrid* grid = splitter ? wxDynamicCast(splitter->GetWindow1(), wxGrid) : nullptr;
    return grid ? grid->GetNumberRows() : -1;
}

TEST(TerminalSmoke, TheShippedTabsShowAndBoardsOpenAndSwitch)
{
    TempFolder folder;
    TerminalOptions options = QuietOptions(folder);
    options.rate = 200;
    options.seed = 7;
    Terminal terminal(options);
    terminal.Start();
    MainFrame* frame = terminal.Frame();
    ASSERT_NE(frame, nullptr);

    ASSERT_EQ(frame->DockedPaneCount(), 1u) << "one docked board on start";

    // The first board shows the shipped tabs, each with the rows its source
    // holds in the shipped store and catalogue: the lists "Default" and
    // "Core Holdings", AMX's kind 2 category TECH and kind 3 AMX100, and the
    // whole of KTX (the labels are the board's).
    testing_support::Flush(5);
    wxFlatNotebook* notebook = FindBelow<wxFlatNotebook>(frame);
    ASSERT_NE(notebook, nullptr) << "the docked board opened at start";
    std::vector<int> rows;
    for (size_t page = 0; page < notebook->GetPageCount(); ++page)
        rows.push_back(RowsOfPage(notebook->GetPage(page)));
    EXPECT_EQ((std::vector<int>{10, 12, 15, 90, 93}), rows);

    // Closing a docked board gives back what it took (the board window tests);
    // at the end every window, a framed board and a linked widget too, has.
    ASSERT_NE(frame->OpenDockedBoard(), nullptr);
    ASSERT_NE(frame->OpenFramedBoard(), nullptr);

    Widget* ladder = terminal.Host().FindWidget("Ladder");
    ASSERT_NE(ladder, nullptr);
    wxWindow* ladderWindow = terminal.Host().OpenWidget(ladder, frame->LinkGroup(), frame->LinkGroup(),
                                                        open_mode::ForInstrument);
    ASSERT_NE(ladderWindow, nullptr);
    wxCommandEvent linkEvent(wxEVT_MENU, cmd::InstrumentLink);
    linkEvent.SetClientData(terminal.Host().FindInstrument("ARPI", "AMX"));
    linkEvent.SetInt(1);  // a window opened for that instrument
    ladder->Dispatch(linkEvent, frame->LinkGroup(), ladderWindow);
    testing_support::Flush(5);

    // Market > History Date: the status bar and a framed board's picker tell the day shown.
    frame->SelectTheme(false);
    const wxDateTime pastDay = wxDateTime::Today().Subtract(wxDateSpan::Days(3));
    frame->ShowHistoryDate(pastDay.Format("%Y%m%d"));
    testing_support::Flush(5);
    const wxString status = frame->GetStatusBar()->GetStatusText(0);
    EXPECT_TRUE(status.Contains(pastDay.FormatISODate())) << status.ToStdString();
    const auto* picker = wxDynamicCast(wxWindow::FindWindowByName("datectrl"), wxDatePickerCtrl);
    ASSERT_NE(picker, nullptr) << "the framed board has a date picker";
    EXPECT_EQ(pastDay.FormatISODate(), picker->GetValue().FormatISODate());
    frame->ShowHistoryDate(wxString::FromUTF8(QuoteBook::Today()));
    testing_support::Flush(5);
    EXPECT_TRUE(frame->GetStatusBar()->GetStatusText(0).StartsWith(_("Live")));
    frame->SelectTheme(true);
    testing_support::PumpUntil([] { return false; }, 300);  // let the feed run

    frame->Close();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return terminal.Frame() == nullptr && wxTopLevelWindows.empty(); }));
    EXPECT_TRUE(terminal.Host().Windows().All().empty());
    terminal.Shutdown();
}

TEST(TerminalSmoke, TheFeedRateShowsInPlainDigits)
{
    // Digits alone, once the locale's grouping is taken out: no exponent.
    wxString million = FeedRateText(1e6);
    million.erase(std::remove_if(million.begin(), million.end(), [](wxUniChar c) { return !wxIsdigit(c); }),
                  million.end());
    EXPECT_EQ("1000000", million);
    EXPECT_EQ(wxString("0") + wxNumberFormatter::GetDecimalSeparator() + "25", FeedRateText(0.25));
    EXPECT_EQ("60", FeedRateText(60.0));
}

TEST(TerminalSmoke, TheThemeChosenInViewIsKeptAcrossARestartAndRestylesTheMenus)
{
    // The toolkit started light before any terminal chose its style: the
    // terminal owns it and switches it, as it does when its stored theme
    // differs from the one the program started with.
    PreferToolkitStyle(false);
    TempFolder folder;
    {
        Terminal terminal(QuietOptions(folder));
        terminal.Start();
        const MenuColours menu = ToolkitMenuColours();
        ASSERT_GT(menu.text.GetLuminance(), menu.background.GetLuminance()) << "dark menus on a first start";
        terminal.Frame()->SelectTheme(false);
        CloseAndShutdown(terminal);
    }
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<terminal><view theme=\"light\"/></terminal>",
              ReadBytes(folder / "config" / "terminal.xml"));

    Terminal terminal(QuietOptions(folder));
    terminal.Start();
    EXPECT_EQ(LightTheme().BackgroundColour().GetAsString(),
              terminal.Host().GetTheme()->BackgroundColour().GetAsString())
        << "kept";
    EXPECT_LT(ToolkitMenuColours().text.GetLuminance(), ToolkitMenuColours().background.GetLuminance())
        << "light menus";
    CloseAndShutdown(terminal);
}

// What each rejection says is the catalogue tests' to check.
TEST(TerminalSmoke, AMalformedCatalogueStopsTheStart)
{
    TempFolder folder;
    WriteBytes(folder / "bad.xml", "<catalogue>\n  <exchange code=\"A\">\n    <instrument code=\"X\"\n</catalogue>\n");
    TerminalOptions options = QuietOptions(folder);
    options.catalogue = folder / "bad.xml";
    Terminal terminal(options);
    EXPECT_THROW(terminal.Start(), CatalogueError);
    EXPECT_EQ(terminal.Frame(), nullptr);
    terminal.Shutdown();
}

}  // namespace
