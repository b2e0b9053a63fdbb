#pragma once
// Finds the folder the terminal runs in: icons and sounds are loaded by paths
// relative to the working directory, so it must be the one that holds them.

#include <optional>
#include <string>

/// True when `folder` holds both an icon/ and a sound/ folder.
bool IsAssetFolder(const std::string& folder);

/// The executable's folder or the nearest parent that holds the assets, or
/// its share/tickerdeck (an installed tree), else the current folder when it
/// holds them; nothing when none does.
std::optional<std::string> FindAssetFolder(const std::string& executableFolder,
                                           const std::string& currentFolder);
