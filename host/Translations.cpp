#include "Translations.h"

#include <clocale>

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

namespace {

constexpr const char* kDomain = "tickerdeck";

void AddCatalogueFolders(const wxString& executableFolder)
{
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(
        wxFileName(executableFolder, "").GetPathWithSep() + "locale");
    wxFileName installed = wxFileName::DirName(executableFolder);
    installed.RemoveLastDir();
    installed.AppendDir("share");
    installed.AppendDir("locale");
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(installed.GetPath());
}

}  // namespace

bool UseUserLanguage(const wxString& executableFolder)
{
    // The C library's locale decides numbers and dates; a locale that is not
    // installed fails here quietly, where wxLocale would raise a box.
    const bool localeSet = std::setlocale(LC_ALL, "") != nullptr;
    wxUILocale::UseDefault();

    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    // German texts with English numbers would read as a broken install.
    if (!localeSet)
        translations->SetLanguage(wxLANGUAGE_ENGLISH_US);
    AddCatalogueFolders(executableFolder);
    // Missing catalogues are normal (English, or no toolkit translations).
    wxLogNull quiet;
    translations->AddStdCatalog();
    translations->AddCatalog(kDomain);
    return localeSet;
}
