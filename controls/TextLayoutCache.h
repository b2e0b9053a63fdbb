#pragma once
// One-line texts drawn as laid out once and kept between paints.

#include <cstddef>
#include <memory>

#include <wx/string.h>

#include "ControlsApi.h"

class wxDC;

/// Draws the one-line texts of a grid as laid out once and kept between
/// paints, where the platform lets us: on GTK, laying a text out
/// (itemising, shaping) costs more than drawing its glyphs, and a quote
/// board paints the same codes, names and most of its figures frame after
/// frame.
class CONTROLS_API TextLayoutCache
{
public:
    /// The cache the grids of this process share: only the shown tab paints.
    static TextLayoutCache& Shared();

    /// Draws `text` with its top left at (x, y) in the font and text colour
    /// of `dc`; false, drawing nothing, where the platform or the DC offers
    /// no kept texts (the caller draws the text itself).
    bool Draw(wxDC& dc, const wxString& text, int x, int y);
    /// Texts kept, in all fonts.
    size_t Size() const;

    /// About twice the texts of a full screen of cells per font; a font
    /// reaching it starts afresh. A text kept costs a few hundred bytes.
    static constexpr size_t kCapacity = 4096;

    TextLayoutCache();
    ~TextLayoutCache();
    TextLayoutCache(const TextLayoutCache&) = delete;
    TextLayoutCache& operator=(const TextLayoutCache&) = delete;

private:
    struct Layouts;
    std::unique_ptr<Layouts> m_layouts;
};
