// The ways a terminal ends: with an export running, a menu open when the
// quit timer fires, on a signal with any dialog open, and with a disk too
// full to save.

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/modalhook.h>

#include "CommandLine.h"
#include "Platform.h"
#include "TerminalHost.h"
#include "contract/CommandIds.h"
#include "market/QuoteBook.h"

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
    // The tab opens a slice at a time; the export is of the whole exchange.
    ASSERT_TRUE(testing_support::PumpUntil([&] { return terminal.Quotes().SubscriptionCount() >= 50000; }, 60000));

    terminal.Host().PostToActiveWindow(cmd::ExportExcel);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !fs::is_empty(documents); }, 10000))
        << "the export starts its file";
    CloseAndShutdown(terminal);
    ::unsetenv("XDG_DOCUMENTS_DIR");

    EXPECT_TRUE(fs::is_empty(documents)) << "stopped, not finished, and its temporary file removed";
    EXPECT_FALSE(wxTheApp->HasPendingEvents()) << "no queued call into the unloaded module";
}

// The timer closes the frame as a signal does, so the dialogs the signal
// case below meets are not met here again.
TEST(ExitPaths, TheQuitTimerClosesAMenuOpenAtThatMomentAndEnds)
{
    TempFolder folder;
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

/// What the tests below make the layout grow past: a write beyond it fails.
constexpr rlim_t kFileSizeLimit = 64 * 1024;

/// The shipped layout with an element the terminal keeps as it is, so
/// large that the layout cannot be written again under kFileSizeLimit.
std::string OversizedLayout()
{
    std::string layout = ReadBytes("data/layout.xml");
    const std::string root = "<application>";
    layout.insert(layout.find(root) + root.size(),
                  "<padding>" + std::string(2 * kFileSizeLimit, 'x') + "</padding>");
    return layout;
}

TEST(ExitPaths, ALayoutThatCannotBeSavedIsToldWithItsPathAndReasonAndTheQuitAsks)
{
    TempFolder folder;
    const fs::path layout = folder / "layout.xml";
    WriteBytes(layout, OversizedLayout());
    const std::string before = ReadBytes(layout);
    {
        TerminalOptions options = QuietOptions(folder);
        options.layoutFile = layout.string();
        Terminal terminal(options);
        terminal.Start();
        const FileSizeLimit limit(kFileSizeLimit);
        ASSERT_TRUE(limit.IsSet());
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
        EXPECT_NE(asked.Find("File too large"), wxNOT_FOUND) << asked;
        EXPECT_NE(terminal.Frame()->NoticeText().Find(asked), wxNOT_FOUND) << terminal.Frame()->NoticeText();
        quit = true;
        CloseAndShutdown(terminal);
        EXPECT_EQ(0, terminal.ExitCode()) << "the user chose to quit without saving";
    }
    EXPECT_EQ(before, ReadBytes(layout));

    // Nobody to ask: the quit timer and every termination signal end the
    // program with the code that tells, and never wait on a question; that
    // code also shows that the signal quit by way of saving.
    for (const int signal : {0, SIGTERM, SIGINT, SIGHUP})
    {
        const fs::path output = folder / ("output-" + std::to_string(signal) + ".txt");
        const Program program = StartProgram(std::string(signal ? "--rate=3000" : "--rate=0 --quit-after=1") +
                                                 " --config-dir=" + (folder / "config").string() +
                                                 " --layout=" + layout.string(),
                                             output, kFileSizeLimit);
        if (signal)
        {
            ASSERT_TRUE(testing_support::PumpUntil(
                [&] { return ReadBytes(output).find("loaded plug-in") != std::string::npos; }, 30000))
                << ReadBytes(output);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            ::kill(program.pid, signal);
        }
        EXPECT_EQ(exit_code::kLayoutNotSaved, program.WaitAtMost(30)) << "signal " << signal << "\n"
                                                                      << ReadBytes(output);
        EXPECT_THAT(ReadBytes(output), testing::HasSubstr(layout.string() + ": cannot write"));
        EXPECT_EQ(before, ReadBytes(layout));
    }
}

/// Sends the process a termination signal once a dialog is up: a modal one
/// as its loop starts (the toolkit's message boxes included), a modeless
/// one once it shows.
class SignalAtDialog : public wxModalDialogHook
{
public:
    explicit SignalAtDialog(wxWindow* frame) : m_frame(frame)
    {
        Register();
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Check(); });
        m_timer.Start(50);
    }
    ~SignalAtDialog() override { Unregister(); }
    bool sent = false;

protected:
    int Enter(wxDialog*) override
    {
        m_modal = true;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    void Check()
    {
        bool shown = m_modal;
        for (wxWindow* window : wxTopLevelWindows)
            shown = shown || (window != m_frame && wxDynamicCast(window, wxDialog) && window->IsShown());
        if (shown && !sent)
        {
            sent = true;
            ::raise(SIGTERM);
        }
    }

    wxWindow* m_frame;
    wxTimer m_timer;
    bool m_modal = false;
};

TEST(ExitPaths, ASignalWithAnyDialogOpenClosesItAndQuitsAsFileQuitDoesSavingTheLayout)
{
    struct Case
    {
        const char* dialog;
        std::function<void(Terminal&)> open;
    };
    const auto menu = [](const char* title, const char* item)
    {
        return [title, item](Terminal& terminal)
        {
            const int id = terminal.Frame()->GetMenuBar()->FindMenuItem(title, item);
            ASSERT_NE(wxNOT_FOUND, id) << item;
            wxPostEvent(terminal.Frame(), wxCommandEvent(wxEVT_MENU, id));
        };
    };
    const auto board = [](int command)
    {
        return [command](Terminal& terminal)
        {
            if (wxGrid* grid = FindBelow<wxGrid>(terminal.Frame()))
                grid->SelectRow(0);
            terminal.Host().PostToActiveWindow(command);
        };
    };
    const Case cases[] = {{"key map", menu("Help", "Key Map")},
                          {"history date", menu("Market", "History Date...")},
                          {"settings", board(cmd::Settings)},
                          {"filter", board(cmd::EditFilter)},
                          {"editor", board(cmd::EditWatchlist)},
                          {"alert setup", board(cmd::AlertSetup)},
                          {"export result", board(cmd::ExportExcel)},
                          {"remove question", board(cmd::DeleteInstrument)}};
    for (const Case& test : cases)
    {
        TempFolder folder;
        // Nowhere to save the export: it fails at once and says so in a box.
        std::ofstream(folder / "occupied") << "a file";
        ::setenv("XDG_DOCUMENTS_DIR", (folder / "occupied" / "documents").c_str(), 1);
        Terminal terminal(QuietOptions(folder));
        terminal.Start();
        const std::string seeded = ReadBytes(folder / "config" / "layout.xml");
        QuitOnTerminationSignals(
            [&terminal]
            {
                if (terminal.Frame())
                    terminal.Frame()->QuitUnattended();
            });
        Rescue rescue;
        SignalAtDialog signal(terminal.Frame());
        test.open(terminal);
        EXPECT_TRUE(testing_support::PumpUntil([&] { return terminal.Frame() == nullptr; }, 15000))
            << test.dialog;
        QuitOnTerminationSignals(nullptr);
        ::unsetenv("XDG_DOCUMENTS_DIR");
        EXPECT_TRUE(signal.sent) << test.dialog << ": no dialog showed; nothing was tried";
        EXPECT_FALSE(rescue.rescued) << test.dialog << " was left open";
        terminal.Shutdown();
        EXPECT_EQ(0, terminal.ExitCode()) << test.dialog;
        EXPECT_NE(seeded, ReadBytes(folder / "config" / "layout.xml")) << test.dialog << ": layout not saved";
    }
}

} // namespace
