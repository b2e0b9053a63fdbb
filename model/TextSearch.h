#pragma once
// Case-insensitive text search that treats names as Unicode text, whatever
// the process's C locale says about letters beyond ASCII.

#include <string>

#include <wx/string.h>

/// `text` case-folded as Unicode does it, one character for one: letters of
/// every script compare without case, full-width ones too.
std::wstring FoldCase(const wxString& text);

/// FoldCase for UTF-8 text; plain ASCII, which most codes and names are,
/// skips the conversion to the toolkit's string, which costs more than the
/// folding on a large catalogue.
std::wstring FoldUtf8(const std::string& text);

/// True when `part` occurs in `text`, letters compared without case.
/// An empty `part` occurs everywhere.
bool ContainsIgnoringCase(const wxString& text, const wxString& part);

/// A name as the user meant it: without the spaces typed around it.
wxString TrimmedName(const wxString& typed);

/// True when the two texts differ in case at most.
bool SameIgnoringCase(const wxString& a, const wxString& b);
