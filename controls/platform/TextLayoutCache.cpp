// On GTK 3 a graphics context draws each text through a pango context and a
// layout made for that one call. Here layouts live on, one set per font, on a
// pango context of our own that follows the paint's cairo context; pango lays
// them out again when the drawing's scale or the surface's font options change.

#include "TextLayoutCache.h"

#include "FontSlots.h"

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/graphics.h>

#ifdef __WXGTK3__
#include <pango/pangocairo.h>
#include <wx/fontutil.h>

namespace {

struct LayoutRelease
{
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutRelease>;

}  // namespace

struct TextLayoutCache::Layouts
{
    ~Layouts()
    {
        // Layouts hold the context: let them go first.
        fonts = FontSlots<LayoutPtr>();
        if (context)
            g_object_unref(context);
        cairo_font_options_destroy(surfaceOptions);
        cairo_font_options_destroy(lastOptions);
    }

    /// Makes the context lay texts out for `cairo`. Pango counts every
    /// update as a change, which would lay each kept text out again, so the
    /// context is updated only when what it takes from `cairo` differs.
    void Follow(cairo_t* cairo)
    {
        cairo_matrix_t matrix;
        cairo_get_matrix(cairo, &matrix);
        cairo_surface_get_font_options(cairo_get_target(cairo), surfaceOptions);
        const bool same = context && matrix.xx == lastMatrix.xx && matrix.xy == lastMatrix.xy &&
                          matrix.yx == lastMatrix.yx && matrix.yy == lastMatrix.yy &&
                          cairo_font_options_equal(surfaceOptions, lastOptions);
        if (same)
            return;
        if (!context)
            context = pango_cairo_create_context(cairo);
        else
            pango_cairo_update_context(cairo, context);
        lastMatrix = matrix;
        cairo_font_options_destroy(lastOptions);
        lastOptions = cairo_font_options_copy(surfaceOptions);
    }

    PangoContext* context = nullptr;
    FontSlots<LayoutPtr> fonts;
    cairo_matrix_t lastMatrix{};
    cairo_font_options_t* surfaceOptions = cairo_font_options_create();
    cairo_font_options_t* lastOptions = cairo_font_options_create();
};

bool TextLayoutCache::Draw(wxDC& dc, const wxString& text, int x, int y)
{
    wxGraphicsContext* graphics = dc.GetGraphicsContext();
    cairo_t* cairo = graphics ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
    const wxFont& font = dc.GetFont();
    if (!cairo || !font.IsOk() || font.GetUnderlined() || font.GetStrikethrough() ||
        dc.GetBackgroundMode() != wxBRUSHSTYLE_TRANSPARENT)
        return false;
    m_layouts->Follow(cairo);

    auto& layouts = m_layouts->fonts.Of(font);
    auto found = layouts.find(text);
    if (found == layouts.end())
    {
        if (layouts.size() >= kCapacity)
            layouts.clear();
        LayoutPtr layout(pango_layout_new(m_layouts->context));
        pango_layout_set_font_description(layout.get(), font.GetNativeFontInfo()->description);
        const wxScopedCharBuffer utf8 = text.utf8_str();
        pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.length()));
        found = layouts.emplace(text, std::move(layout)).first;
    }
    const wxColour& colour = dc.GetTextForeground();
    cairo_save(cairo);
    cairo_set_source_rgba(cairo, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0,
                          colour.Alpha() / 255.0);
    cairo_move_to(cairo, x, y);
    pango_cairo_show_layout(cairo, found->second.get());
    cairo_restore(cairo);
    return true;
}

size_t TextLayoutCache::Size() const
{
    return m_layouts->fonts.Size();
}

#else

struct TextLayoutCache::Layouts
{
};

bool TextLayoutCache::Draw(wxDC&, const wxString&, int, int)
{
    return false;
}

size_t TextLayoutCache::Size() const
{
    return 0;
}

#endif

TextLayoutCache::TextLayoutCache() : m_layouts(std::make_unique<Layouts>()) {}

TextLayoutCache::~TextLayoutCache() = default;

TextLayoutCache& TextLayoutCache::Shared()
{
    static TextLayoutCache cache;
    return cache;
}
