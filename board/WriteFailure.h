#pragma once
// A file the board could not write is told on the host's notice strip.

#include <string>

/// Shows "A write failed: <detail>" where the host shows errors (its notice
/// strip) and logs it; `detail` names the file and the system's reason, as
/// layout::ReplaceFileContents words its failures.
void ShowWriteFailure(const std::string& detail);
