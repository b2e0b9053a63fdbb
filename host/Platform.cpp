#include <algorithm>
#include <cmath>

#include <csignal>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/modalhook.h>
#include <wx/string.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "Platform.h"

#ifdef __WXGTK3__
#include <glib-unix.h>
#include <gtk/gtk.h>
#endif

namespace {

// Whether the terminal chose the toolkit style; a user's own choice is left alone.
bool g_styleIsOurs = false;

const char* GtkThemeFor(bool dark)
{
    return dark ? "Adwaita:dark" : "Adwaita";
}

#ifdef __WXGTK3__
// Enough of the text colour to show as a line, little enough to stay a
// divider rather than a rule as loud as the labels.
constexpr double kSeparatorShare = 0.3;

unsigned char Mix(unsigned char from, unsigned char to, double share)
{
    return static_cast<unsigned char>(std::lround(from + (to - from) * share));
}

wxColour MenuSeparatorColour(const wxColour& background, const wxColour& text)
{
    return wxColour(Mix(background.Red(), text.Red(), kSeparatorShare),
                    Mix(background.Green(), text.Green(), kSeparatorShare),
                    Mix(background.Blue(), text.Blue(), kSeparatorShare));
}

GdkRGBA StyleColour(GtkWidget* widget, const char* property)
{
    GtkStyleContext* context = gtk_widget_get_style_context(widget);
    GdkRGBA* value = nullptr;
    gtk_style_context_get(context, gtk_style_context_get_state(context), property, &value, nullptr);
    GdkRGBA colour{0, 0, 0, 0};
    if (value)
    {
        colour = *value;
        gdk_rgba_free(value);
    }
    return colour;
}

unsigned char Channel(double value)
{
    return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

// `over` painted on the opaque `under`, as the screen shows it.
wxColour Composite(const GdkRGBA& over, const wxColour& under)
{
    const wxColour top(Channel(over.red), Channel(over.green), Channel(over.blue));
    return wxColour(Mix(under.Red(), top.Red(), over.alpha), Mix(under.Green(), top.Green(), over.alpha),
                    Mix(under.Blue(), top.Blue(), over.alpha));
}

// One provider for the whole screen: every menu of the process, the
// plug-ins' pop-ups included, is a GtkMenu.
GtkCssProvider* g_separatorProvider = nullptr;
#endif

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
    wxString current;
    // Already in force: reloading the theme would only cost time.
    if (!g_styleIsOurs || (wxGetEnv("GTK_THEME", &current) && current == GtkThemeFor(dark)))
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

MenuColours ToolkitMenuColours()
{
    MenuColours colours;
#ifdef __WXGTK3__
    GtkWidget* menu = gtk_menu_new();
    GtkWidget* separator = gtk_separator_menu_item_new();
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), separator);
    const wxColour opaque(0, 0, 0);
    colours.background = Composite(StyleColour(menu, "background-color"), opaque);
    colours.text = Composite(StyleColour(menu, "color"), colours.background);
    colours.separator = Composite(StyleColour(separator, "background-color"), colours.background);
    gtk_widget_destroy(menu);
#endif
    return colours;
}

void ShowMenuSeparators()
{
#ifdef __WXGTK3__
    GdkScreen* screen = gdk_screen_get_default();
    if (!screen)
        return;
    if (!g_separatorProvider)
    {
        g_separatorProvider = gtk_css_provider_new();
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(g_separatorProvider),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    // Read without our rule: it is the style's own colours the line must suit.
    gtk_css_provider_load_from_data(g_separatorProvider, "", -1, nullptr);
    const MenuColours colours = ToolkitMenuColours();
    const wxString css = wxString::Format(
        "menu separator, .menu separator, .context-menu separator { background: %s; }",
        MenuSeparatorColour(colours.background, colours.text).GetAsString(wxC2S_HTML_SYNTAX));
    gtk_css_provider_load_from_data(g_separatorProvider, css.utf8_str(), -1, nullptr);
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

bool CloseMenusAndModalDialogs()
{
    bool closed = false;
    // The toolkit's own modal dialogs run a loop of their own.
    for (wxWindow* window : wxTopLevelWindows)
    {
        auto* dialog = wxDynamicCast(window, wxDialog);
        if (dialog && dialog->IsModal())
        {
            dialog->EndModal(wxID_CANCEL);
            closed = true;
        }
    }
#ifdef __WXGTK3__
    // Native message boxes run GTK's dialog loop and a pop-up menu waits
    // for its GTK menu to hide; neither is known to the toolkit's list.
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item; item = item->next)
    {
        GtkWidget* window = GTK_WIDGET(item->data);
        if (!gtk_widget_get_mapped(window))
            continue;
        GtkWidget* child = GTK_IS_BIN(window) ? gtk_bin_get_child(GTK_BIN(window)) : nullptr;
        if (child && GTK_IS_MENU(child))
        {
            gtk_menu_shell_cancel(GTK_MENU_SHELL(child));
            closed = true;
        }
        else if (GTK_IS_DIALOG(window) && gtk_window_get_modal(GTK_WINDOW(window)))
        {
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_DELETE_EVENT);
            closed = true;
        }
    }
    g_list_free(toplevels);
#endif
    return closed;
}

namespace
{

/// Counts the modal dialogs whose ShowModal is on the stack, the toolkit's
/// native message boxes too: GTK runs those in a loop of its own that the
/// toolkit's list of loops does not show.
class ModalDialogCount : public wxModalDialogHook
{
public:
    int open = 0;

protected:
    int Enter(wxDialog*) override
    {
        ++open;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { --open; }
};

ModalDialogCount& ModalDialogs()
{
    static ModalDialogCount count;
    return count;
}

} // namespace

void TrackModalDialogs()
{
    static bool registered = false;
    if (!registered)
        ModalDialogs().Register();
    registered = true;
}

bool InsideNestedEventLoop()
{
    const wxEventLoopBase* active = wxEventLoopBase::GetActive();
    return ModalDialogs().open > 0 || (active && (!active->IsMain() || active->IsYielding()));
}

namespace
{

std::function<void()>& SignalQuit()
{
    static std::function<void()> quit;
    return quit;
}

} // namespace

void QuitOnTerminationSignals(std::function<void()> quit)
{
#ifdef __WXGTK3__
    static bool installed = false;
    if (!installed && quit)
    {
        installed = true;
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            g_unix_signal_add(
                signal,
                [](gpointer) -> gboolean
                {
                    // Run as the toolkit's own event, as a menu command would be.
                    if (SignalQuit() && wxTheApp)
                        wxTheApp->CallAfter(
                            []
                            {
                                if (SignalQuit())
                                    SignalQuit()();
                            });
                    return G_SOURCE_CONTINUE;
                },
                nullptr);
    }
#endif
    SignalQuit() = std::move(quit);
}
