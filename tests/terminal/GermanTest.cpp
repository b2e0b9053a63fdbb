// The plug-in adds the board's German catalogue to the host's translations
// instead of installing its own, so the host keeps speaking German.

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/translation.h>

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;

TEST(German, ThePluginAddsItsCatalogueToTheHostsTranslationsAndTheMenusSpeakIt)
{
    // The language is chosen here, so no German locale need be installed.
    auto* translations = new wxTranslations;
    translations->SetLanguage(wxLANGUAGE_GERMAN);
    wxTranslations::Set(translations);
    {
        TempFolder folder;
        Terminal terminal(QuietOptions(folder));
        terminal.Start();
        EXPECT_EQ(translations, wxTranslations::Get()) << "the plug-in keeps the host's translations";
        EXPECT_EQ("&Datei", terminal.Frame()->GetMenuBar()->GetMenuLabel(0));
        CloseAndShutdown(terminal);
    }
    wxTranslations::Set(nullptr);
}

}  // namespace
