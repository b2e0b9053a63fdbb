// The ways a terminal ends: with an export running, a notice or a menu open
// when the quit timer fires, on a signal, and with a disk too full to save.

#include <signal.h>
#include <sys/mount.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <wx/menu.h>

#include "CommandLine.h"
#include "Platform.h"
#include "TerminalHost.h"
#include "contract/CommandIds.h"

#include "TerminalTestSupport.h"

namespace
{

using namespace terminal_test;
namespace fs = std::filesystem;

/// One board with one tab showing the whole synthetic exchange.
const char* const kExchangeLayout = R"(<application><layout><windows><window widget="Ticker Deck"><state>
    <watchlists><watchlist name="Synthetic" current="true" type="7" exchange="SYN"/></watchlists>
    </state></window></windows></layout></application>)";

/// Stands in for a user closing what the quit left open, so that a test of
/// old code ends instead of waiting for ever; `rescued` tells it was needed.
class Rescue
{
public:
    explicit Rescue(wxMenu* menu = nullptr)
    {
        m_timer.Bind(wxEVT_TIMER,
                     [this, menu](wxTimerEvent&)
                     {
                         rescued = CloseMenusAndModalDialogs() || rescued;
#ifdef __WXGTK__
                         // A menu whose window went with its frame waits unseen.
                         if (menu && menu->m_popupShown)
                         {
                             menu->m_popupShown = false;
                             rescued = true;
                         }
#endif
                     });
        m_timer.Start(8000);
    }
    bool rescued = false;

private:
    wxTimer m_timer;
};

TEST(ExitPaths, QuittingDuringAnExportStopsItRemovesItsFileAndLeavesNoCallBehind)
{
    TempFolder folder;
    const fs::path documents = folder / "documents";
    fs::create_directories(documents);
    ::setenv("XDG_DOCUMENTS_DIR", documents.c_str(), 1);
    TerminalOptions options = QuietOptions(folder);
    WriteBytes(folder / "config" / "layout.xml", kExchangeLayout);
    options.synthetic = 50000;
    Terminal terminal(options);
    terminal.Start();

    terminal.Host().PostToActiveWindow(cmd::ExportExcel);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !fs::is_empty(documents); }, 10000))
        << "the export starts its file";
    CloseAndShutdown(terminal);
    ::unsetenv("XDG_DOCUMENTS_DIR");

    EXPECT_TRUE(fs::is_empty(documents)) << "stopped, not finished, and its temporary file removed";
    EXPECT_FALSE(wxTheApp->HasPendingEvents()) << "no queued call into the unloaded module";
}

TEST(ExitPaths, TheQuitTimerClosesABoardNoticeAndAMenuOpenAtThatMomentAndEnds)
{
    TempFolder folder;
    // Nowhere to save (a file stands where the folder would be made): the
    // export fails at once and the board says so in a box.
    std::ofstream(folder / "occupied") << "a file";
    ::setenv("XDG_DOCUMENTS_DIR", (folder / "occupied" / "documents").c_str(), 1);
    {
        Terminal terminal(QuietOptions(folder));
        terminal.Start();
        Rescue rescue;
        terminal.Frame()->ScheduleQuit(1.5, wxString());
        terminal.Host().PostToActiveWindow(cmd::ExportExcel);
        EXPECT_TRUE(testing_support::PumpUntil([&] { return terminal.Frame() == nullptr; }, 15000));
        EXPECT_FALSE(rescue.rescued) << "the notice was left open after its board went";
        terminal.Shutdown();
    }
    ::unsetenv("XDG_DOCUMENTS_DIR");

    Terminal terminal(QuietOptions(folder));
    terminal.Start();
    wxMenu menu;
    menu.Append(wxID_ANY, "Open at quit");
    Rescue rescue(&menu);
    MainFrame* frame = terminal.Frame();
    bool menuShown = false;
    bool menuOpenAtQuit = false;
    frame->Bind(wxEVT_MENU_OPEN,
                [&](wxMenuEvent& event)
                {
                    menuShown = true;
                    event.Skip();
                });
    frame->Bind(wxEVT_CLOSE_WINDOW,
                [&](wxCloseEvent& event)
                {
                    menuOpenAtQuit = menuOpenAtQuit || menuShown;
                    event.Skip();
                });
    frame->CallAfter(
        [&]
        {
            frame->PopupMenu(&menu);
            menuShown = false;
        });
    frame->ScheduleQuit(1.0, wxString());
    EXPECT_TRUE(testing_support::PumpUntil([&] { return terminal.Frame() == nullptr; }, 15000));
    EXPECT_TRUE(menuOpenAtQuit) << "the toolkit did not show the menu; nothing was tried";
    EXPECT_FALSE(rescue.rescued) << "the menu was left open after the frame went";
    terminal.Shutdown();
}

bool WaitForText(const fs::path& file, const std::string& text, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (ReadBytes(file).find(text) == std::string::npos)
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

TEST(ExitPaths, TerminationSignalsQuitAsFileQuitDoesAndSave)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    {
        TempFolder folder;
        const fs::path output = folder / "output.txt";
        const Program program =
            StartProgram("--rate=3000 --config-dir=" + (folder / "config").string(), output);
        ASSERT_TRUE(WaitForText(output, "loaded plug-in", 30)) << ReadBytes(output);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ::kill(program.pid, signal);
        EXPECT_EQ(0, program.Wait()) << "signal " << signal << "\n" << ReadBytes(output);
        EXPECT_NE(ReadBytes(output).find("layout saved"), std::string::npos) << ReadBytes(output);
    }
}

/// A file system of a few kilobytes, filled up; only root may mount one.
class FullDisk
{
public:
    explicit FullDisk(const fs::path& at) : m_at(at)
    {
        fs::create_directories(at);
        m_mounted = ::getuid() == 0 && ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk()
    {
        if (m_mounted)
            ::umount(m_at.c_str());
    }
    bool Mounted() const { return m_mounted; }
    /// Takes whatever room is left.
    void Fill() const { WriteBytes(m_at / "filler", std::string(64 * 1024, 'x')); }

private:
    fs::path m_at;
    bool m_mounted = false;
};

TEST(ExitPaths, ALayoutThatCannotBeSavedIsToldWithItsPathAndReasonAndTheQuitAsks)
{
    TempFolder folder;
    const FullDisk disk(folder / "disk");
    if (!disk.Mounted())
        GTEST_SKIP() << "needs root to mount a small tmpfs for a full disk";
    const fs::path layout = folder / "disk" / "layout.xml";
    fs::copy_file("data/layout.xml", layout);
    disk.Fill();
    const std::string before = ReadBytes(layout);
    {
        TerminalOptions options = QuietOptions(folder);
        options.layoutFile = layout.string();
        Terminal terminal(options);
        terminal.Start();
        wxString asked;
        bool quit = false;
        terminal.Frame()->SetQuitConfirmation(
            [&](const wxString& reason)
            {
                asked = reason;
                return quit;
            });
        terminal.Frame()->Close();
        testing_support::Flush();
        ASSERT_TRUE(terminal.Frame()) << "the user chose to stay";
        EXPECT_NE(asked.Find(layout.string()), wxNOT_FOUND) << asked;
        EXPECT_NE(asked.Find("No space left on device"), wxNOT_FOUND) << asked;
        EXPECT_NE(terminal.Frame()->NoticeText().Find(asked), wxNOT_FOUND) << terminal.Frame()->NoticeText();
        quit = true;
        CloseAndShutdown(terminal);
        EXPECT_EQ(0, terminal.ExitCode()) << "the user chose to quit without saving";
    }
    EXPECT_EQ(before, ReadBytes(layout));

    const fs::path output = folder / "output.txt";
    const Program program =
        StartProgram("--rate=0 --quit-after=1 --config-dir=" + (folder / "config").string() +
                         " --layout=" + layout.string(),
                     output);
    EXPECT_EQ(exit_code::kLayoutNotSaved, program.Wait()) << ReadBytes(output);
    EXPECT_NE(ReadBytes(output).find(layout.string() + ": cannot write"), std::string::npos)
        << ReadBytes(output);
    EXPECT_EQ(before, ReadBytes(layout));
}

} // namespace
