#include "ConfigLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <wx/filename.h>
#include <wx/intl.h>

#include "CommandLine.h"

namespace {

std::string OwnerOf(int descriptor)
{
    char text[32] = {};
    const ssize_t size = ::pread(descriptor, text, sizeof text - 1, 0);
    std::string owner(text, size > 0 ? static_cast<size_t>(size) : 0);
    owner.erase(owner.find_last_not_of(" \n") + 1);
    return owner;
}

}  // namespace

std::string ConfigLock::LockPath(const std::string& folder)
{
    return std::string(wxFileName(wxString::FromUTF8(folder), "terminal.lock").GetFullPath().utf8_str());
}

ConfigLock::ConfigLock(const std::string& folder)
{
    const std::string path = LockPath(folder);
    m_descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_descriptor < 0)
        throw ConfigFolderError(std::string(wxString::Format(_("cannot lock the config folder %s: %s"),
                                                             wxString::FromUTF8(folder),
                                                             wxString::FromUTF8(std::strerror(errno)))
                                                .utf8_str()),
                                exit_code::kConfigFolderUnusable);
    if (::flock(m_descriptor, LOCK_EX | LOCK_NB) != 0)
    {
        const std::string owner = OwnerOf(m_descriptor);
        ::close(m_descriptor);
        m_descriptor = -1;
        throw ConfigFolderError(
            std::string(wxString::Format(_("the config folder %s is in use by another terminal (process %s). "
                                           "Quit that one, or start this one with --config-dir=FOLDER."),
                                         wxString::FromUTF8(folder), wxString::FromUTF8(owner.empty() ? "?" : owner))
                            .utf8_str()),
            exit_code::kConfigFolderInUse);
    }
    // A lock without the process id holds all the same; only a second
    // terminal's message then lacks the owner.
    const std::string pid = std::to_string(::getpid()) + "\n";
    const bool named = ::ftruncate(m_descriptor, 0) == 0 && ::pwrite(m_descriptor, pid.data(), pid.size(), 0) > 0;
    static_cast<void>(named);
}

ConfigLock::~ConfigLock()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}
