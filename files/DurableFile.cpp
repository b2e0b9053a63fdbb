#include "files/DurableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
#include <wx/intl.h>
#include <wx/log.h>

namespace files {

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

/// Closes a descriptor when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

std::string ReadAll(const std::string& path)
{
    // Opened without waiting, so that a FIFO with no writer cannot block the
    // start; what is not a regular file is refused before a byte is read.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        throw Unreadable(path, std::string("cannot open file: ") + std::strerror(errno));
    struct stat status
    {
    };
    if (::fstat(file.Get(), &status) != 0)
        throw Unreadable(path, std::string("cannot open file: ") + std::strerror(errno));
    if (S_ISDIR(status.st_mode))
        throw Unreadable(path, "is a folder, not a file");
    if (!S_ISREG(status.st_mode))
        throw Unreadable(path, "is not a regular file");
    if (status.st_size > kMaxUserFileBytes)
        throw Unreadable(path, "larger than " + std::to_string(kMaxUserFileBytes >> 20) + " MB");
    std::string text;
    text.reserve(static_cast<std::size_t>(status.st_size));
    // In one block rather than character by character: stores run to
    // megabytes. The cap holds even for a file that grows while it is read.
    char block[1 << 16];
    for (;;)
    {
        const ssize_t got = ::read(file.Get(), block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw Unreadable(path, std::string("read error: ") + std::strerror(errno));
        if (got == 0)
            break;
        if (text.size() + static_cast<std::size_t>(got) > static_cast<std::size_t>(kMaxUserFileBytes))
            throw Unreadable(path, "larger than " + std::to_string(kMaxUserFileBytes >> 20) + " MB");
        text.append(block, static_cast<std::size_t>(got));
    }
    return text;
}

namespace rapidxml = boost::property_tree::detail::rapidxml;

// What the tree reader parses with when given no flags: comments kept,
// whitespace as it stands.
constexpr int kParseFlags = rapidxml::parse_comment_nodes;

bool HoldsNul(const char* text, std::size_t size)
{
    return std::memchr(text, '\0', size) != nullptr;
}

// Some malformed markup is taken in with the parser's own terminators
// inside texts and attribute values; written back it would cut the file.
// Names never carry them: they are read up to the first terminator.
bool HoldsNul(const rapidxml::xml_node<char>& node)
{
    switch (node.type())
    {
    case rapidxml::node_data:
    case rapidxml::node_cdata:
    case rapidxml::node_comment:
        return HoldsNul(node.value(), node.value_size());
    case rapidxml::node_element:
        for (const auto* attribute = node.first_attribute(); attribute; attribute = attribute->next_attribute())
            if (HoldsNul(attribute->value(), attribute->value_size()))
                return true;
        break;
    case rapidxml::node_document:
        break;
    default:
        return false;
    }
    for (const auto* child = node.first_node(); child; child = child->next_sibling())
        if (HoldsNul(*child))
            return true;
    return false;
}

// The one element named `root` (comments aside), or null: anything else
// would be saved as a second root beside it, which no reader takes.
const XmlElement* OnlyRoot(const rapidxml::xml_document<char>& document, const std::string& root)
{
    const XmlElement* found = nullptr;
    for (const auto* child = document.first_node(); child; child = child->next_sibling())
    {
        if (child->type() != rapidxml::node_element)
            continue;
        if (found || root != child->name())
            return nullptr;
        found = child;
    }
    return found;
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

/// The failure of `step` on `file`, with the system's reason read right
/// after the failing call.
WriteFailure WriteError(const wxString& file, const char* step)
{
    const int error = errno;
    return WriteFailure(std::string(file.utf8_str()), step, error ? std::strerror(error) : "unknown error");
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
std::error_code KeepPermissionsOf(const std::string& target, const wxString& replacement)
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
    error.clear();
    fs::permissions(fs::u8path(std::string(replacement.utf8_str())), permissions, fs::perm_options::replace,
                    error);
    return error;
}

}  // namespace

namespace {

/// Where one linear walk over the markup found it exceeding a bound.
struct MarkupExcess
{
    std::string::size_type tooDeep = std::string::npos;
    std::string::size_type tooMany = std::string::npos;
};

// Counts elements, comments and the like, and attributes, up to `maxItems`:
// each becomes a node of the parser's (and a tree's), which cost ten to a
// hundred times the bytes they take in the file.
MarkupExcess WalkMarkup(const std::string& xml, int maxDepth, std::size_t maxItems)
{
    MarkupExcess excess;
    int depth = 0;
    std::size_t items = 0;
    std::string::size_type i = 0;
    while ((i = xml.find('<', i)) != std::string::npos)
    {
        const std::string::size_type start = i;
        if (xml.compare(i, 2, "</") != 0 && ++items > maxItems)
        {
            excess.tooMany = start;
            return excess;
        }
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
                else if (c == '=' && ++items > maxItems)
                {
                    excess.tooMany = start;
                    return excess;
                }
            }
            const bool selfClosing = i < xml.size() && xml[i - 1] == '/';
            if (!selfClosing && ++depth > maxDepth)
            {
                excess.tooDeep = start;
                return excess;
            }
            ++i;
        }
    }
    return excess;
}

}  // namespace

std::string::size_type FindExcessiveNesting(const std::string& xml, int maxDepth)
{
    return WalkMarkup(xml, maxDepth, std::string::npos).tooDeep;
}

namespace {

// The parser keeps the line breaks and indentation between elements as their
// parent's text; written back, by an indenting writer or not, they pile up
// into blank lines at every save. An element that holds others has no text
// of its own in our files.
void DropIndentation(ptree& element)
{
    if (!element.empty() && element.data().find_first_not_of(" \t\r\n") == std::string::npos)
        element.data().clear();
    for (auto& child : element)
        DropIndentation(child.second);
}

// Refuses, before parsing, a text the parser could not take, or not within
// memory bounded by the file's size.
void CheckText(const std::string& path, const std::string& text, std::size_t maxItems)
{
    // The reader takes a NUL byte as part of a text, but the writer's output
    // would then end there and never read back.
    const std::string::size_type nul = text.find('\0');
    if (nul != std::string::npos)
        throw Unreadable(path, "NUL byte in the file (not UTF-8 text?)", LineAt(text, nul));
    const MarkupExcess excess = WalkMarkup(text, kMaxXmlNesting, maxItems);
    if (excess.tooDeep != std::string::npos)
        throw Unreadable(path, "elements nested too deeply", LineAt(text, excess.tooDeep));
    if (excess.tooMany != std::string::npos)
        throw Unreadable(path, "more than " + std::to_string(maxItems) + " elements and attributes",
                         LineAt(text, excess.tooMany));
}

// The file's text, refused before parsing when the parser could not take it.
std::string ReadCheckedText(const std::string& path, std::size_t maxItems)
{
    std::string text = ReadAll(path);
    CheckText(path, text, maxItems);
    return text;
}

// Parses `text` in place (the parser writes its terminators into it) and
// checks what both readers refuse.
void Parse(const std::string& path, std::string& text, const std::string& root,
           rapidxml::xml_document<char>& document)
{
    try
    {
        document.parse<kParseFlags>(&text[0]);
    }
    catch (const rapidxml::parse_error& error)
    {
        throw Unreadable(path, error.what(), LineAt(text, static_cast<std::string::size_type>(
                                                              error.where<char>() - text.data())));
    }
    catch (const std::exception& error)
    {
        throw Unreadable(path, error.what());
    }
    if (HoldsNul(document))
        throw Unreadable(path, "malformed markup");
    if (!root.empty() && !OnlyRoot(document, root))
        throw Unreadable(path, "the document's root element is not <" + root + ">");
}

}  // namespace

ptree ReadXmlDocument(const std::string& path, const std::string& root)
{
    std::string text = ReadCheckedText(path, kMaxTreeItems);
    rapidxml::xml_document<char> parsed;
    Parse(path, text, root, parsed);
    ptree document;
    try
    {
        for (auto* child = parsed.first_node(); child; child = child->next_sibling())
            boost::property_tree::xml_parser::read_xml_node(child, document, 0);
    }
    catch (const std::exception& error)
    {
        throw Unreadable(path, error.what());
    }
    DropIndentation(document);
    return document;
}

void ScanXmlDocument(const std::string& path, const std::string& root,
                     const std::function<void(const XmlElement&)>& scan, std::size_t maxItems)
{
    std::string text = ReadCheckedText(path, maxItems);
    rapidxml::xml_document<char> parsed;
    Parse(path, text, root, parsed);
    scan(*OnlyRoot(parsed, root));
}

void ScanXmlText(const std::string& path, std::string text, const std::string& root,
                 const std::function<void(const XmlElement&)>& scan)
{
    CheckText(path, text, kMaxScannedItems);
    rapidxml::xml_document<char> parsed;
    Parse(path, text, root, parsed);
    scan(*OnlyRoot(parsed, root));
}

std::string ReadFileBytes(const std::string& path)
{
    return ReadAll(path);
}

std::string SetAsideUnreadable(const std::string& path)
{
    const fs::path given = fs::u8path(path);
    fs::path target = FinalTarget(given);
    std::error_code error;
    if (!fs::is_regular_file(target, error))
    {
        // A link to a device or a pipe goes aside itself; a pipe in the
        // user's folder does too. A device named directly is left alone:
        // renaming one in /dev would break the system.
        const fs::file_status own = fs::symlink_status(given, error);
        if (fs::is_symlink(own) || fs::is_fifo(own) || fs::is_socket(own))
            target = given;
        else
            return std::string();
    }
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

namespace
{

// The tree writer escapes markup but writes other characters as they are.
// Characters to be referenced go through it as a marker byte and a letter;
// the marker byte itself, never written by the writer, is doubled.
constexpr char kMarker = '\x01';

bool NeedsMarking(char c, bool inAttribute)
{
    return c == kMarker || (inAttribute && (c == '\n' || c == '\t' || c == '\r'));
}

bool HoldsMarkable(const ptree& element, bool inAttribute)
{
    for (const char c : element.data())
        if (NeedsMarking(c, inAttribute))
            return true;
    for (const auto& [key, child] : element)
        if (HoldsMarkable(child, inAttribute || key == "<xmlattr>"))
            return true;
    return false;
}

void Mark(ptree& element, bool inAttribute)
{
    std::string& data = element.data();
    std::string marked;
    for (const char c : data)
    {
        if (!NeedsMarking(c, inAttribute))
        {
            marked += c;
            continue;
        }
        marked += kMarker;
        marked += c == '\n' ? 'n' : c == '\t' ? 't' : c == '\r' ? 'r' : kMarker;
    }
    data = std::move(marked);
    for (auto& [key, child] : element)
        Mark(child, inAttribute || key == "<xmlattr>");
}

std::string ResolveMarks(const std::string& text)
{
    std::string resolved;
    resolved.reserve(text.size());
    for (std::string::size_type i = 0; i < text.size(); ++i)
    {
        if (text[i] != kMarker || i + 1 == text.size())
        {
            resolved += text[i];
            continue;
        }
        const char letter = text[++i];
        resolved += letter == 'n'   ? "&#10;"
                    : letter == 't' ? "&#9;"
                    : letter == 'r' ? "&#13;"
                                    : std::string(1, kMarker);
    }
    return resolved;
}

} // namespace

namespace
{

constexpr const char* kDefaultBoardPath = "application.layout.default.tickerdeck";
constexpr const char* kWindowsPath = "application.layout.windows";
constexpr const char* kSharedWindowAttribute = "<xmlattr>.window";
constexpr const char* kSharedTabAttribute = "<xmlattr>.watchlist";
// The parts of a tab that may run to megabytes (a filter's list, a
// bookmark per row); the columns are small and differ once fitted.
constexpr const char* kSharedTabParts[] = {"filters", "bookmark"};

/// The element without its attributes, which only the default carries.
ptree WithoutAttributes(ptree element)
{
    element.erase("<xmlattr>");
    return element;
}

/// Whether two elements write the same XML: a writer may put an element's
/// attributes after its children in the tree, a reader puts them first.
bool SameElement(const ptree& a, const ptree& b)
{
    if (a.data() != b.data() || a.size() != b.size() ||
        a.get_child("<xmlattr>", ptree()) != b.get_child("<xmlattr>", ptree()))
        return false;
    const auto skipAttributes = [](ptree::const_iterator at, const ptree& element) {
        while (at != element.end() && at->first == "<xmlattr>")
            ++at;
        return at;
    };
    auto left = skipAttributes(a.begin(), a);
    auto right = skipAttributes(b.begin(), b);
    while (left != a.end() && right != b.end())
    {
        if (left->first != right->first || !SameElement(left->second, right->second))
            return false;
        left = skipAttributes(++left, a);
        right = skipAttributes(++right, b);
    }
    return left == a.end() && right == b.end();
}

/// Calls `visit(number, tab)` for each tab of each window's state, both
/// numbered from 1, until it returns true.
template <typename Visit>
void ForEachWindowTab(const ptree& windows, Visit visit)
{
    int number = 0;
    for (const auto& [key, window] : windows)
    {
        if (key != "window")
            continue;
        ++number;
        const auto tabs = window.get_child_optional("state.watchlists");
        int at = 0;
        for (const auto& [tabKey, tab] : tabs ? *tabs : ptree())
            if (tabKey == "watchlist" && visit(number, ++at, tab))
                return;
    }
}

/// Calls `visit(tab, name)` for every part a tab of the default board may
/// share with a window's tab.
template <class Visit>
void ForEachShareableTabPart(ptree& board, Visit visit)
{
    const auto tabs = board.get_child_optional("watchlists");
    if (!tabs)
        return;
    for (auto& [key, tab] : *tabs)
        if (key == "watchlist")
            for (const char* name : kSharedTabParts)
                visit(tab, name);
}

/// The default's tabs keep a part that a window's tab holds the same only
/// as the window's and that tab's numbers.
void ShareTabParts(ptree& board, const ptree& windows)
{
    ForEachShareableTabPart(board, [&](ptree& tab, const char* name) {
        const auto part = tab.get_child_optional(name);
        if (!part || part->empty())
            return;
        ForEachWindowTab(windows, [&](int window, int at, const ptree& windowTab) {
            const auto same = windowTab.get_child_optional(name);
            if (!same || !SameElement(*same, *part))
                return false;
            ptree reference;
            reference.put(kSharedWindowAttribute, std::to_string(window));
            reference.put(kSharedTabAttribute, std::to_string(at));
            *part = reference;
            return true;
        });
    });
}

/// Brings back the tab parts ShareTabParts left as references; one that
/// names no tab holding the part is dropped.
void ExpandTabParts(ptree& board, const ptree& windows)
{
    ForEachShareableTabPart(board, [&](ptree& tab, const char* name) {
        const auto part = tab.get_child_optional(name);
        const auto window = part ? part->get_optional<int>(kSharedWindowAttribute) : boost::none;
        const auto at = part ? part->get_optional<int>(kSharedTabAttribute) : boost::none;
        if (!window || !at)
            return;
        ptree whole;
        ForEachWindowTab(windows, [&](int number, int tabNumber, const ptree& windowTab) {
            if (number != *window || tabNumber != *at)
                return false;
            whole = windowTab.get_child(name, ptree());
            return true;
        });
        if (whole.empty())
            tab.erase(name);
        else
            *part = std::move(whole);
    });
}

} // namespace

ptree WithDefaultBoardShared(const ptree& document)
{
    const auto board = document.get_child_optional(kDefaultBoardPath);
    const auto windows = document.get_child_optional(kWindowsPath);
    if (!board || !windows || board->empty())
        return document;
    const ptree contents = WithoutAttributes(*board);
    int number = 0;
    for (const auto& [key, window] : *windows)
    {
        if (key != "window")
            continue;
        ++number;
        const auto state = window.get_child_optional("state");
        if (!state || !SameElement(WithoutAttributes(*state), contents))
            continue;
        ptree shared = document;
        ptree stub;
        if (const auto attributes = board->get_child_optional("<xmlattr>"))
            stub.put_child("<xmlattr>", *attributes);
        stub.put(kSharedWindowAttribute, std::to_string(number));
        shared.put_child(kDefaultBoardPath, stub);
        return shared;
    }
    // A board opened from the default differs from it at least in its
    // fitted column widths; its big parts are still the default's.
    ptree shared = document;
    ShareTabParts(shared.get_child(kDefaultBoardPath), *windows);
    return shared;
}

void ExpandDefaultBoard(ptree& document)
{
    const auto board = document.get_child_optional(kDefaultBoardPath);
    const auto windows = document.get_child_optional(kWindowsPath);
    if (!board || !windows)
        return;
    const auto number = board->get_optional<int>(kSharedWindowAttribute);
    if (!number)
    {
        ExpandTabParts(*board, *windows);
        return;
    }
    int at = 0;
    for (const auto& [key, window] : *windows)
    {
        if (key != "window" || ++at != *number)
            continue;
        ptree whole = WithoutAttributes(window.get_child("state", ptree()));
        if (const auto attributes = board->get_child_optional("<xmlattr>"))
        {
            ptree kept = *attributes;
            kept.erase("window");
            if (!kept.empty())
                whole.push_front(ptree::value_type("<xmlattr>", kept));
        }
        document.put_child(kDefaultBoardPath, whole);
        return;
    }
}

DefaultBoardFault FindDefaultBoardFault(const ptree& document)
{
    const auto board = document.get_child_optional(kDefaultBoardPath);
    if (!board)
        return {DefaultBoardFault::Missing, std::string()};
    if (board->get_child_optional("watchlists"))
        return {};
    // Expanding took the reference off whatever window it found.
    if (const auto window = board->get_optional<std::string>(kSharedWindowAttribute))
        return {DefaultBoardFault::UnknownWindow, *window};
    return {DefaultBoardFault::NoTabs, std::string()};
}

bool CopyDefaultBoard(const ptree& from, ptree& document)
{
    const auto board = from.get_child_optional(kDefaultBoardPath);
    if (!board)
        return false;
    document.put_child(kDefaultBoardPath, *board);
    return true;
}

bool FileIdentity::operator==(const FileIdentity& other) const
{
    return exists == other.exists && size == other.size && seconds == other.seconds &&
           nanoseconds == other.nanoseconds && inode == other.inode;
}

FileIdentity IdentityOf(const std::string& path)
{
    FileIdentity identity;
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
    {
        identity.exists = errno != ENOENT && errno != ENOTDIR;
        return identity;
    }
    identity.exists = true;
    identity.size = static_cast<long long>(info.st_size);
    identity.seconds = static_cast<long long>(info.st_mtim.tv_sec);
    identity.nanoseconds = static_cast<long long>(info.st_mtim.tv_nsec);
    identity.inode = static_cast<unsigned long long>(info.st_ino);
    return identity;
}

std::string XmlText(const ptree& document, int indent)
{
    const auto settings = boost::property_tree::xml_writer_make_settings<std::string>(' ', indent, "utf-8");
    std::ostringstream text;
    // A store of a million instruments is not copied for the rare name
    // that holds a line break.
    if (!HoldsMarkable(document, false))
    {
        boost::property_tree::write_xml(text, document, settings);
        return text.str();
    }
    ptree marked = document;
    Mark(marked, false);
    boost::property_tree::write_xml(text, marked, settings);
    return ResolveMarks(text.str());
}

WriteFailure::WriteFailure(std::string path, const char* step, std::string reason)
    : std::runtime_error(path + ": " + step + ": " + reason),
      m_path(std::move(path)),
      m_step(step),
      m_reason(std::move(reason))
{
}

wxString ShownReason(const std::exception& error)
{
    if (const auto* failure = dynamic_cast<const WriteFailure*>(&error))
        return wxString::FromUTF8(failure->Path()) + ": " + wxGetTranslation(failure->Step()) + ": " +
               wxString::FromUTF8(failure->Reason());
    return wxString::FromUTF8(error.what());
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
    // The user is told of the file they know, not of its temporary twin.
    errno = 0;
    TemporaryFile temporary(target);
    if (!temporary.IsOpen())
        throw WriteError(target, wxTRANSLATE("cannot create a temporary file beside it"));
    // A write cut short (a full disk, a size limit) says why only when the
    // rest is tried.
    for (std::size_t written = 0; written < contents.size();)
    {
        errno = 0;
        const std::size_t now = temporary.File().Write(contents.data() + written, contents.size() - written);
        if (now == 0)
            throw WriteError(target, wxTRANSLATE("cannot write"));
        written += now;
    }
    // Flush forces the bytes to the disk: a rename that outlives a crash
    // must not point at data that never got there.
    errno = 0;
    if (!temporary.File().Flush() || !temporary.File().Close())
        throw WriteError(target, wxTRANSLATE("cannot write to the disk"));
    // Saved with a temporary file's private mode, it would lock out whoever
    // could read the old one.
    if (const std::error_code error = KeepPermissionsOf(resolved, temporary.Path()))
        throw WriteFailure(resolved, wxTRANSLATE("cannot give it the old file's permissions"), error.message());
    errno = 0;
    if (!wxRenameFile(temporary.Path(), target, true))
        throw WriteError(target, wxTRANSLATE("cannot replace"));
    temporary.MarkCommitted();
}

}  // namespace files
