#pragma once
// Command-line options of the terminal, parsed without needing a display.

#include <cstdint>
#include <string>
#include <vector>

#include <wx/string.h>

/// Everything the user can choose when starting the terminal.
struct TerminalOptions
{
    std::string catalogue = "data/catalogue.xml";
    int synthetic = 0;              // extra generated instruments
    std::string theme;              // "dark" or "light"; empty = as last chosen in View, else dark
    double rate = 60.0;             // quote updates per second; 0 = no feed
    uint32_t seed = 20240607;
    double quitAfter = -1.0;        // seconds; negative = run until closed
    std::string screenshot;         // PNG path; empty = none
    std::string pluginDir;          // empty = <executable folder>/plugins, else ../lib/tickerdeck/plugins
    std::string configDir;          // empty = user config folder/tickerdeck-terminal
    std::string layoutFile;         // empty = <configDir>/layout.xml
    std::string storeFile;          // empty = <configDir>/watchlists.xml
    bool noTrading = false;
};

/// The program's exit codes, listed in --help.
namespace exit_code {
constexpr int kCommandLine = 2;
constexpr int kNoAssets = 3;
constexpr int kCatalogue = 4;
constexpr int kConfigFolderUnusable = 5;
constexpr int kConfigFolderInUse = 6;
constexpr int kLayoutNotSaved = 7;
}  // namespace exit_code

/// What the program should do after reading its command line.
struct CommandLineResult
{
    enum class Outcome { Run, ShowHelp, ShowVersion, Error };
    Outcome outcome = Outcome::Run;
    TerminalOptions options;
    wxString message;   // the usage text for ShowHelp, the version for ShowVersion, the complaint for Error
};

/// Parses the arguments (without the program name).
CommandLineResult ParseCommandLine(const std::vector<wxString>& arguments);

/// The full --help text: options followed by the key map.
wxString CommandLineUsage();

/// "tickerdeck-terminal <version>", what --version prints.
wxString VersionText();

/// Fills the folder defaults that depend on where the program lives.
void ResolveDefaultFolders(TerminalOptions& options, const std::string& executableFolder,
                           const std::string& userConfigFolder);
