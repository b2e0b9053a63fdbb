#pragma once
// PNG icons read from disk, decoded again only when the file changes.

#include <ctime>
#include <unordered_map>

#include <wx/bitmap.h>
#include <wx/string.h>

/// Bitmaps by path, re-read when the file's modification time changes.
class IconCache
{
public:
    /// The icon at `path`; an invalid bitmap when the file is missing or unreadable.
    const wxBitmap& Load(const wxString& path);

    /// The cache the cell painters share.
    static IconCache& Shared();

private:
    struct Entry
    {
        time_t modified = -1;
        wxBitmap bitmap;
    };

    std::unordered_map<wxString, Entry> m_entries;
};
