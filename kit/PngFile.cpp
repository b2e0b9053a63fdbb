#include "kit/PngFile.h"

#include <algorithm>

#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/log.h>

wxBitmap LoadPng(const wxString& path)
{
    if (!wxFileExists(path))
        return wxBitmap();
    // The decoder logs what it finds wrong, and the toolkit shows logged
    // errors in a box at the next idle time; no message leaves this scope.
    wxLogNull quiet;
    wxImage image;
    if (!image.LoadFile(path, wxBITMAP_TYPE_PNG) || !image.IsOk())
        return wxBitmap();
    return wxBitmap(image);
}

wxBitmap LoadPngOrBlank(const wxString& path, const wxSize& blankSize)
{
    wxBitmap bitmap = LoadPng(path);
    if (bitmap.IsOk() || blankSize.x <= 0 || blankSize.y <= 0)
        return bitmap;
    wxImage blank(blankSize);
    blank.InitAlpha();
    std::fill_n(blank.GetAlpha(), static_cast<size_t>(blankSize.x) * static_cast<size_t>(blankSize.y), 0);
    return wxBitmap(blank);
}
