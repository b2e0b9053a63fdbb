#pragma once
// Sizes of cell texts in the grid's fonts, remembered between paints.

#include <cstddef>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "controls/FontSlots.h"

class wxDC;

/// Remembers how large texts are in the few fonts a grid paints with.
/// Measuring a text costs a full text layout, more than drawing it; a quote
/// board repaints the same codes, names and most of its numbers frame after
/// frame, and rows in bold (a colour rule's) alternate with plain ones.
class TextExtentCache
{
public:
    /// The extent `dc` gives `text` in its current font, measured once per font.
    wxSize Extent(wxDC& dc, const wxString& text);
    /// Texts remembered, in all fonts.
    size_t Size() const;

    /// Twice the texts a full screen of cells shows; a font reaching it
    /// starts its texts afresh instead of growing with every row scrolled
    /// past (a text costs about a hundred bytes here).
    static constexpr size_t kCapacity = 4096;
    /// Fonts remembered at once; one more forgets the one used longest ago.
    static constexpr size_t kFonts = 4;

private:
    FontSlots<wxSize, kFonts> m_fonts;
};
