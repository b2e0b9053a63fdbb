#pragma once
// Everything one running terminal owns, started and torn down in the order
// the plug-ins rely on. The program and the tests both drive it.

#include <memory>
#include <string>
#include <vector>

#include <spdlog/logger.h>

#include "CommandLine.h"

class BuiltinWidget;
class Catalogue;
class ConfigLock;
class MainFrame;
class MarketFeed;
class PluginLoader;
class QuoteBook;
class TerminalHost;
class ThemeSwitch;
class UserFiles;

/// The terminal's market, host, plug-ins and main frame.
class Terminal
{
public:
    /// `options` must have its folders resolved (ResolveDefaultFolders).
    explicit Terminal(TerminalOptions options);
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    /// Locks the config folder (throws ConfigFolderError when it is not a
    /// usable folder or another terminal has it), seeds the user's files,
    /// reads the catalogue (throws CatalogueError), loads the plug-ins,
    /// starts the feed and shows the main frame.
    void Start();

    /// After the main frame has closed: destroys whatever windows are left,
    /// drops leftover subscriptions and unloads the plug-ins. Idempotent.
    void Shutdown();

    /// At the program's end, after Shutdown: the catalogue and the quotes
    /// are left for the system to take back with the process, which it does
    /// at once; freeing a million records one by one took seconds.
    void LeaveMarketToTheSystem();

    MainFrame* Frame() const { return m_frame; }
    /// The program's exit code once the main frame has closed: 0, or
    /// exit_code::kLayoutNotSaved when it quit unasked without saving.
    int ExitCode() const { return m_exitCode; }
    TerminalHost& Host() const { return *m_host; }
    QuoteBook& Quotes() const { return *m_quotes; }
    MarketFeed* Feed() const { return m_feed.get(); }
    std::shared_ptr<spdlog::logger> Logger() const { return m_logger; }
    const TerminalOptions& Options() const { return m_options; }

private:
    void LockConfigFolder();
    void StartFeed();
    static void DestroyRemainingWindows();

    TerminalOptions m_options;
    std::unique_ptr<UserFiles> m_files;
    std::shared_ptr<spdlog::logger> m_logger;
    std::unique_ptr<ConfigLock> m_lock;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<QuoteBook> m_quotes;
    std::unique_ptr<ThemeSwitch> m_themes;
    std::unique_ptr<TerminalHost> m_host;
    std::unique_ptr<PluginLoader> m_plugins;
    std::vector<std::unique_ptr<BuiltinWidget>> m_builtins;
    std::unique_ptr<MarketFeed> m_feed;
    MainFrame* m_frame = nullptr;
    bool m_shutDown = false;
    int m_exitCode = 0;
};
