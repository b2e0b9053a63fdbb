#include "Terminal.h"

#include <wx/app.h>
#include <wx/intl.h>
#include <wx/toplevel.h>

#include "ConfigLock.h"
#include "MainFrame.h"
#include "PluginLoader.h"
#include "ResourcePanels.h"
#include "TerminalHost.h"
#include "TerminalLogger.h"
#include "TerminalSettings.h"
#include "UnreadableFiles.h"
#include "UserFiles.h"
#include "market/Catalogue.h"
#include "market/MarketFeed.h"
#include "market/QuoteBook.h"
#include "theme/ThemeSwitch.h"
#include "files/DurableFile.h"
#include "widgets/BuiltinWidgets.h"

namespace {

constexpr const char* kFlagPanels = "data/instrument-flags.xrc";
constexpr const char* kShippedLayout = "data/layout.xml";

}  // namespace

Terminal::Terminal(TerminalOptions options) : m_options(std::move(options)) {}

Terminal::~Terminal()
{
    Shutdown();
}

void Terminal::Start()
{
    m_files = std::make_unique<UserFiles>(m_options.configDir, m_options.layoutFile, m_options.storeFile);
    LockConfigFolder();
    // Before seeding: what is set aside is replaced by the shipped default.
    const std::vector<wxString> setAside = SetAsideUnreadableFiles(*m_files, *m_logger);
    const std::string seedProblem = m_files->Seed(kShippedLayout, "data/watchlists.xml");
    if (!seedProblem.empty())
        m_logger->warn("user files: {}", seedProblem);
    // Left by a terminal killed between writing a file and renaming it;
    // no other terminal can be writing here while we hold the lock.
    for (const std::string& path : {m_files->LayoutPath(), m_files->StorePath()})
        if (const int removed = files::RemoveStaleTemporaries(path))
            m_logger->info("removed {} unfinished temporary file(s) beside {}", removed, path);

    m_catalogue = std::make_unique<Catalogue>(Catalogue::FromFile(m_options.catalogue));
    if (m_options.synthetic > 0)
        m_catalogue->AddSynthetic(m_options.synthetic, m_options.seed);
    m_logger->info("catalogue {}: {} instruments on {} exchanges", m_options.catalogue,
                   m_catalogue->Instruments().size(), m_catalogue->Exchanges().size());

    m_quotes = std::make_unique<QuoteBook>(*m_catalogue);
    // A theme given on the command line is for this run; View's choice is kept.
    const std::string theme =
        m_options.theme.empty() ? ReadStoredTheme(m_files->SettingsPath()) : m_options.theme;
    m_themes = std::make_unique<ThemeSwitch>(ThemeSwitch::FromName(theme));
    m_host = std::make_unique<TerminalHost>(*m_catalogue, *m_quotes, *m_themes, *m_files,
                                            !m_options.noTrading, m_logger);
    for (const wxString& notice : setAside)
        m_host->Notify(notice);
    m_host->LoadLayoutDocument(kShippedLayout);
    // Before any plug-in window opens: boards build their flag dialogs from these.
    if (!LoadResourcePanels(kFlagPanels, m_logger))
        m_host->Notify(wxString::Format(_("The panels of the flag dialogs (%s) cannot be read: the Status and CA "
                                          "dialogs of the boards stay empty."),
                                        kFlagPanels));

    m_plugins = std::make_unique<PluginLoader>();
    m_plugins->LoadFolder(m_options.pluginDir, m_host.get(), m_logger);
    m_builtins = MakeBuiltinWidgets();
    std::vector<BuiltinWidget*> builtins;
    for (const auto& widget : m_builtins)
        builtins.push_back(widget.get());
    m_host->SetWidgets(m_plugins->Widgets(), builtins);

    StartFeed();
    m_frame = new MainFrame(*m_host, *m_themes, *m_quotes, m_feed.get());
    m_frame->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == m_frame)
        {
            if (m_frame->QuitUnsaved())
                m_exitCode = exit_code::kLayoutNotSaved;
            m_frame = nullptr;
        }
        event.Skip();
    });
    m_frame->Show();
    // Boards restored into frames of their own were shown before the main
    // frame; they belong in front of it.
    for (const OpenWindow& window : m_host->Windows().All())
        if (window.frame)
            window.frame->Raise();
    if (m_options.quitAfter >= 0.0)
        m_frame->ScheduleQuit(m_options.quitAfter, wxString::FromUTF8(m_options.screenshot));
}

void Terminal::LockConfigFolder()
{
    const std::string problem = m_files->MakeFolder();
    m_logger = MakeTerminalLogger(problem.empty() ? m_files->LogPath() : std::string());
    try
    {
        if (!problem.empty())
            throw ConfigFolderError(problem, exit_code::kConfigFolderUnusable);
        m_lock = std::make_unique<ConfigLock>(m_options.configDir);
    }
    catch (const ConfigFolderError& error)
    {
        m_logger->error("{}", error.what());
        throw;
    }
}

void Terminal::StartFeed()
{
    if (m_options.rate <= 0.0)
        return;
    m_feed = std::make_unique<MarketFeed>(*m_quotes, m_options.rate, m_options.seed);
    m_feed->Start();
}

void Terminal::Shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (m_feed)
        m_feed->Stop();
    if (m_frame)
        m_frame->Close(true);
    DestroyRemainingWindows();
    if (m_host)
        m_host->ReleaseAllSubscriptions();
    // Plug-in code must stay mapped until the last of its windows is gone.
    m_feed.reset();
    if (m_plugins)
        m_plugins->UnloadAll();
    UnloadResourcePanels(kFlagPanels);
    if (m_logger)
        m_logger->info("terminal stopped");
}

void Terminal::LeaveMarketToTheSystem()
{
    // Whatever still refers to them (the host) goes before the process does.
    static_cast<void>(m_quotes.release());
    static_cast<void>(m_catalogue.release());
}

void Terminal::DestroyRemainingWindows()
{
    // Windows already scheduled for destruction go first, then any stragglers.
    if (wxTheApp)
    {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }
    while (!wxTopLevelWindows.empty())
        delete wxTopLevelWindows.GetFirst()->GetData();
}
