// On GTK 3 a graphics context draws each text through a pango context and a
// layout made for that one call. Here texts are shaped once, one set per
// font, on a pango context of our own that follows the paint's cairo context;
// they are shaped again when the drawing's scale or the surface's font
// options change.

#include "TextLayoutCache.h"

#include "FontSlots.h"

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/graphics.h>

#ifdef __WXGTK3__
#include <pango/pangocairo.h>
#include <wx/fontutil.h>

#include <utility>

namespace {

struct LayoutRelease
{
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutRelease>;

/// A text shaped once. Nearly every cell text comes out as one run of
/// glyphs in one font, kept as just that: a whole layout costs more than
/// twice the memory. A text in several runs (scripts or fonts mixed)
/// keeps its layout.
class ShapedText
{
public:
    explicit ShapedText(LayoutPtr layout)
    {
        PangoLayoutLine* line = pango_layout_get_line_readonly(layout.get(), 0);
        const auto* run = line && line->runs && !line->runs->next && pango_layout_get_line_count(layout.get()) == 1
                              ? static_cast<const PangoGlyphItem*>(line->runs->data)
                              : nullptr;
        if (!run || run->y_offset != 0 || run->start_x_offset != 0)
        {
            m_layout = std::move(layout);
            return;
        }
        PangoRectangle logical;
        pango_layout_line_get_extents(line, nullptr, &logical);
        m_left = logical.x;
        m_baseline = pango_layout_get_baseline(layout.get());
        m_font = PANGO_FONT(g_object_ref(run->item->analysis.font));
        m_glyphs = pango_glyph_string_copy(run->glyphs);
    }
    ShapedText(ShapedText&& other) noexcept
        : m_layout(std::move(other.m_layout)), m_font(std::exchange(other.m_font, nullptr)),
          m_glyphs(std::exchange(other.m_glyphs, nullptr)), m_left(other.m_left), m_baseline(other.m_baseline)
    {
    }
    ShapedText& operator=(ShapedText&&) = delete;
    ~ShapedText()
    {
        if (m_glyphs)
            pango_glyph_string_free(m_glyphs);
        if (m_font)
            g_object_unref(m_font);
    }

    /// Draws the text with its top left at (x, y) in the source colour of `cairo`.
    void Draw(cairo_t* cairo, int x, int y) const
    {
        if (m_layout)
        {
            cairo_move_to(cairo, x, y);
            pango_cairo_show_layout(cairo, m_layout.get());
            return;
        }
        // Where the layout would put the run: its line's left, on the baseline.
        cairo_move_to(cairo, x + static_cast<double>(m_left) / PANGO_SCALE,
                      y + static_cast<double>(m_baseline) / PANGO_SCALE);
        pango_cairo_show_glyph_string(cairo, m_font, m_glyphs);
    }

private:
    LayoutPtr m_layout;
    PangoFont* m_font = nullptr;
    PangoGlyphString* m_glyphs = nullptr;
    int m_left = 0;
    int m_baseline = 0;
};

}  // namespace

struct TextLayoutCache::Layouts
{
    ~Layouts()
    {
        // Texts hold fonts of the context: let them go first.
        fonts = {};
        if (context)
            g_object_unref(context);
        cairo_font_options_destroy(surfaceOptions);
        cairo_font_options_destroy(lastOptions);
    }

    /// Makes the context lay texts out for `cairo`. Texts shaped for
    /// another scale or other font options are shaped again, so the context
    /// is updated, and what was kept dropped, only when what it takes from
    /// `cairo` differs.
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
        fonts = FontSlots<ShapedText>();
        if (!context)
            context = pango_cairo_create_context(cairo);
        else
            pango_cairo_update_context(cairo, context);
        lastMatrix = matrix;
        cairo_font_options_destroy(lastOptions);
        lastOptions = cairo_font_options_copy(surfaceOptions);
    }

    ShapedText Shape(const wxFont& font, const wxString& text) const
    {
        LayoutPtr layout(pango_layout_new(context));
        pango_layout_set_font_description(layout.get(), font.GetNativeFontInfo()->description);
        const wxScopedCharBuffer utf8 = text.utf8_str();
        pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.length()));
        return ShapedText(std::move(layout));
    }

    PangoContext* context = nullptr;
    FontSlots<ShapedText> fonts;
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

    auto& texts = m_layouts->fonts.Of(font);
    auto found = texts.find(text);
    if (found == texts.end())
    {
        if (texts.size() >= kCapacity)
            texts.clear();
        found = texts.emplace(text, m_layouts->Shape(font, text)).first;
    }
    const wxColour& colour = dc.GetTextForeground();
    cairo_save(cairo);
    cairo_set_source_rgba(cairo, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0,
                          colour.Alpha() / 255.0);
    found->second.Draw(cairo, x, y);
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
