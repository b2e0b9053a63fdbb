#pragma once
// The terminal's logger, shared with every plug-in it loads.

#include <memory>
#include <string>

namespace spdlog { class logger; }

/// A logger named "terminal" writing to stderr and, when `logFile` is not
/// empty and can be opened, to that file as well.
std::shared_ptr<spdlog::logger> MakeTerminalLogger(const std::string& logFile);
