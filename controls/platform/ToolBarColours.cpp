// The only place where the controls reach below the toolkit: on GTK the
// native toolbar is restyled through a CSS provider of its own.

#include "ToolBarColours.h"

#include <wx/toolbar.h>

#ifdef __WXGTK3__
#include <gtk/gtk.h>
#endif

namespace {

#ifdef __WXGTK3__
// One provider per toolbar, kept alive by the widget itself.
constexpr const char* kProviderKey = "tickerdeck-toolbar-css";

void StyleGtkToolbar(GtkWidget* widget, const wxColour& background)
{
    GtkStyleContext* context = gtk_widget_get_style_context(widget);
    if (auto* old = static_cast<GtkStyleProvider*>(g_object_get_data(G_OBJECT(widget), kProviderKey)))
        gtk_style_context_remove_provider(context, old);

    const wxString colour = background.GetAsString(wxC2S_HTML_SYNTAX);
    const wxString css = wxString::Format(
        "toolbar { background-image: none; background-color: %s; border-color: %s; box-shadow: none; }",
        colour, colour);
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.utf8_str(), -1, nullptr);
    gtk_style_context_add_provider(context, GTK_STYLE_PROVIDER(provider), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    // Replacing the data releases the earlier provider: one rule in force.
    g_object_set_data_full(G_OBJECT(widget), kProviderKey, provider, g_object_unref);
    gtk_widget_queue_draw(widget);
}
#endif

}  // namespace

void ApplyToolBarBackground(wxToolBar* toolbar, const wxColour& background)
{
    if (!toolbar || !background.IsOk())
        return;
    toolbar->SetBackgroundColour(background);
#ifdef __WXGTK3__
    StyleGtkToolbar(GTK_WIDGET(toolbar->GTKGetToolbar()), background);
#endif
    toolbar->Refresh();
}
