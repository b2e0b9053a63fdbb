#include "UserFiles.h"

#include <utility>

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include "LogCapture.h"

namespace {

std::string InFolder(const std::string& folder, const char* file)
{
    return std::string(wxFileName(wxString::FromUTF8(folder), file).GetFullPath().utf8_str());
}

// Copies only when the target is missing; an empty result means success.
std::string SeedOne(const std::string& shipped, const std::string& target)
{
    const wxString targetPath = wxString::FromUTF8(target);
    if (wxFileExists(targetPath))
        return std::string();
    const wxString shippedPath = wxString::FromUTF8(shipped);
    if (!wxFileExists(shippedPath))
        return std::string(wxString::Format(_("shipped default %s is missing"), shippedPath).utf8_str());
    LogCapture capture;
    wxFileName::Mkdir(wxFileName(targetPath).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    if (!wxCopyFile(shippedPath, targetPath, false))
        return std::string(wxString::Format(_("cannot copy %s to %s: %s"), shippedPath, targetPath,
                                            capture.Text()).utf8_str());
    return std::string();
}

}  // namespace

UserFiles::UserFiles(std::string configDir, std::string layoutOverride, std::string storeOverride)
    : m_configDir(std::move(configDir)),
      m_layoutPath(layoutOverride.empty() ? InFolder(m_configDir, "layout.xml") : std::move(layoutOverride)),
      m_storePath(storeOverride.empty() ? InFolder(m_configDir, "watchlists.xml") : std::move(storeOverride))
{
}

std::string UserFiles::LogPath() const
{
    return InFolder(m_configDir, "terminal.log");
}

std::string UserFiles::MakeFolder() const
{
    const wxString folder = wxString::FromUTF8(m_configDir);
    if (wxFileName::DirExists(folder))
        return std::string();
    if (wxFileName::Exists(folder))
        return std::string(wxString::Format(_("the config folder %s is a file, not a folder"), folder).utf8_str());
    // The toolkit would show its failure in a modal box of its own.
    LogCapture capture;
    if (!wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        return std::string(wxString::Format(_("cannot create the config folder %s: %s"), folder, capture.Text())
                               .utf8_str());
    return std::string();
}

std::string UserFiles::Seed(const std::string& shippedLayout, const std::string& shippedStore) const
{
    std::string problem = MakeFolder();
    if (!problem.empty())
        return problem;
    problem = SeedOne(shippedLayout, m_layoutPath);
    const std::string storeProblem = SeedOne(shippedStore, m_storePath);
    if (!storeProblem.empty())
        problem += (problem.empty() ? "" : "; ") + storeProblem;
    return problem;
}
