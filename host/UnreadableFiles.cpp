#include "UnreadableFiles.h"

#include <filesystem>
#include <system_error>

#include <spdlog/spdlog.h>
#include <wx/intl.h>

#include "UserFiles.h"
#include "files/DurableFile.h"

namespace {

/// The user's files the terminal reads at start, each with its root element.
enum class UserFile
{
    Layout,
    Store,
    Settings
};

const char* RootOf(UserFile file)
{
    return file == UserFile::Settings ? "terminal" : "application";
}

/// Empty when `path` is missing or reads fine, else the reader's complaint.
std::string ProblemWith(const std::string& path, UserFile file)
{
    // A link to nowhere is a file yet to be made, as a missing one is.
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::u8path(path), error) && !error)
        return std::string();
    try
    {
        // Parsed and passed over, with the bound of the reader that follows:
        // a tree of a store near the size cap took gigabytes.
        files::ScanXmlDocument(path, RootOf(file), [](const files::XmlElement&) {},
                                file == UserFile::Store ? files::kMaxScannedItems : files::kMaxTreeItems);
        return std::string();
    }
    catch (const files::UnreadableFile& error)
    {
        return error.what();
    }
}

wxString Told(UserFile file, const wxString& why, const std::string& aside)
{
    if (aside.empty())
        switch (file)
        {
        case UserFile::Layout:
            return wxString::Format(_("The layout cannot be read (%s). It is left as it is, and this run's "
                                      "layout will not be saved over it."),
                                    why);
        case UserFile::Store:
            return wxString::Format(_("The watchlist store cannot be read (%s). It is left as it is, and "
                                      "changes to watchlists cannot be saved."),
                                    why);
        case UserFile::Settings:
            return wxString::Format(_("The terminal's settings cannot be read (%s). They are left as they are, "
                                      "and a theme chosen in this run will not be kept."),
                                    why);
        }
    switch (file)
    {
    case UserFile::Layout:
        return wxString::Format(_("The layout could not be read (%s). It was kept as %s; the default "
                                  "layout was opened and will be saved."),
                                why, wxString::FromUTF8(aside));
    case UserFile::Store:
        return wxString::Format(_("The watchlist store could not be read (%s). It was kept as %s; the "
                                  "default watchlists were opened and will be saved."),
                                why, wxString::FromUTF8(aside));
    case UserFile::Settings:
        break;
    }
    return wxString::Format(_("The terminal's settings could not be read (%s). They were kept as %s; the "
                              "default theme was chosen."),
                            why, wxString::FromUTF8(aside));
}

std::string PathOf(const UserFiles& files, UserFile file)
{
    switch (file)
    {
    case UserFile::Layout:
        return files.LayoutPath();
    case UserFile::Store:
        return files.StorePath();
    case UserFile::Settings:
        break;
    }
    return files.SettingsPath();
}

}  // namespace

std::vector<wxString> SetAsideUnreadableFiles(const UserFiles& files, spdlog::logger& logger)
{
    std::vector<wxString> notices;
    for (const UserFile file : {UserFile::Layout, UserFile::Store, UserFile::Settings})
    {
        const std::string path = PathOf(files, file);
        const std::string problem = ProblemWith(path, file);
        if (problem.empty())
            continue;
        const std::string aside = files::SetAsideUnreadable(path);
        if (aside.empty())
            logger.warn("cannot read {}; it is left as it is", problem);
        else
            logger.warn("cannot read {}; kept it as {}", problem, aside);
        notices.push_back(Told(file, wxString::FromUTF8(problem), aside));
    }
    return notices;
}
