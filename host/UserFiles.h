#pragma once
// Where the user's layout and watchlist store live, and their first-run copies
// of the shipped defaults.

#include <string>

/// The user's files in the config folder, seeded from the shipped defaults.
class UserFiles
{
public:
    /// Empty overrides mean "<configDir>/layout.xml" and "<configDir>/watchlists.xml".
    UserFiles(std::string configDir, std::string layoutOverride, std::string storeOverride);

    const std::string& ConfigDir() const { return m_configDir; }
    const std::string& LayoutPath() const { return m_layoutPath; }
    const std::string& StorePath() const { return m_storePath; }
    std::string LogPath() const;
    /// The terminal's own settings (its theme), apart from the plug-ins' layout.
    std::string SettingsPath() const;

    /// Creates the config folder when it is missing. Returns why it cannot
    /// be used (it names a file, or cannot be made), empty when it can.
    std::string MakeFolder() const;

    /// Creates the config folder and copies each shipped default whose user
    /// copy does not exist yet. An existing user file is never overwritten.
    /// Returns an explanation of what failed, empty on success.
    std::string Seed(const std::string& shippedLayout, const std::string& shippedStore) const;

private:
    std::string m_configDir;
    std::string m_layoutPath;
    std::string m_storePath;
};
