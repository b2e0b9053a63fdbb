// The library's only exported symbol; everything else stays hidden.

#include <dlfcn.h>

#include <memory>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/translation.h>

#include "plugin/Application.h"

namespace {

// The module's own folder: plugins/ in a build tree, lib/tickerdeck/plugins
// in an installed one, wherever either lives.
wxString ModuleFolder()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) || !info.dli_fname)
        return wxString();
    wxFileName module(wxString::FromUTF8(info.dli_fname));
    module.MakeAbsolute();
    return module.GetPath();
}

// Adds the board's catalogue to the host's translations in the host's
// language; a host without translations keeps the board English.
void AddBoardCatalogue()
{
    wxTranslations* translations = wxTranslations::Get();
    const wxString folder = ModuleFolder();
    if (!translations || folder.empty())
        return;
    wxFileName built = wxFileName::DirName(folder);
    built.RemoveLastDir();
    built.AppendDir("locale");
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(built.GetPath());
    wxFileName installed = wxFileName::DirName(folder);
    for (int up = 0; up < 3; ++up)
        installed.RemoveLastDir();
    installed.AppendDir("share");
    installed.AppendDir("locale");
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(installed.GetPath());
    wxLogNull quiet;  // no catalogue for the host's language: English
    translations->AddCatalog("tickerdeck");
}

}  // namespace

extern "C" __attribute__((visibility("default"))) Widget* loadWidget(
    Host* host, std::shared_ptr<spdlog::logger> logger)
{
    AddBoardCatalogue();
    return CreateApplication(host, std::move(logger));
}
