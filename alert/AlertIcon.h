#pragma once
// Bitmaps of the alert dialogs, loaded from ./icon relative to the working directory.

#include <wx/bitmap.h>
#include <wx/icon.h>

/// A PNG file as a bitmap; an empty bitmap when the file is missing or broken.
wxBitmap LoadPngBitmap(const wxString& path);
/// "./icon/alert.png" as an icon; an empty icon when the file is missing.
wxIcon AlertIcon();
