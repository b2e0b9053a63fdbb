#pragma once
// One terminal per config folder: two would each save their own boards and
// watchlists over the other's at exit.

#include <stdexcept>
#include <string>

/// A config folder that cannot be used; the message names it and says why.
class ConfigFolderError : public std::runtime_error
{
public:
    ConfigFolderError(const std::string& message, int exitCode)
        : std::runtime_error(message), m_exitCode(exitCode) {}
    int ExitCode() const { return m_exitCode; }

private:
    int m_exitCode;
};

/// Holds "<folder>/terminal.lock" locked for the life of the object. The
/// file names the owner's process id for the message a second terminal
/// gets; the system drops the lock when its process ends, however it ends,
/// so a lock left by a killed terminal is simply taken over.
class ConfigLock
{
public:
    /// Throws ConfigFolderError when another process holds the folder.
    explicit ConfigLock(const std::string& folder);
    ~ConfigLock();
    ConfigLock(const ConfigLock&) = delete;
    ConfigLock& operator=(const ConfigLock&) = delete;

    static std::string LockPath(const std::string& folder);

private:
    int m_descriptor = -1;
};
