#pragma once
// The user's layout, store and terminal settings as found at start: one that cannot be read is
// moved aside, whole, so that the run starts from the shipped defaults and
// saves normally instead of silently dropping everything done in it.

#include <string>
#include <vector>

#include <wx/string.h>

class UserFiles;
namespace spdlog { class logger; }

/// Sets every user file that exists but cannot be read aside beside itself
/// (never deleting it) and returns what to tell the user about each: where
/// it went, or that it stays (a folder in its place) and will not be saved over.
std::vector<wxString> SetAsideUnreadableFiles(const UserFiles& files, spdlog::logger& logger);
