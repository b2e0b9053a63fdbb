#include "TerminalSettings.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include <boost/property_tree/xml_parser.hpp>

#include "files/DurableFile.h"

namespace {

using boost::property_tree::ptree;

constexpr const char* kRoot = "terminal";
constexpr const char* kThemePath = "terminal.view.<xmlattr>.theme";

// A missing file reads as no settings. One that cannot be read throws: the
// start sets it aside (UnreadableFiles), and what is left (a folder in its
// place) is never written over.
ptree ReadSettings(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::u8path(path), error) && !error)
        return ptree();
    return files::ReadXmlDocument(path, kRoot);
}

}  // namespace

std::string ReadStoredTheme(const std::string& path)
{
    try
    {
        const std::string theme = ReadSettings(path).get<std::string>(kThemePath, "");
        return theme == "dark" || theme == "light" ? theme : std::string();
    }
    catch (const files::UnreadableFile&)
    {
        // Nothing in it is worth stopping a start for; the start told why.
        return std::string();
    }
}

void WriteStoredTheme(const std::string& path, const std::string& theme)
{
    ptree settings = ReadSettings(path);
    settings.put(kThemePath, theme);
    std::ostringstream text;
    // Unindented: the reader would keep indentation as text, and each
    // rewrite would add to it.
    boost::property_tree::write_xml(text, settings);
    files::ReplaceFileContents(path, text.str());
}
