#pragma once
// Shared pieces of the terminal tests: the options of a quiet whole
// terminal, closing it as the user does, and a log sink.

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <spdlog/sinks/base_sink.h>
#include <spdlog/spdlog.h>

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

/// Collects log lines so tests can check what was reported.
class MemorySink : public spdlog::sinks::base_sink<std::mutex>
{
public:
    std::vector<std::string> lines;

    bool Contains(const std::string& text) const
    {
        for (const std::string& line : lines)
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }

protected:
    void sink_it_(const spdlog::details::log_msg& message) override
    {
        lines.emplace_back(message.payload.begin(), message.payload.end());
    }
    void flush_() override {}
};

inline std::shared_ptr<spdlog::logger> MakeMemoryLogger(std::shared_ptr<MemorySink>& sink)
{
    sink = std::make_shared<MemorySink>();
    return std::make_shared<spdlog::logger>("test", sink);
}

}  // namespace terminal_test
