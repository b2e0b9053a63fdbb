#include "ResourcePanels.h"

#include <spdlog/spdlog.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

namespace {

wxString FullPath(const std::string& file)
{
    wxFileName name(wxString::FromUTF8(file));
    name.MakeAbsolute();
    return name.GetFullPath();
}

}  // namespace

bool LoadResourcePanels(const std::string& file, const std::shared_ptr<spdlog::logger>& logger)
{
    wxXmlResource* resources = wxXmlResource::Get();
    static bool handlersAdded = false;
    if (!handlersAdded)
    {
        resources->InitAllHandlers();
        handlersAdded = true;
    }

    const wxString path = FullPath(file);
    if (!wxFileName::FileExists(path))
    {
        if (logger)
            logger->error("resource panels {} not found: plug-ins will show their flag dialogs empty", file);
        return false;
    }
    // A file loaded twice would answer every lookup from its first copy.
    resources->Unload(path);
    bool loaded = false;
    {
        // The toolkit reports a damaged file in a message box; the log is the place for it.
        wxLogNull quiet;
        loaded = resources->Load(path);
    }
    if (logger)
    {
        if (loaded)
            logger->info("resource panels loaded from {}", file);
        else
            logger->error("resource panels {} could not be read", file);
    }
    return loaded;
}

void UnloadResourcePanels(const std::string& file)
{
    wxXmlResource::Get()->Unload(FullPath(file));
}
