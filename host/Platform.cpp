#include <wx/string.h>
#include <wx/utils.h>

#include "Platform.h"

void PreferToolkitStyle(bool dark)
{
#ifdef __WXGTK__
    // GTK reads its theme variant once, at start; a user's own choice wins.
    wxString current;
    if (wxGetEnv("GTK_THEME", &current) && !current.empty())
        return;
    wxSetEnv("GTK_THEME", dark ? "Adwaita:dark" : "Adwaita");
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
