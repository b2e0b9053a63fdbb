// The config folder as a hostile or unlucky user hands it over: a file in
// its place, a second terminal on it, a lock left by a killed one; and
// errors that must reach the screen.

#include <string>

#include <gtest/gtest.h>
#include <wx/toplevel.h>

#include "CommandLine.h"
#include "ConfigLock.h"

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

TEST(ConfigFolder, ASecondTerminalIsRefusedAStaleLockIsTakenOverAndErrorsReachTheScreen)
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
        EXPECT_EQ(exit_code::kConfigFolderInUse, second.Wait()) << second.Output();

        // Errors logged by anyone are shown on screen; routine lines are not.
        EXPECT_TRUE(first.Frame()->NoticeText().empty()) << first.Frame()->NoticeText().ToStdString();
        first.Logger()->info("routine");
        first.Logger()->critical("[Tickerdeck] cannot save the watchlists to /x/w.xml: disk full");
        ASSERT_TRUE(testing_support::PumpUntil([&] { return !first.Frame()->NoticeText().empty(); }));
        EXPECT_EQ("[Tickerdeck] cannot save the watchlists to /x/w.xml: disk full", first.Frame()->NoticeText());

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
