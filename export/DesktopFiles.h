#pragma once
// What the export asks of the desktop: where documents go and which
// application opens a file. The calls into the system stay in this file.

#include <string>

namespace desktop {

/// The user's documents folder: XDG_DOCUMENTS_DIR from the environment, else
/// from the user's user-dirs.dirs, else the home folder. The folder may not exist.
std::string DocumentsFolder();

/// The documents folder a user-dirs.dirs text names, with $HOME expanded;
/// empty when it names none.
std::string DocumentsFolderIn(const std::string& userDirs, const std::string& home);

enum class OpenResult
{
    Opened,
    NoApplication,   // nothing is registered for the file's type
    Failed           // an application is registered but did not start
};

/// Opens the file with the application the desktop registers for its type.
OpenResult OpenWithDefaultApplication(const std::string& path);

}  // namespace desktop
