#include "export/DesktopFiles.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include <wx/filename.h>
#include <wx/mimetype.h>
#include <wx/utils.h>

namespace desktop {

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder()
{
    const std::string home = Environment("HOME");
    return home.empty() ? std::string(wxGetHomeDir().utf8_str()) : home;
}

std::string UserDirsFile()
{
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty())
        config = HomeFolder() + "/.config";
    return config + "/user-dirs.dirs";
}

}  // namespace

std::string DocumentsFolderIn(const std::string& userDirs, const std::string& home)
{
    std::istringstream lines(userDirs);
    const std::string key = "XDG_DOCUMENTS_DIR=";
    std::string found;
    for (std::string line; std::getline(lines, line);)
    {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0)
            continue;
        std::string value = line.substr(start + key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0)
            value = home + value.substr(5);
        // The file's own rule: only absolute paths or ones under $HOME count.
        if (!value.empty() && value.front() == '/')
            found = value;
    }
    return found;
}

std::string DocumentsFolder()
{
    const std::string fromEnvironment = Environment("XDG_DOCUMENTS_DIR");
    if (!fromEnvironment.empty())
        return fromEnvironment;
    std::ifstream file(UserDirsFile());
    std::ostringstream text;
    text << file.rdbuf();
    const std::string fromFile = DocumentsFolderIn(text.str(), HomeFolder());
    return fromFile.empty() ? HomeFolder() : fromFile;
}

OpenResult OpenWithDefaultApplication(const std::string& path)
{
    const wxString file = wxString::FromUTF8(path);
    std::unique_ptr<wxFileType> type(wxTheMimeTypesManager->GetFileTypeFromExtension(wxFileName(file).GetExt()));
    const wxString command = type ? type->GetOpenCommand(file) : wxString();
    if (command.empty())
        return OpenResult::NoApplication;
    if (wxLaunchDefaultApplication(file))
        return OpenResult::Opened;
    // Desktops without the usual opener helper: the registered command itself.
    return wxExecute(command, wxEXEC_ASYNC) > 0 ? OpenResult::Opened : OpenResult::Failed;
}

}  // namespace desktop
