#include "layout/DurableFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <boost/property_tree/xml_parser.hpp>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace layout {

namespace {

namespace fs = std::filesystem;
using boost::property_tree::ptree;

// Temporary files are named "." + the file's name + six characters (the
// toolkit drops the dot asked for between them).
constexpr std::string::size_type kTemporarySuffix = 6;

UnreadableFile Unreadable(const std::string& path, const std::string& reason, unsigned long line = 0)
{
    return UnreadableFile(path + (line ? ":" + std::to_string(line) : std::string()) + ": " + reason);
}

unsigned long LineAt(const std::string& text, std::string::size_type offset)
{
    return static_cast<unsigned long>(std::count(text.begin(), text.begin() + offset, '\n') + 1);
}

std::string::size_type SkipPast(const std::string& text, std::string::size_type from, const char* marker)
{
    const std::string::size_type found = text.find(marker, from);
    return found == std::string::npos ? text.size() : found + std::char_traits<char>::length(marker);
}

std::string ReadAll(const std::string& path)
{
    std::error_code error;
    if (fs::is_directory(fs::u8path(path), error))
        throw Unreadable(path, "is a folder, not a file");
    std::ifstream file(fs::u8path(path), std::ios::binary);
    if (!file)
        throw Unreadable(path, std::string("cannot open file: ") + std::strerror(errno));
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        throw Unreadable(path, "read error");
    return text;
}

// Some malformed markup is taken in with the parser's own terminators
// inside the texts; written back, the document would end there.
bool HoldsNul(const ptree& tree)
{
    if (tree.data().find('\0') != std::string::npos)
        return true;
    for (const auto& [key, child] : tree)
        if (key.find('\0') != std::string::npos || HoldsNul(child))
            return true;
    return false;
}

// Anything but exactly one element named `root` (comments aside) would be
// saved as a second root beside it, which no reader takes.
bool HasOnlyRoot(const ptree& document, const std::string& root)
{
    int elements = 0;
    for (const auto& [key, child] : document)
    {
        if (key == "<xmlcomment>")
            continue;
        if (key != root || ++elements > 1)
            return false;
    }
    return elements == 1;
}

/// The file a chain of symbolic links ends at (possibly missing), or `path`.
fs::path FinalTarget(const fs::path& path)
{
    fs::path current = path;
    std::error_code error;
    // The same bound as the system's own, so that a loop of links ends.
    for (int hop = 0; hop < 40 && fs::is_symlink(current, error); ++hop)
    {
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current;
}

std::string Narrow(const fs::path& path)
{
    return path.u8string();
}

std::string TimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool IsTemporaryOf(const std::string& name, const std::string& prefix)
{
    return name.size() == prefix.size() + kTemporarySuffix && name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + prefix.size(), name.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

std::runtime_error WriteError(const wxString& what, const wxString& path)
{
    return std::runtime_error(std::string((what + " " + path).utf8_str()));
}

/// Removes the temporary file unless the rename took it over.
class TemporaryFile
{
public:
    explicit TemporaryFile(const wxString& target)
    {
        const wxFileName name(target);
        m_path = wxFileName::CreateTempFileName(
            wxFileName(name.GetPath(), "." + name.GetFullName() + ".").GetFullPath(), &m_file);
    }
    ~TemporaryFile()
    {
        if (m_file.IsOpened())
            m_file.Close();
        if (!m_path.empty() && !m_committed)
            wxRemoveFile(m_path);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return !m_path.empty() && m_file.IsOpened(); }
    wxFile& File() { return m_file; }
    const wxString& Path() const { return m_path; }
    void MarkCommitted() { m_committed = true; }

private:
    wxFile m_file;
    wxString m_path;
    bool m_committed = false;
};

// A new file would otherwise get the private mode of a temporary file and
// stop being readable by whoever could read the old one.
void KeepPermissionsOf(const std::string& target, const wxString& replacement)
{
    std::error_code error;
    const fs::file_status status = fs::status(fs::u8path(target), error);
    fs::perms permissions = status.permissions();
    if (error || !fs::exists(status))
    {
        // A file made for the first time gets what any new file would.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        permissions = static_cast<fs::perms>(0666 & ~mask);
    }
    fs::permissions(fs::u8path(std::string(replacement.utf8_str())), permissions, fs::perm_options::replace,
                    error);
}

}  // namespace

std::string::size_type FindExcessiveNesting(const std::string& xml, int maxDepth)
{
    int depth = 0;
    std::string::size_type i = 0;
    while ((i = xml.find('<', i)) != std::string::npos)
    {
        if (xml.compare(i, 4, "<!--") == 0)
            i = SkipPast(xml, i + 4, "-->");
        else if (xml.compare(i, 9, "<![CDATA[") == 0)
            i = SkipPast(xml, i + 9, "]]>");
        else if (xml.compare(i, 2, "<?") == 0)
            i = SkipPast(xml, i + 2, "?>");
        else if (xml.compare(i, 2, "<!") == 0)
            i = SkipPast(xml, i + 2, ">");
        else if (xml.compare(i, 2, "</") == 0)
        {
            depth = std::max(0, depth - 1);
            i = SkipPast(xml, i + 2, ">");
        }
        else
        {
            const std::string::size_type start = i;
            char quote = 0;
            for (++i; i < xml.size(); ++i)
            {
                const char c = xml[i];
                if (quote)
                    quote = c == quote ? 0 : quote;
                else if (c == '"' || c == '\'')
                    quote = c;
                else if (c == '>')
                    break;
            }
            const bool selfClosing = i < xml.size() && xml[i - 1] == '/';
            if (!selfClosing && ++depth > maxDepth)
                return start;
            ++i;
        }
    }
    return std::string::npos;
}

ptree ReadXmlDocument(const std::string& path, const std::string& root)
{
    namespace xml = boost::property_tree::xml_parser;
    const std::string text = ReadAll(path);
    // The reader takes a NUL byte as part of a text, but the writer's output
    // would then end there and never read back.
    const std::string::size_type nul = text.find('\0');
    if (nul != std::string::npos)
        throw Unreadable(path, "NUL byte in the file (not UTF-8 text?)", LineAt(text, nul));
    const std::string::size_type tooDeep = FindExcessiveNesting(text);
    if (tooDeep != std::string::npos)
        throw Unreadable(path, "elements nested too deeply", LineAt(text, tooDeep));
    std::istringstream stream(text);
    ptree document;
    try
    {
        xml::read_xml(stream, document);
    }
    catch (const xml::xml_parser_error& error)
    {
        throw Unreadable(path, error.message(), error.line());
    }
    catch (const std::exception& error)
    {
        throw Unreadable(path, error.what());
    }
    if (HoldsNul(document))
        throw Unreadable(path, "malformed markup");
    if (!root.empty() && !HasOnlyRoot(document, root))
        throw Unreadable(path, "the document's root element is not <" + root + ">");
    return document;
}

std::string SetAsideUnreadable(const std::string& path)
{
    const fs::path target = FinalTarget(fs::u8path(path));
    std::error_code error;
    if (!fs::is_regular_file(target, error))
        return std::string();
    const std::string stem = Narrow(target) + ".unreadable-" + TimeStamp();
    std::string aside = stem;
    for (int n = 2; fs::exists(fs::u8path(aside), error) || fs::is_symlink(fs::u8path(aside), error); ++n)
        aside = stem + "-" + std::to_string(n);
    fs::rename(target, fs::u8path(aside), error);
    return error ? std::string() : aside;
}

int RemoveStaleTemporaries(const std::string& path)
{
    // Beside the link's file, where they are written now, and beside the
    // link itself, where earlier versions wrote them.
    const fs::path given = fs::u8path(path);
    const fs::path target = FinalTarget(given);
    std::vector<fs::path> places{target};
    if (given != target)
        places.push_back(given);
    int removed = 0;
    for (const fs::path& file : places)
    {
        const std::string prefix = "." + Narrow(file.filename());
        const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
            if (IsTemporaryOf(Narrow(entry->path().filename()), prefix) && entry->is_regular_file(error) &&
                fs::remove(entry->path(), error))
                ++removed;
    }
    return removed;
}

void ReplaceFileContents(const std::string& path, const std::string& contents)
{
    // Failures are reported to the caller; the toolkit must not pop up
    // message boxes of its own for them.
    wxLogNull quiet;
    // A link stays a link: its file is replaced, beside itself, so that the
    // rename stays on that file's disk.
    const std::string resolved = Narrow(FinalTarget(fs::u8path(path)));
    const wxString target = wxString::FromUTF8(resolved);
    TemporaryFile temporary(target);
    if (!temporary.IsOpen())
        throw WriteError("cannot create a temporary file beside", target);
    if (!contents.empty() && temporary.File().Write(contents.data(), contents.size()) != contents.size())
        throw WriteError("cannot write", temporary.Path());
    // Flush forces the bytes to the disk: a rename that outlives a crash
    // must not point at data that never got there.
    if (!temporary.File().Flush() || !temporary.File().Close())
        throw WriteError("cannot flush", temporary.Path());
    KeepPermissionsOf(resolved, temporary.Path());
    if (!wxRenameFile(temporary.Path(), target, true))
        throw WriteError("cannot replace", target);
    temporary.MarkCommitted();
}

}  // namespace layout
