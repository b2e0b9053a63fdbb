#pragma once
// Shared pieces of the terminal tests: the options of a quiet whole
// terminal, closing it as the user does, and starting the real program.

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "MainFrame.h"
#include "Terminal.h"
#include "support/EventLoop.h"
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

/// A started terminal program and the file its output goes to.
struct Program
{
    pid_t pid = -1;
    std::filesystem::path output;

    /// Its exit code once it ends, or -1 when a signal ended it.
    int Wait() const
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Output() const { return ReadBytes(output); }
};

/// Starts the real terminal program from the runtime folder.
inline Program StartProgram(const std::string& arguments, const std::filesystem::path& output)
{
    Program program{-1, output};
    const std::string command = "exec ./tickerdeck-terminal " + arguments + " >" + output.string() + " 2>&1";
    program.pid = ::fork();
    if (program.pid == 0)
    {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return program;
}

}  // namespace terminal_test
