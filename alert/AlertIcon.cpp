#include "alert/AlertIcon.h"

#include "kit/PngFile.h"

wxIcon AlertIcon()
{
    wxIcon icon;
    const wxBitmap bitmap = LoadPng("./icon/alert.png");
    if (bitmap.IsOk())
        icon.CopyFromBitmap(bitmap);
    return icon;
}
