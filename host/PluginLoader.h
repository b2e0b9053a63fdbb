#pragma once
// Loads the plug-in libraries of a folder and keeps each one loaded for as
// long as its Widget lives.

#include <memory>
#include <string>
#include <vector>

#include "contract/Widget.h"

class wxDynamicLibrary;

/// The loaded plug-ins, in the order of their file names.
class PluginLoader
{
public:
    PluginLoader();
    ~PluginLoader();
    PluginLoader(const PluginLoader&) = delete;
    PluginLoader& operator=(const PluginLoader&) = delete;

    /// Loads every *.so in `folder`; libraries that cannot be loaded or do not
    /// export loadWidget are logged and skipped. Returns how many loaded.
    size_t LoadFolder(const std::string& folder, Host* host, std::shared_ptr<spdlog::logger> logger);

    std::vector<Widget*> Widgets() const;
    std::vector<std::string> LibraryPaths() const;

    /// Deletes every Widget, then unloads its library. Call only once every
    /// window a plug-in created is gone.
    void UnloadAll();

private:
    /// One library and the factory it returned.
    struct Plugin
    {
        std::unique_ptr<wxDynamicLibrary> library;
        Widget* widget = nullptr;
        std::string path;
    };

    bool LoadOne(const std::string& path, Host* host, const std::shared_ptr<spdlog::logger>& logger);

    std::vector<Plugin> m_plugins;
};
