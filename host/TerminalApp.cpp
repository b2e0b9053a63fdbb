#include "TerminalApp.h"

#include <cstdio>
#include <cstdlib>

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "AssetFolder.h"
#include "CommandLine.h"
#include "ConfigLock.h"
#include "MainFrame.h"
#include "Platform.h"
#include "StallProbe.h"
#include "Terminal.h"
#include "Translations.h"
#include "market/Catalogue.h"

namespace {

std::vector<wxString> ArgumentsOf(const wxCmdLineArgsArray& argv, int argc)
{
    std::vector<wxString> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(argv[i]);
    return arguments;
}

wxString ExecutableFolder()
{
    return wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
}

void PrintTo(FILE* stream, const wxString& text)
{
    std::fputs(text.utf8_str(), stream);
    std::fputs("\n", stream);
    std::fflush(stream);
}

}  // namespace

TerminalApp::TerminalApp() = default;
TerminalApp::~TerminalApp() = default;

bool TerminalApp::Initialize(int& argc, wxChar** argv)
{
    // Help and mistakes on the command line are answered before the toolkit
    // starts, so they work without a display too, in the user's language.
    UseUserLanguage(ExecutableFolder());
    std::vector<wxString> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    const CommandLineResult parsed = ParseCommandLine(arguments);
    if (parsed.outcome == CommandLineResult::Outcome::ShowHelp)
    {
        PrintTo(stdout, parsed.message);
        std::exit(0);
    }
    if (parsed.outcome == CommandLineResult::Outcome::ShowVersion)
    {
        PrintTo(stdout, parsed.message);
        std::exit(0);
    }
    if (parsed.outcome == CommandLineResult::Outcome::Error)
    {
        PrintTo(stderr, "tickerdeck-terminal: " + parsed.message);
        std::exit(2);
    }
    // The toolkit's own style has to be chosen before the toolkit starts.
    PreferToolkitStyle(!ArgumentsAskForLightTheme(argc, argv));
    return wxApp::Initialize(argc, argv);
}

bool TerminalApp::OnInit()
{
    wxInitAllImageHandlers();

    CommandLineResult parsed = ParseCommandLine(ArgumentsOf(argv, argc));
    if (parsed.outcome == CommandLineResult::Outcome::ShowHelp ||
        parsed.outcome == CommandLineResult::Outcome::ShowVersion)
    {
        PrintTo(stdout, parsed.message);
        return EndEarly(0);
    }
    if (parsed.outcome == CommandLineResult::Outcome::Error)
    {
        PrintTo(stderr, "tickerdeck-terminal: " + parsed.message);
        return EndEarly(2);
    }
    TerminalOptions options = parsed.options;

    const wxString executableFolder = ExecutableFolder();
    const auto assets = FindAssetFolder(std::string(executableFolder.utf8_str()),
                                        std::string(wxGetCwd().utf8_str()));
    if (!assets)
    {
        ReportStartupError(_("Cannot find the icon and sound folders beside the program, in its "
                             "share/tickerdeck folder or in the current folder."),
                           options.quitAfter < 0.0);
        return EndEarly(3);
    }
    // Relative paths on the command line mean the folder the user started in.
    const wxString startFolder = wxGetCwd();
    auto absolute = [&startFolder](std::string& path) {
        if (path.empty())
            return;
        wxFileName name(wxString::FromUTF8(path));
        name.MakeAbsolute(startFolder);
        path = std::string(name.GetFullPath().utf8_str());
    };
    for (std::string* path : {&options.screenshot, &options.pluginDir, &options.configDir,
                              &options.layoutFile, &options.storeFile})
        absolute(*path);
    const bool catalogueGiven = options.catalogue != TerminalOptions().catalogue;
    if (catalogueGiven)
        absolute(options.catalogue);
    wxSetWorkingDirectory(wxString::FromUTF8(*assets));

    // The user's files belong under ~/.config (XDG), not loose in $HOME.
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    ResolveDefaultFolders(options, std::string(executableFolder.utf8_str()),
                          std::string(wxStandardPaths::Get().GetUserConfigDir().utf8_str()));

    m_terminal = std::make_unique<Terminal>(options);
    // Logging out, shutting down or `kill` quit as File > Quit does, saving.
    QuitOnTerminationSignals([this] { QuitUnasked(); });
    Bind(wxEVT_END_SESSION, [this](wxCloseEvent&) { QuitUnasked(); });
    try
    {
        m_terminal->Start();
    }
    catch (const CatalogueError& error)
    {
        ReportStartupError(wxString::Format(_("The instrument catalogue cannot be read:\n%s"),
                                            wxString::FromUTF8(error.what())),
                           options.quitAfter < 0.0);
        m_terminal->Shutdown();
        return EndEarly(exit_code::kCatalogue);
    }
    catch (const ConfigFolderError& error)
    {
        // Already on stderr and in the log; an interactive start also gets a
        // box, since nothing else would tell a user who started from a menu.
        if (options.quitAfter < 0.0)
            wxMessageBox(wxString::FromUTF8(error.what()), _("Tickerdeck Terminal"), wxOK | wxICON_ERROR);
        m_terminal->Shutdown();
        return EndEarly(error.ExitCode());
    }
    SetTopWindow(m_terminal->Frame());
    m_stallProbe = StallProbe::FromEnvironment();
    return true;
}

int TerminalApp::OnRun()
{
    if (m_earlyExitCode)
        return *m_earlyExitCode;
    const int code = wxApp::OnRun();
    return code != 0 || !m_terminal ? code : m_terminal->ExitCode();
}

void TerminalApp::QuitUnasked()
{
    if (m_terminal && m_terminal->Frame())
        m_terminal->Frame()->QuitUnattended();
}

int TerminalApp::OnExit()
{
    QuitOnTerminationSignals(nullptr);
    m_stallProbe.reset();
    if (m_terminal)
    {
        m_terminal->Shutdown();
        m_terminal->LeaveMarketToTheSystem();
    }
    m_terminal.reset();
    return wxApp::OnExit();
}

bool TerminalApp::EndEarly(int code)
{
    // OnInit returning true with no window lets OnRun hand back our own code.
    m_earlyExitCode = code;
    return true;
}

void TerminalApp::ReportStartupError(const wxString& message, bool interactive)
{
    PrintTo(stderr, "tickerdeck-terminal: " + message);
    if (interactive)
        wxMessageBox(message, _("Tickerdeck Terminal"), wxOK | wxICON_ERROR);
}
