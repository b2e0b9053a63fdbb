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
            const std::string candidate(folder.GetPath().utf8_str());
            if (IsAssetFolder(candidate))
                return candidate;
            if (folder.GetDirCount() == 0)
                break;
            folder.RemoveLastDir();
        }
    }
    if (!currentFolder.empty() && IsAssetFolder(currentFolder))
        return currentFolder;
    return std::nullopt;
}
