#include "UserFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include "LogCapture.h"
#include "files/DurableFile.h"

namespace {

std::string InFolder(const std::string& folder, const char* file)
{
    return std::string(wxFileName(wxString::FromUTF8(folder), file).GetFullPath().utf8_str());
}

// Copies only when nothing is there (a link to nowhere gets its file made);
// an empty result means success.
std::string SeedOne(const std::string& shipped, const std::string& target)
{
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::u8path(target), error) || error)
        return std::string();
    const wxString shippedPath = wxString::FromUTF8(shipped);
    std::ifstream file(std::filesystem::u8path(shipped), std::ios::binary);
    if (!file)
        return std::string(wxString::Format(_("shipped default %s is missing"), shippedPath).utf8_str());
    const std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    LogCapture capture;
    wxFileName::Mkdir(wxFileName(wxString::FromUTF8(target)).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    try
    {
        files::ReplaceFileContents(target, contents);
    }
    catch (const std::exception& problem)
    {
        return std::string(wxString::Format(_("cannot copy %s to %s: %s"), shippedPath, wxString::FromUTF8(target),
                                            wxString::FromUTF8(problem.what()))
                               .utf8_str());
    }
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

std::string UserFiles::SettingsPath() const
{
    return InFolder(m_configDir, "terminal.xml");
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
