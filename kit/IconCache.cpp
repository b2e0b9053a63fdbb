#include "kit/IconCache.h"

#include <wx/filefn.h>

#include "kit/PngFile.h"

const wxBitmap& IconCache::Load(const wxString& path)
{
    // Icons may be replaced while the program runs, so every use checks the
    // file's time, with one status query; only decoding is skipped when
    // nothing changed.
    wxStructStat status;
    const time_t modified = wxStat(path, &status) == 0 ? status.st_mtime : -1;
    Entry& entry = m_entries[path];
    if (entry.modified != modified || (modified != -1 && !entry.bitmap.IsOk()))
    {
        entry.modified = modified;
        entry.bitmap = modified == -1 ? wxBitmap() : LoadPng(path);
    }
    return entry.bitmap;
}

IconCache& IconCache::Shared()
{
    static IconCache cache;
    return cache;
}
