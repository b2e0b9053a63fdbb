#include "kit/TextExtentCache.h"

#include <algorithm>

#include <wx/dc.h>

TextExtentCache::FontExtents& TextExtentCache::ExtentsOf(const wxFont& font)
{
    // The same font object comes cell after cell: one pointer comparison.
    if (m_current < m_fonts.size() && font.IsSameAs(m_fonts[m_current].font))
        return m_fonts[m_current];
    ++m_uses;
    // Comparing fonts by value measures text in both of them, so font
    // objects are recognised first and others by their description.
    size_t at = 0;
    while (at < m_fonts.size() && !font.IsSameAs(m_fonts[at].font))
        ++at;
    if (at == m_fonts.size())
    {
        const wxString description = font.IsOk() ? font.GetNativeFontInfoDesc() : wxString();
        at = 0;
        while (at < m_fonts.size() && m_fonts[at].description != description)
            ++at;
        if (at == m_fonts.size() && m_fonts.size() >= kFonts)
        {
            at = static_cast<size_t>(std::min_element(m_fonts.begin(), m_fonts.end(),
                                                      [](const FontExtents& a, const FontExtents& b) {
                                                          return a.lastUse < b.lastUse;
                                                      }) -
                                     m_fonts.begin());
            m_fonts[at].extents.clear();
            m_fonts[at].description = description;
        }
        else if (at == m_fonts.size())
            m_fonts.push_back(FontExtents{wxFont(), description, 0, {}});
        m_fonts[at].font = font;
    }
    m_fonts[at].lastUse = m_uses;
    m_current = at;
    return m_fonts[at];
}

wxSize TextExtentCache::Extent(wxDC& dc, const wxString& text)
{
    std::unordered_map<wxString, wxSize>& extents = ExtentsOf(dc.GetFont()).extents;
    const auto found = extents.find(text);
    if (found != extents.end())
        return found->second;
    const wxSize extent = dc.GetTextExtent(text);
    if (extents.size() >= kCapacity)
        extents.clear();
    extents.emplace(text, extent);
    return extent;
}

size_t TextExtentCache::Size() const
{
    size_t size = 0;
    for (const FontExtents& font : m_fonts)
        size += font.extents.size();
    return size;
}
