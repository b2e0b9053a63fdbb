#pragma once
// The module-wide logger handed over by the host.

#include <exception>
#include <memory>
#include <string>

namespace spdlog { class logger; }

/// The one logger of this library; empty until the host hands one over.
std::shared_ptr<spdlog::logger>& ModuleLogger();

/// Writes "[Tickerdeck] " + message as one error line, for the log only:
/// what the user must read goes through TellUser (kit/UserNotice).
void LogError(const std::string& message);

/// Writes "[Tickerdeck] " + message as one information line: what the user
/// was told of an outcome that is no failure.
void LogInfo(const std::string& message);

/// Writes "[Tickerdeck] " + context + e.what() as one critical line.
/// Silent when there is no logger or its level filters critical lines out.
void LogException(const char* context, const std::exception& e);
