#pragma once
// Shared pieces of the terminal tests: the options of a quiet whole
// terminal, closing it as the user does, and starting the real program.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <wx/aui/aui.h>

#include "MainFrame.h"
#include "Terminal.h"
#include "support/EventLoop.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace terminal_test {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

/// A whole terminal's options: the config in `folder`, the built board
/// module, and a feed that stands still.
inline TerminalOptions QuietOptions(const TempFolder& folder)
{
    TerminalOptions options;
    options.configDir = folder / "config";
    options.pluginDir = "plugins";
    options.rate = 0;
    return options;
}

/// Closes the main window as the user does, waits until it is gone, and shuts down.
inline void CloseAndShutdown(Terminal& terminal)
{
    terminal.Frame()->Close();
    EXPECT_TRUE(testing_support::PumpUntil([&] { return terminal.Frame() == nullptr; }));
    terminal.Shutdown();
}

/// The first window of type T at or below `window`, depth first.
template <class T>
T* FindBelow(wxWindow* window)
{
    if (T* found = wxDynamicCast(window, T))
        return found;
    for (wxWindow* child : window->GetChildren())
        if (T* found = FindBelow<T>(child))
            return found;
    return nullptr;
}

/// Posts the menu command `id` to `window` and lets it take effect.
inline void PostTo(wxWindow* window, int id)
{
    wxPostEvent(window, wxCommandEvent(wxEVT_MENU, id));
    testing_support::Flush(5);
}

/// Where the docked `container` is docked: wxAUI_DOCK_CENTER, _BOTTOM...
inline int DockOf(wxWindow* container)
{
    return wxAuiManager::GetManager(container)->GetPane(container).dock_direction;
}

/// A started terminal program and the file its output goes to.
struct Program
{
    pid_t pid = -1;
    std::filesystem::path output;

    /// Its exit code once it ends, or -1 when a signal ended it; a program
    /// still running after `seconds` is killed and -2 returned: it waits for
    /// an answer nobody gives.
    int WaitAtMost(int seconds) const
    {
        for (int tenths = 0; tenths < seconds * 10; ++tenths)
        {
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid)
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            ::usleep(100 * 1000);
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return -2;
    }
    std::string Output() const { return ReadBytes(output); }
};

using testing_support::FileSizeLimit;

/// Starts the real terminal program from the runtime folder; with a
/// `fileSizeLimit`, no file it writes may grow past that many bytes.
inline Program StartProgram(const std::string& arguments, const std::filesystem::path& output,
                            rlim_t fileSizeLimit = 0)
{
    Program program{-1, output};
    const std::string command = "exec ./tickerdeck-terminal " + arguments + " >" + output.string() + " 2>&1";
    program.pid = ::fork();
    if (program.pid == 0)
    {
        if (fileSizeLimit > 0)
        {
            ::signal(SIGXFSZ, SIG_IGN); // kept across exec: a write fails instead
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return program;
}

}  // namespace terminal_test
