#include "UnreadableFiles.h"

#include <filesystem>
#include <system_error>

#include <spdlog/spdlog.h>
#include <wx/intl.h>

#include "UserFiles.h"
#include "layout/DurableFile.h"

namespace {

/// Empty when `path` is missing or reads fine, else the reader's complaint.
std::string ProblemWith(const std::string& path, bool isLayout)
{
    // A link to nowhere is a file yet to be made, as a missing one is.
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::u8path(path), error) && !error)
        return std::string();
    try
    {
        // Parsed and passed over, with the bound of the reader that follows:
        // a tree of a store near the size cap took gigabytes.
        layout::ScanXmlDocument(path, "application", [](const layout::XmlElement&) {},
                                isLayout ? layout::kMaxTreeItems : layout::kMaxScannedItems);
        return std::string();
    }
    catch (const layout::UnreadableFile& error)
    {
        return error.what();
    }
}

wxString Told(bool isLayout, const wxString& why, const std::string& aside)
{
    if (aside.empty())
        return wxString::Format(isLayout ? _("The layout cannot be read (%s). It is left as it is, and this run's "
                                             "layout will not be saved over it.")
                                         : _("The watchlist store cannot be read (%s). It is left as it is, and "
                                             "changes to watchlists cannot be saved."),
                                why);
    return wxString::Format(isLayout ? _("The layout could not be read (%s). It was kept as %s; the default "
                                         "layout was opened and will be saved.")
                                     : _("The watchlist store could not be read (%s). It was kept as %s; the "
                                         "default watchlists were opened and will be saved."),
                            why, wxString::FromUTF8(aside));
}

}  // namespace

std::vector<wxString> SetAsideUnreadableFiles(const UserFiles& files, spdlog::logger& logger)
{
    std::vector<wxString> notices;
    for (const bool isLayout : {true, false})
    {
        const std::string path = isLayout ? files.LayoutPath() : files.StorePath();
        const std::string problem = ProblemWith(path, isLayout);
        if (problem.empty())
            continue;
        const std::string aside = layout::SetAsideUnreadable(path);
        if (aside.empty())
            logger.warn("cannot read {}; it is left as it is", problem);
        else
            logger.warn("cannot read {}; kept it as {}", problem, aside);
        notices.push_back(Told(isLayout, wxString::FromUTF8(problem), aside));
    }
    return notices;
}
