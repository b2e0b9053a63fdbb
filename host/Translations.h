#pragma once
// The terminal's language: German, English, or whatever catalogue the user's
// locale finds installed next to the program.

#include <wx/string.h>

/// Installs the toolkit's translations for the user's locale and the
/// "tickerdeck" catalogue found beside the program (`locale/` in a build
/// tree, `../share/locale/` in an installed one). A locale the machine does
/// not have, or a language without a catalogue, leaves every text English
/// and raises no message. Returns whether the user's locale could be set.
bool UseUserLanguage(const wxString& executableFolder);
