#include <wx/string.h>
#include <wx/utils.h>

#include "Platform.h"

#ifdef __WXGTK3__
#include <gtk/gtk.h>
#endif

namespace {

// Whether the terminal chose the toolkit style; a user's own choice is left alone.
bool g_styleIsOurs = false;

const char* GtkThemeFor(bool dark)
{
    return dark ? "Adwaita:dark" : "Adwaita";
}

}  // namespace

void PreferToolkitStyle(bool dark)
{
#ifdef __WXGTK__
    wxString current;
    if (wxGetEnv("GTK_THEME", &current) && !current.empty())
        return;
    wxSetEnv("GTK_THEME", GtkThemeFor(dark));
    g_styleIsOurs = true;
#else
    (void)dark;
#endif
}

void SwitchToolkitStyle(bool dark)
{
#ifdef __WXGTK3__
    if (!g_styleIsOurs)
        return;
    wxSetEnv("GTK_THEME", GtkThemeFor(dark));
    // GTK reads the variable again whenever it reloads its theme, which a
    // change of the dark preference makes it do.
    if (GtkSettings* settings = gtk_settings_get_default())
        g_object_set(settings, "gtk-application-prefer-dark-theme", dark ? TRUE : FALSE, nullptr);
#else
    (void)dark;
#endif
}

bool ArgumentsAskForLightTheme(int argc, wxChar** argv)
{
    for (int i = 1; i < argc; ++i)
    {
        const wxString argument(argv[i]);
        if (argument == "--theme=light")
            return true;
        if (argument == "--theme" && i + 1 < argc && wxString(argv[i + 1]) == "light")
            return true;
    }
    return false;
}
