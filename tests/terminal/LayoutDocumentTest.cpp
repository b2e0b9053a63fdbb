// The terminal's layout document: the list of open windows, and whole runs
// that quit and start again from what they wrote, byte for byte.

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <wx/display.h>

#include "BoardWindowIds.h"
#include "LayoutDocument.h"
#include "TerminalHost.h"
#include "TerminalSettings.h"
#include "controls/wxFlatNotebook.h"
#include "files/DurableFile.h"
#include "support/XmlText.h"

#include "TerminalTestSupport.h"

namespace {

using boost::property_tree::ptree;
using namespace terminal_test;
using testing::AllOf;
using testing::HasSubstr;

// Whole runs below write and read the records; here what a hand or an older
// program may have left.
TEST(LayoutDocument, DamagedWindowRecordsAreSkippedOrDefaultedTheFramesPlaceIsReadAndFitsTheScreen)
{
    ptree document = testing_support::Parse(R"(<application><layout><windows x="1" y="2" width="300" height="200">
        <window/><pane widget="Ticker Deck"/>
        <window widget="Ticker Deck" flags="one" x="99999999999" group="-3"><state><watchlists/></state></window>
      </windows></layout></application>)");
    const std::vector<WindowRecord> read = ReadWindowRecords(document);
    ASSERT_EQ(1u, read.size());
    // Flags and place defaulted, the group and the board's own node kept.
    EXPECT_EQ(std::tuple(0, 0, -3, true), std::tuple(read[0].flags, read[0].geometry.x, read[0].group,
                                                     read[0].state.get_child_optional("watchlists").has_value()));
    EXPECT_EQ(wxRect(1, 2, 300, 200), ReadMainFrameGeometry(document));
    document.put("application.layout.windows.<xmlattr>.width", "x");
    EXPECT_EQ(0, ReadMainFrameGeometry(document).width);
    EXPECT_TRUE(ReadWindowRecords(ptree()).empty());

    EXPECT_EQ(wxRect(0, 0, 800, 600), FitOnScreen(wxRect(-5000, 20, 32767, 32767), wxRect(0, 0, 800, 600)));
    EXPECT_EQ(wxRect(500, 500, 300, 100), FitOnScreen(wxRect(900, 510, 300, 100), wxRect(0, 0, 800, 600)));
    EXPECT_EQ(wxRect(10, 20, 30, 40), FitOnScreen(wxRect(10, 20, 30, 40), wxRect(0, 0, 800, 600)));
}

const char* const kStartLayout = R"(<?xml version="1.0" encoding="utf-8"?>
<application>
  <layout>
    <windows>
      <window widget="Ticker Deck" group="1" flags="0" x="0" y="0" width="600" height="400">
        <state>
          <setting><general title="Docked" auto_fit_column_width="false"/></setting>
          <watchlists>
            <watchlist name="Mine" current="false" type="1"/>
            <watchlist name="All" current="true" type="7" exchange="AMX"/>
          </watchlists>
        </state>
      </window>
      <window widget="Ticker Deck" group="1" flags="257" x="120" y="140" width="500" height="420">
        <state>
          <setting><general title="Framed" auto_fit_column_width="false"/></setting>
          <watchlists><watchlist name="Mine" type="1"><bookmark><instrument exchange="AMX" code="BDI"/></bookmark></watchlist></watchlists>
        </state>
      </window>
      <window widget="Somebody Else"/>
    </windows>
  </layout>
</application>)";

const char* const kStartStore = R"(<?xml version="1.0" encoding="utf-8"?>
<application><watchlists><watchlist name="Mine"><instrument exchange="AMX" code="ARPI"/><instrument exchange="AMX" code="BDI"/></watchlist></watchlists></application>)";

/// A quiet terminal on the layout and store files in `folder`.
TerminalOptions FileOptions(const TempFolder& folder)
{
    TerminalOptions options = QuietOptions(folder);
    options.layoutFile = folder / "layout.xml";
    options.storeFile = folder / "store.xml";
    return options;
}

/// Runs a terminal on those files until its --quit-after timer closes it.
void RunUntilQuit(const TempFolder& folder, const std::function<void(Terminal&)>& whileRunning = {})
{
    TerminalOptions options = FileOptions(folder);
    options.quitAfter = 1.5;
    Terminal terminal(options);
    terminal.Start();
    ASSERT_TRUE(terminal.Frame());
    EXPECT_EQ(2u, terminal.Host().Windows().All().size()) << "both listed boards come back, nothing else";
    EXPECT_EQ(1u, terminal.Frame()->DockedPaneCount());
    if (whileRunning)
        whileRunning(terminal);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return terminal.Frame() == nullptr; }, 15000));
    terminal.Shutdown();
}

TEST(LayoutDocumentRun, QuittingWritesWhatStartingReadsFittedOnTheScreenAndLeavesAnotherProgramsStoreAlone)
{
    TempFolder folder;
    std::string huge = kStartLayout;
    huge.replace(huge.find("<windows>"), 9, R"(<windows x="-40000" y="9" width="32767" height="32767">)");
    huge.replace(huge.find(R"(width="500" height="420")"), 24, R"(width="32767" height="32767")");
    WriteBytes(folder / "layout.xml", huge);
    WriteBytes(folder / "store.xml", kStartStore);
    // Written by another program while the terminal runs: an addition to the
    // list its tabs show, and a list of its own.
    const std::string changed = R"(<application><watchlists><watchlist name="Mine">)"
                                R"(<instrument exchange="AMX" code="ARPI"/><instrument exchange="AMX" code="BDI"/>)"
                                R"(<instrument exchange="AMX" code="CDG"/></watchlist>)"
                                R"(<watchlist name="Other"><instrument exchange="AMX" code="AI"/></watchlist>)"
                                R"(</watchlists></application>)";
    wxRect screen;
    RunUntilQuit(folder, [&](Terminal& terminal) {
        screen = wxDisplay(terminal.Frame()).GetClientArea();
        EXPECT_TRUE(screen.Contains(terminal.Frame()->GetRect())) << terminal.Frame()->GetRect().width;
        for (const OpenWindow& window : terminal.Host().Windows().All())
            EXPECT_TRUE(!window.frame || screen.Contains(window.frame->GetRect())) << window.frame->GetRect().width;
        WriteBytes(folder / "store.xml", changed);
    });
    const std::string firstLayout = ReadBytes(folder / "layout.xml");
    EXPECT_EQ(changed, ReadBytes(folder / "store.xml")) << "lists the terminal did not change are not rewritten";

    const ptree written = testing_support::Parse(firstLayout);
    const std::vector<WindowRecord> windows = ReadWindowRecords(written);
    // Each board's own node is the board's to write (its save tests check
    // it); a lost flag would dock the framed board on the second run.
    ASSERT_EQ(2u, windows.size());
    EXPECT_TRUE(screen.Contains(windows[1].geometry)) << "where it was fitted";
    // The framed board is also the default for new boards, written once.
    const ptree& shared = written.get_child("application.layout.default.tickerdeck");
    EXPECT_EQ("2", shared.get<std::string>("<xmlattr>.window"));
    EXPECT_EQ(1u, shared.size()) << "attributes only";

    RunUntilQuit(folder);
    EXPECT_EQ(firstLayout, ReadBytes(folder / "layout.xml")) << "a restart changes nothing";
    EXPECT_EQ(changed, ReadBytes(folder / "store.xml"));
}

TEST(LayoutDocumentRun, ABoardSplitBelowAnotherComesBackBelowItAtItsSizeReopenedOrRestartedAndAnOlderLayoutOpens)
{
    TempFolder folder;
    WriteBytes(folder / "layout.xml", kStartLayout);  // written before docks were kept
    WriteBytes(folder / "store.xml", kStartStore);
    const auto docked = [](Terminal& terminal) {
        std::vector<wxWindow*> containers;
        for (const OpenWindow& window : terminal.Host().Windows().All())
            if (!window.frame)
                containers.push_back(window.container);
        return containers;
    };
    std::vector<wxRect> before;
    {
        Terminal terminal(FileOptions(folder));
        terminal.Start();
        ASSERT_EQ(1u, docked(terminal).size());
        OpenWindows& windows = terminal.Host().Windows();
        PostTo(windows.FindByContainer(docked(terminal)[0])->panel, board_window::SplitHorizontal);
        ASSERT_EQ(2u, docked(terminal).size());
        // The user drags the border between them.
        wxAuiManager* manager = wxAuiManager::GetManager(docked(terminal)[1]);
        const wxAuiPaneInfo& lower = manager->GetPane(docked(terminal)[1]);
        const wxString key = wxString::Format("|dock_size(%d,%d,%d)=", lower.dock_direction, lower.dock_layer,
                                              lower.dock_row);
        const wxString perspective = manager->SavePerspective();
        const size_t at = perspective.find(key);
        ASSERT_NE(wxString::npos, at) << perspective;
        const size_t end = perspective.find('|', at + 1);
        manager->LoadPerspective(perspective.Left(at) + key + "333" + perspective.Mid(end), true);
        testing_support::Flush(5);
        for (wxWindow* container : docked(terminal))
            before.push_back(container->GetScreenRect());
        ASSERT_EQ(wxAUI_DOCK_BOTTOM, DockOf(docked(terminal)[1]));
        ASSERT_GT(before[1].height, 300);

        terminal.Frame()->SetCloseConfirmation([](wxWindow*, const wxString&) { return true; });
        PostTo(windows.FindByContainer(docked(terminal)[1])->panel, board_window::Close);
        ASSERT_EQ(1u, docked(terminal).size());
        ASSERT_TRUE(terminal.Frame()->ReopenClosedBoard());
        testing_support::Flush(5);
        ASSERT_EQ(2u, docked(terminal).size());
        EXPECT_EQ(wxAUI_DOCK_BOTTOM, DockOf(docked(terminal)[1])) << "reopened below, not on the right";
        EXPECT_EQ(before[1], docked(terminal)[1]->GetScreenRect()) << "reopened at its size";
        CloseAndShutdown(terminal);
    }
    Terminal terminal(FileOptions(folder));
    terminal.Start();
    testing_support::Flush(5);
    const std::vector<wxWindow*> after = docked(terminal);
    ASSERT_EQ(2u, after.size());
    EXPECT_EQ(wxAUI_DOCK_CENTER, DockOf(after[0]));
    EXPECT_EQ(wxAUI_DOCK_BOTTOM, DockOf(after[1])) << "below, not on the right";
    EXPECT_EQ(before[0], after[0]->GetScreenRect());
    EXPECT_EQ(before[1], after[1]->GetScreenRect()) << "at its size";
    CloseAndShutdown(terminal);
}

/// The one file beside `path` that SetAsideUnreadable made of it.
std::filesystem::path SetAsideFileOf(const std::filesystem::path& path)
{
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        if (entry.path().filename().string().rfind(path.filename().string() + ".unreadable-", 0) == 0)
            found.push_back(entry.path());
    return found.size() == 1 ? found.front() : std::filesystem::path();
}

// The check at start parses no tree; it must still refuse what the tree
// reader after it would (a layout too dense for a tree), or the layout would
// be neither read nor set aside.
TEST(LayoutDocumentRun, UnreadableFilesAreKeptBesideTheUserIsToldAndTheRunSavesNormally)
{
    TempFolder folder;
    std::string dense = "<application><layout><windows";
    for (std::size_t i = 0; i < files::kMaxTreeItems; ++i)
        dense += " a=''";
    dense += "/></layout></application>";
    const std::string wrongRoot = "<foo/>" + std::string(kStartStore).substr(std::string(kStartStore).find("<application>"));
    const std::string settings = "<terminal><view theme=\"light\">";
    WriteBytes(folder / "layout.xml", dense);
    WriteBytes(folder / "store.xml", wrongRoot);
    std::filesystem::create_directories(folder / "config");
    WriteBytes(folder / "config" / "terminal.xml", settings);
    Terminal terminal(FileOptions(folder));
    terminal.Start();
    ASSERT_TRUE(terminal.Frame());

    const std::filesystem::path layoutAside = SetAsideFileOf(folder / "layout.xml");
    const std::filesystem::path storeAside = SetAsideFileOf(folder / "store.xml");
    const std::filesystem::path settingsAside = SetAsideFileOf(folder / "config" / "terminal.xml");
    ASSERT_FALSE(layoutAside.empty() || storeAside.empty() || settingsAside.empty());
    EXPECT_THAT(terminal.Frame()->NoticeText().ToStdString(),
                AllOf(HasSubstr(layoutAside.string()), HasSubstr("more than 1000000 elements and attributes"),
                      HasSubstr(storeAside.string()), HasSubstr(settingsAside.string()),
                      HasSubstr("The terminal's settings could not be read (" +
                                (folder / "config" / "terminal.xml").string())));

    EXPECT_TRUE(terminal.Frame()->SaveLayout());
    // A theme chosen now is written anew; the damaged settings stay aside.
    terminal.Frame()->SelectTheme(false);
    EXPECT_EQ("light", ReadStoredTheme((folder / "config" / "terminal.xml").string()));
    EXPECT_EQ(settings, ReadBytes(settingsAside));
    CloseAndShutdown(terminal);
    const ptree saved = files::ReadXmlDocument((folder / "layout.xml").string(), "application");
    EXPECT_FALSE(ReadWindowRecords(saved).empty()) << "the run started from the defaults and saved them";
    EXPECT_TRUE(dense == ReadBytes(layoutAside)) << "the kept file is never touched again";
}

/// The tab count of each board the terminal has open, in opening order.
std::vector<size_t> TabCounts(Terminal& terminal)
{
    std::vector<size_t> counts;
    for (const OpenWindow& window : terminal.Host().Windows().All())
    {
        wxFlatNotebook* notebook = window.panel ? FindBelow<wxFlatNotebook>(window.panel) : nullptr;
        counts.push_back(notebook ? notebook->GetPageCount() : 0);
    }
    return counts;
}

// The shipped default board has five tabs.
constexpr size_t kShippedTabs = 5;

TEST(LayoutDocumentRun, ALayoutThatIsAFolderOrADeviceIsReportedLeftAloneAndTheShippedBoardOpens)
{
    TempFolder folder;
    std::filesystem::create_directories(folder / "layout.xml");
    WriteBytes(folder / "store.xml", kStartStore);
    for (const std::string& layoutFile : {(folder / "layout.xml").string(), std::string("/dev/zero")})
    {
        TerminalOptions options = FileOptions(folder);
        options.layoutFile = layoutFile;
        Terminal terminal(options);
        terminal.Start();
        ASSERT_TRUE(terminal.Frame());
        EXPECT_THAT(terminal.Frame()->NoticeText().ToStdString(), HasSubstr(layoutFile));
        testing_support::Flush(5);
        EXPECT_EQ(std::vector<size_t>{kShippedTabs}, TabCounts(terminal)) << layoutFile;
        EXPECT_FALSE(terminal.Frame()->SaveLayout());
        CloseAndShutdown(terminal);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "layout.xml"));
    EXPECT_TRUE(SetAsideFileOf(folder / "store.xml").empty()) << "a readable store stays where it is";
}

// A default board kept as a window the file does not hold, or as a stub, gave
// every new board an empty grid and was written back so at every save.
TEST(LayoutDocumentRun, ABrokenDefaultBoardIsNamedReplacedByTheShippedOneAndSavedWhole)
{
    for (const auto& [element, told] :
         {std::pair("<tickerdeck window=\"99\"/>", "\"99\""), std::pair("<tickerdeck window=\"abc\" size-x=\"9\"/>", "\"abc\""),
          std::pair("<tickerdeck size-x=\"9\"><setting/></tickerdeck>", "no tabs")})
    {
        TempFolder folder;
        std::string text = kStartLayout;
        text.replace(text.find("<windows>"), 0, std::string("<default>") + element + "</default>");
        WriteBytes(folder / "layout.xml", text);
        WriteBytes(folder / "store.xml", kStartStore);
        Terminal terminal(FileOptions(folder));
        terminal.Start();
        ASSERT_TRUE(terminal.Frame());
        EXPECT_THAT(terminal.Frame()->NoticeText().ToStdString(),
                    AllOf(HasSubstr((folder / "layout.xml").string()), HasSubstr(told)));
        ASSERT_TRUE(terminal.Frame()->OpenDockedBoard());
        testing_support::Flush(5);
        const std::vector<size_t> counts = TabCounts(terminal);
        EXPECT_EQ(1, std::count(counts.begin(), counts.end(), kShippedTabs)) << element;
        EXPECT_TRUE(terminal.Frame()->SaveLayout());
        CloseAndShutdown(terminal);

        ptree saved = testing_support::Parse(ReadBytes(folder / "layout.xml"));
        files::ExpandDefaultBoard(saved);
        // The framed board is saved as the default for new boards: whole, or as a window the file holds.
        EXPECT_EQ(files::DefaultBoardFault::None, files::FindDefaultBoardFault(saved).kind) << element;
    }
}

}  // namespace
