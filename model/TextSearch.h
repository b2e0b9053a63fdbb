#pragma once
// Case-insensitive text search that treats names as Unicode text, whatever
// the process's C locale says about letters beyond ASCII.

#include <string>

#include <wx/string.h>

/// `text` with every letter of the Latin, Greek and Cyrillic scripts in
/// lower case; other characters are kept as they are.
std::wstring FoldCase(const wxString& text);

/// True when `part` occurs in `text`, letters compared without case.
/// An empty `part` occurs everywhere.
bool ContainsIgnoringCase(const wxString& text, const wxString& part);
