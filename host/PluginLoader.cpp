#include "PluginLoader.h"

#include <algorithm>

#include <spdlog/spdlog.h>
#include <wx/dir.h>
#include <wx/dynlib.h>
#include <wx/filename.h>

#include "LogCapture.h"

PluginLoader::PluginLoader() = default;

PluginLoader::~PluginLoader()
{
    UnloadAll();
}

size_t PluginLoader::LoadFolder(const std::string& folder, Host* host,
                                std::shared_ptr<spdlog::logger> logger)
{
    const wxString path = wxString::FromUTF8(folder);
    if (!wxDir::Exists(path))
    {
        if (logger)
            logger->warn("plug-in folder {} does not exist", folder);
        return 0;
    }
    wxArrayString files;
    wxDir::GetAllFiles(path, &files, "*.so", wxDIR_FILES);
    files.Sort();  // a stable menu order whatever the file system returns
    size_t loaded = 0;
    for (const wxString& file : files)
        if (LoadOne(std::string(file.utf8_str()), host, logger))
            ++loaded;
    return loaded;
}

bool PluginLoader::LoadOne(const std::string& path, Host* host,
                           const std::shared_ptr<spdlog::logger>& logger)
{
    auto library = std::make_unique<wxDynamicLibrary>();
    wxString problem;
    {
        // A broken file must not pop up the toolkit's error box.
        LogCapture capture;
        library->Load(wxString::FromUTF8(path), wxDL_NOW);
        problem = capture.Text();
    }
    if (!library->IsLoaded())
    {
        if (logger)
            logger->warn("skipping {}: not a loadable library ({})", path, std::string(problem.utf8_str()));
        return false;
    }
    // HasSymbol asks quietly; GetSymbol would report a miss as a toolkit error.
    auto entry = library->HasSymbol(kLoadWidgetSymbol)
                     ? reinterpret_cast<LoadWidgetFunction>(library->GetSymbol(kLoadWidgetSymbol))
                     : nullptr;
    if (!entry)
    {
        if (logger)
            logger->warn("skipping {}: no {} symbol", path, kLoadWidgetSymbol);
        return false;
    }
    Widget* widget = entry(host, logger);
    if (!widget)
    {
        if (logger)
            logger->warn("skipping {}: {} returned nothing", path, kLoadWidgetSymbol);
        return false;
    }
    widget->host = host;
    if (logger)
        logger->info("loaded plug-in {} from {}", widget->GetDisplayName(), path);
    m_plugins.push_back(Plugin{std::move(library), widget, path});
    return true;
}

std::vector<Widget*> PluginLoader::Widgets() const
{
    std::vector<Widget*> widgets;
    for (const Plugin& plugin : m_plugins)
        widgets.push_back(plugin.widget);
    return widgets;
}

std::vector<std::string> PluginLoader::LibraryPaths() const
{
    std::vector<std::string> paths;
    for (const Plugin& plugin : m_plugins)
        paths.push_back(plugin.path);
    return paths;
}

void PluginLoader::UnloadAll()
{
    // Newest first, and each factory is deleted while its code is still mapped.
    while (!m_plugins.empty())
    {
        Plugin& plugin = m_plugins.back();
        delete plugin.widget;
        plugin.widget = nullptr;
        plugin.library.reset();
        m_plugins.pop_back();
    }
}
