#pragma once
// The plug-in's one way of reading its PNG icons.

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

/// The PNG at `path`; an invalid bitmap when the file is missing, damaged or
/// not a PNG. Never reports to the user: a broken icon is not worth a box.
wxBitmap LoadPng(const wxString& path);

/// As LoadPng, but a file that cannot be read gives a transparent bitmap of
/// `blankSize`, so toolbars and image lists keep the slot it would fill.
wxBitmap LoadPngOrBlank(const wxString& path, const wxSize& blankSize = wxSize(16, 16));
