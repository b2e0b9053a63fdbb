#pragma once
// The terminal's own choices that outlast a run. A board keeps its state in
// the layout document; what belongs to the terminal alone lives here.

#include <string>

/// The theme last chosen in View ("dark" or "light"); empty when none was
/// stored or the file cannot be read, which leaves the choice to the caller.
std::string ReadStoredTheme(const std::string& path);

/// Stores `theme`, keeping whatever else the file holds; throws
/// std::runtime_error, the file left as it was, when it cannot be read
/// (files::UnreadableFile) or written (files::WriteFailure).
void WriteStoredTheme(const std::string& path, const std::string& theme);
