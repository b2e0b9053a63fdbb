#include "alert/AlertIcon.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>

wxBitmap LoadPngBitmap(const wxString& path)
{
    // Checked first: a missing file must not raise the toolkit's error box.
    if (!wxFileName::FileExists(path))
        return wxBitmap();
    wxImage image;
    wxLogNull quiet;  // a broken file leaves the button blank, without a message box
    if (!image.LoadFile(path, wxBITMAP_TYPE_PNG))
        return wxBitmap();
    return wxBitmap(image);
}

wxIcon AlertIcon()
{
    wxIcon icon;
    const wxBitmap bitmap = LoadPngBitmap("./icon/alert.png");
    if (bitmap.IsOk())
        icon.CopyFromBitmap(bitmap);
    return icon;
}
