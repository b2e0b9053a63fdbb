#pragma once
// Replacing a file so that readers only ever see the old or the new whole
// contents, never a torn mixture.

#include <string>

namespace layout {

/// Writes `contents` to a temporary file beside `path`, forces it to disk
/// and renames it over `path`. On any failure the temporary file is removed,
/// `path` is left exactly as it was, and std::runtime_error is thrown.
void ReplaceFileContents(const std::string& path, const std::string& contents);

}  // namespace layout
