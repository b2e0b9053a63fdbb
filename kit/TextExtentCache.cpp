#include "kit/TextExtentCache.h"

#include <wx/dc.h>

wxSize TextExtentCache::Extent(wxDC& dc, const wxString& text)
{
    auto& extents = m_fonts.Of(dc.GetFont());
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
    return m_fonts.Size();
}
