#include "kit/TextExtentCache.h"

#include <wx/dc.h>

wxSize TextExtentCache::Extent(wxDC& dc, const wxString& text)
{
    // Comparing fonts by value measures text in both of them, so the same
    // font object is recognised first and others by their description.
    const wxFont& font = dc.GetFont();
    if (!font.IsSameAs(m_font))
    {
        const wxString description = font.IsOk() ? font.GetNativeFontInfoDesc() : wxString();
        if (description != m_fontDescription)
        {
            m_extents.clear();
            m_fontDescription = description;
        }
        m_font = font;
    }
    const auto found = m_extents.find(text);
    if (found != m_extents.end())
        return found->second;
    const wxSize extent = dc.GetTextExtent(text);
    if (m_extents.size() >= kCapacity)
        m_extents.clear();
    m_extents.emplace(text, extent);
    return extent;
}
