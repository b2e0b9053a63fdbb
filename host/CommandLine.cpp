#include "CommandLine.h"

#include <cmath>
#include <limits>

#include <wx/cmdline.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include "Hotkeys.h"
#include "LogCapture.h"

namespace {

void DescribeOptions(wxCmdLineParser& parser)
{
    parser.AddSwitch("h", "help", _("show this help and the key map"), wxCMD_LINE_OPTION_HELP);
    parser.AddSwitch("", "version", _("show the version and quit"));
    parser.AddOption("", "catalogue", _("instrument catalogue XML file (default data/catalogue.xml)"));
    parser.AddOption("", "synthetic", _("add N generated instruments to the catalogue"),
                     wxCMD_LINE_VAL_NUMBER);
    parser.AddOption("", "theme",
                     _("colour theme: dark or light (default: the one last chosen in View, else dark)"));
    parser.AddOption("", "rate", _("quote updates per second across the market (default 60, 0 = no feed)"),
                     wxCMD_LINE_VAL_DOUBLE);
    parser.AddOption("", "seed", _("seed of the simulated market"), wxCMD_LINE_VAL_NUMBER);
    parser.AddOption("", "quit-after", _("quit after SECONDS, as a normal exit would"),
                     wxCMD_LINE_VAL_DOUBLE);
    parser.AddOption("", "screenshot", _("save PNG screenshots to FILE (others as FILE-1.png...) before quitting"));
    parser.AddOption("", "plugins",
                     _("plug-in folder (default: plugins beside the program, else ../lib/tickerdeck/plugins)"));
    parser.AddOption("", "config-dir", _("folder of the user's layout, watchlists and log"));
    parser.AddOption("", "layout", _("layout file (default <config-dir>/layout.xml)"));
    parser.AddOption("", "store", _("watchlist store file (default <config-dir>/watchlists.xml)"));
    parser.AddSwitch("", "no-trading", _("sign in without the trading permission"));
}

std::string Narrow(const wxString& text)
{
    return std::string(text.utf8_str());
}

// A build tree keeps plug-ins beside the program; an installed tree keeps
// them under lib/ beside bin/, wherever the tree was installed.
std::string DefaultPluginFolder(const std::string& executableFolder)
{
    const wxString folder = wxString::FromUTF8(executableFolder);
    const wxFileName beside(folder, "plugins");
    if (wxFileName::DirExists(beside.GetFullPath()))
        return Narrow(beside.GetFullPath());
    wxFileName installed = wxFileName::DirName(folder);
    installed.RemoveLastDir();
    for (const char* part : {"lib", "tickerdeck", "plugins"})
        installed.AppendDir(part);
    return wxFileName::DirExists(installed.GetPath()) ? Narrow(installed.GetPath())
                                                      : Narrow(beside.GetFullPath());
}

CommandLineResult Failure(const wxString& message)
{
    CommandLineResult result;
    result.outcome = CommandLineResult::Outcome::Error;
    result.message = message;
    return result;
}

// Reads the numeric options; returns an error text, empty when all are sound.
wxString ReadNumbers(wxCmdLineParser& parser, TerminalOptions& options)
{
    long number = 0;
    if (parser.Found("synthetic", &number))
    {
        if (number < 0 || number > 1000000)
            return _("--synthetic must be between 0 and 1000000");
        options.synthetic = static_cast<int>(number);
    }
    if (parser.Found("seed", &number))
    {
        if (number < 0 || number > static_cast<long>(std::numeric_limits<uint32_t>::max()))
            return _("--seed must be between 0 and 4294967295");
        options.seed = static_cast<uint32_t>(number);
    }
    double value = 0.0;
    if (parser.Found("rate", &value))
    {
        if (!std::isfinite(value) || value < 0.0 || value > 1000000.0)
            return _("--rate must be between 0 and 1000000");
        options.rate = value;
    }
    if (parser.Found("quit-after", &value))
    {
        if (!std::isfinite(value) || value < 0.0)
            return _("--quit-after must be a number of seconds, 0 or more");
        options.quitAfter = value;
    }
    return wxString();
}

wxString ReadTexts(wxCmdLineParser& parser, TerminalOptions& options)
{
    wxString text;
    if (parser.Found("theme", &text))
    {
        if (text != "dark" && text != "light")
            return wxString::Format(_("unknown theme '%s': use dark or light"), text);
        options.theme = Narrow(text);
    }
    const struct { const char* name; std::string* target; } paths[] = {
        {"catalogue", &options.catalogue}, {"screenshot", &options.screenshot},
        {"plugins", &options.pluginDir},   {"config-dir", &options.configDir},
        {"layout", &options.layoutFile},   {"store", &options.storeFile},
    };
    for (const auto& path : paths)
    {
        if (!parser.Found(path.name, &text))
            continue;
        if (text.empty())
            return wxString::Format(_("--%s needs a file or folder name"), path.name);
        *path.target = Narrow(text);
    }
    options.noTrading = parser.Found("no-trading");
    return wxString();
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<wxString>& arguments)
{
    // The parser wants a writable argv; keep the buffers alive while it runs.
    std::vector<wxWCharBuffer> buffers;
    buffers.push_back(wxString("tickerdeck-terminal").wc_str());
    for (const wxString& argument : arguments)
        buffers.push_back(argument.wc_str());
    std::vector<wxChar*> argv;
    for (wxWCharBuffer& buffer : buffers)
        argv.push_back(buffer.data());
    argv.push_back(nullptr);

    wxCmdLineParser parser;
    DescribeOptions(parser);
    parser.SetCmdLine(static_cast<int>(buffers.size()), argv.data());

    // The parser reports its complaints through wxLog; keep them for our message.
    int status = 0;
    wxString parserComplaint;
    {
        LogCapture capture;
        status = parser.Parse(false);
        parserComplaint = capture.Text();
    }
    if (status == -1)
    {
        CommandLineResult result;
        result.outcome = CommandLineResult::Outcome::ShowHelp;
        result.message = CommandLineUsage();
        return result;
    }
    if (status != 0)
        return Failure(parserComplaint.empty() ? wxString(_("invalid command line; see --help"))
                                               : parserComplaint);

    CommandLineResult result;
    if (parser.Found("version"))
    {
        result.outcome = CommandLineResult::Outcome::ShowVersion;
        result.message = VersionText();
        return result;
    }
    wxString complaint = ReadNumbers(parser, result.options);
    if (complaint.empty())
        complaint = ReadTexts(parser, result.options);
    if (!complaint.empty())
        return Failure(complaint);
    return result;
}

wxString CommandLineUsage()
{
    wxCmdLineParser parser;
    DescribeOptions(parser);
    wxString text = _("Usage: tickerdeck-terminal [options]") + "\n\n";
    wxString usage = parser.GetUsageString();
    // The parser's own first line repeats the program name; keep its option list.
    const int firstBreak = usage.Find('\n');
    if (firstBreak != wxNOT_FOUND)
        usage = usage.Mid(firstBreak + 1);
    text += usage;
    text += "\n" +
            wxString::Format(
                _("Exit codes: 0 normal end; %d command line mistake; %d icon and sound "
                  "folders not found; %d catalogue unreadable; %d config folder cannot be "
                  "made or is not a folder; %d config folder in use by another terminal "
                  "(choose another with --config-dir); %d quit without saving the layout, unasked "
                  "(--quit-after, a signal or the end of the session)."),
                exit_code::kCommandLine, exit_code::kNoAssets, exit_code::kCatalogue,
                exit_code::kConfigFolderUnusable, exit_code::kConfigFolderInUse, exit_code::kLayoutNotSaved) +
            "\n";
    text += "\n" + Hotkeys::KeyMapText();
    return text;
}

wxString VersionText()
{
    return wxString("tickerdeck-terminal ") + TICKERDECK_VERSION;
}

void ResolveDefaultFolders(TerminalOptions& options, const std::string& executableFolder,
                           const std::string& userConfigFolder)
{
    if (options.pluginDir.empty())
        options.pluginDir = DefaultPluginFolder(executableFolder);
    if (options.configDir.empty())
        options.configDir =
            Narrow(wxFileName(wxString::FromUTF8(userConfigFolder), "tickerdeck-terminal").GetFullPath());
}
