// The config folder as a hostile or unlucky user hands it over: a file in
// its place, a second terminal on it, a lock left by a killed one; and
// errors that must reach the screen.

#include <string>

#include <gtest/gtest.h>
#include <wx/toplevel.h>

#include "CommandLine.h"
#include "ConfigLock.h"
#include "OpenWindows.h"
#include "TerminalHost.h"
#include "contract/CommandIds.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;

TEST(ConfigFolder, AFileInItsPlaceStopsTheStartWithItsOwnExitCodeAndNoWindow)
{
    TempFolder folder;
    WriteBytes(folder / "config", "not a folder");
    Terminal terminal(QuietOptions(folder));
    try
    {
        terminal.Start();
        FAIL() << "a config folder that is a file must stop the start";
    }
    catch (const ConfigFolderError& error)
    {
        EXPECT_EQ(exit_code::kConfigFolderUnusable, error.ExitCode());
        EXPECT_NE(std::string(error.what()).find((folder / "config").string()), std::string::npos) << error.what();
    }
    EXPECT_TRUE(wxTopLevelWindows.empty()) << "no window, no toolkit message box";
    terminal.Shutdown();
    EXPECT_EQ("not a folder", ReadBytes(folder / "config"));
}

TEST(ConfigFolder, ASecondTerminalIsRefusedAStaleLockIsTakenOverAndBoardNoticesReachTheScreen)
{
    TempFolder folder;
    const std::string config = folder / "config";
    // Left by a terminal that was killed: its process is long gone.
    WriteBytes(ConfigLock::LockPath(config), "999999999\n");
    {
        Terminal first(QuietOptions(folder));
        first.Start();
        ASSERT_TRUE(first.Frame());
        EXPECT_EQ(std::to_string(::getpid()) + "\n", ReadBytes(ConfigLock::LockPath(config)));

        const Program second = StartProgram("--rate=0 --quit-after=3 --config-dir=" + config, folder / "second.txt");
        EXPECT_EQ(exit_code::kConfigFolderInUse, second.WaitAtMost(60)) << second.Output();

        // The log stays the log: what the user reads comes from the boards'
        // notices, the same whether the board is docked or in a frame.
        EXPECT_TRUE(first.Frame()->NoticeText().empty()) << first.Frame()->NoticeText().ToStdString();
        first.Logger()->critical("[Tickerdeck] cannot save the watchlists to /x/w.xml: disk full");
        wxWindow* framed = first.Frame()->OpenFramedBoard();
        ASSERT_TRUE(framed);
        const auto tell = [](wxWindow* container, const char* text) {
            wxCommandEvent notice(wxEVT_MENU, cmd::UserNotice);
            notice.SetString(text);
            wxPostEvent(container, notice);
        };
        ASSERT_FALSE(first.Host().Windows().All().front().frame);
        tell(first.Host().Windows().All().front().container, "from the docked board");
        tell(framed->GetParent(), "from the framed board");
        testing_support::Flush();
        EXPECT_EQ("from the docked board\nfrom the framed board", first.Frame()->NoticeText());

        CloseAndShutdown(first);
    }
    Terminal after(QuietOptions(folder));
    ASSERT_NO_THROW(after.Start()) << "the lock goes with the terminal that held it";
    CloseAndShutdown(after);
}

TEST(CommandLine, TheWholeRangesAndBothThemesAreTaken)
{
    const CommandLineResult taken = ParseCommandLine({"--synthetic=1000000", "--theme=light"});
    ASSERT_EQ(CommandLineResult::Outcome::Run, taken.outcome) << taken.message;
    EXPECT_EQ(1000000, taken.options.synthetic);
    EXPECT_EQ("light", taken.options.theme);
    EXPECT_EQ(CommandLineResult::Outcome::Error, ParseCommandLine({"--synthetic=1000001"}).outcome);
}

}  // namespace
