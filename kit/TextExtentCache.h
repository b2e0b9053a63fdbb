#pragma once
// Sizes of cell texts in the grid's font, remembered between paints.

#include <unordered_map>

#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxDC;

/// Remembers how large texts are in one font. Measuring a text costs a full
/// text layout, more than drawing it; a quote board repaints the same codes,
/// names and most of its numbers frame after frame.
class TextExtentCache
{
public:
    /// The extent `dc` gives `text` in its current font, measured once per font.
    wxSize Extent(wxDC& dc, const wxString& text);
    size_t Size() const { return m_extents.size(); }

    /// More distinct texts than a board shows in a long session; reaching it
    /// starts the cache afresh instead of growing without end.
    static constexpr size_t kCapacity = 16384;

private:
    wxFont m_font;
    wxString m_fontDescription;
    std::unordered_map<wxString, wxSize> m_extents;
};
