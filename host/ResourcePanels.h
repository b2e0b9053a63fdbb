#pragma once
// The XML resource panels the terminal offers its plug-ins (the instrument
// flag panels), loaded into the application-wide resources at start.

#include <memory>
#include <string>

namespace spdlog { class logger; }

/// Loads `file` into the application-wide XML resources once; false, with a
/// log line, when the file is missing or not a resource file.
bool LoadResourcePanels(const std::string& file, const std::shared_ptr<spdlog::logger>& logger);

/// Drops what LoadResourcePanels loaded from `file`.
void UnloadResourcePanels(const std::string& file);
