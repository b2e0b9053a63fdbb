#pragma once
// The terminal's logger, shared with every plug-in it loads.

#include <memory>
#include <string>

namespace spdlog { class logger; }

namespace spdlog::sinks { class sink; }

/// A logger named "terminal" writing to stderr and, when `logFile` is not
/// empty and can be opened, to that file as well; and to `extra`, if given.
std::shared_ptr<spdlog::logger> MakeTerminalLogger(const std::string& logFile,
                                                   std::shared_ptr<spdlog::sinks::sink> extra = nullptr);
