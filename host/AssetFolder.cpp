#include "AssetFolder.h"

#include <wx/filename.h>

bool IsAssetFolder(const std::string& folder)
{
    const wxString base = wxString::FromUTF8(folder);
    return wxFileName::DirExists(wxFileName(base, "").GetPathWithSep() + "icon") &&
           wxFileName::DirExists(wxFileName(base, "").GetPathWithSep() + "sound");
}

std::optional<std::string> FindAssetFolder(const std::string& executableFolder,
                                           const std::string& currentFolder)
{
    if (!executableFolder.empty())
    {
        wxFileName folder = wxFileName::DirName(wxString::FromUTF8(executableFolder));
        folder.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
        while (true)
        {
            // An installed tree keeps the assets in share/tickerdeck beside bin/.
            for (const wxString& candidate :
                 {folder.GetPath(),
                  wxFileName(folder.GetPathWithSep() + "share", "tickerdeck").GetFullPath()})
                if (IsAssetFolder(std::string(candidate.utf8_str())))
                    return std::string(candidate.utf8_str());
            if (folder.GetDirCount() == 0)
                break;
            folder.RemoveLastDir();
        }
    }
    if (!currentFolder.empty() && IsAssetFolder(currentFolder))
        return currentFolder;
    return std::nullopt;
}
