#pragma once
// The user's files, kept safe from hostile contents and from crashes:
// reading refuses what would exhaust the parser before parsing, replacing a
// file lets readers only ever see the old or the new whole contents, and
// nothing unreadable is ever written over or deleted.

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

#include <boost/property_tree/detail/rapidxml.hpp>
#include <boost/property_tree/ptree.hpp>
#include <wx/string.h>

namespace files {

/// A file that exists but cannot be taken in; the message names the path.
class UnreadableFile : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// Elements nested deeper than this make a file unreadable: real layouts
/// and stores are about a dozen levels deep, and the XML reader recurses
/// once per level.
constexpr int kMaxXmlNesting = 64;

/// Files larger than this are not read: a store of a million instruments
/// takes 51 MB, and parsing costs several times a file's size.
constexpr long long kMaxUserFileBytes = 64LL << 20;

/// Documents read into a tree (the layout) hold at most this many elements
/// and attributes: a tree node costs about 450 bytes, so this is some 450 MB.
/// Ten tabs of 20,000 bookmarks each take 600,000.
constexpr std::size_t kMaxTreeItems = 1000000;

/// Documents only scanned (the store) hold at most this many: a parser node
/// costs about 100 bytes. A store of 1.25 million instruments (64 MB) fits.
constexpr std::size_t kMaxScannedItems = 4000000;

/// Offset of the first tag nested deeper than `maxDepth`, or npos.
std::string::size_type FindExcessiveNesting(const std::string& xml, int maxDepth = kMaxXmlNesting);

/// Reads `path` as an XML document. With a non-empty `root`, the document's
/// only element must be named so. Throws UnreadableFile, naming the path and
/// the reason, for a missing, unreadable or malformed file, one that is not
/// a regular file or is larger than kMaxUserFileBytes, a NUL byte,
/// nesting deeper than kMaxXmlNesting, more than kMaxTreeItems elements and
/// attributes or a wrong root element.
boost::property_tree::ptree ReadXmlDocument(const std::string& path, const std::string& root);

/// An element of a document parsed by ScanXmlDocument.
using XmlElement = boost::property_tree::detail::rapidxml::xml_node<char>;

/// Reads `path` with the checks and errors of ReadXmlDocument, allowing
/// `maxItems` elements and attributes (`root` must not be empty), and hands its root element to `scan` instead of building a
/// tree: a file of many thousand elements then costs no allocation per
/// element. The element lives only during the call.
void ScanXmlDocument(const std::string& path, const std::string& root,
                     const std::function<void(const XmlElement&)>& scan, std::size_t maxItems = kMaxScannedItems);

/// As ScanXmlDocument, for the text of `path` already read (with
/// ReadFileBytes); errors name `path`.
void ScanXmlText(const std::string& path, std::string text, const std::string& root,
                 const std::function<void(const XmlElement&)>& scan);

/// The bytes of `path`; throws UnreadableFile naming it when it cannot be read.
std::string ReadFileBytes(const std::string& path);

/// What tells one state of a file from the next without reading it: a file
/// replaced by a rename has another inode even with the same size and time.
struct FileIdentity
{
    /// False only when the path names nothing; a path that cannot be
    /// examined otherwise counts as there, for its reader to name the fault.
    bool exists = false;
    long long size = 0;
    long long seconds = 0;
    long long nanoseconds = 0;
    unsigned long long inode = 0;
    bool operator==(const FileIdentity& other) const;
};
FileIdentity IdentityOf(const std::string& path);

/// Renames the regular file `path` to an unused name beside it, so that a
/// new one can be saved without losing it; a symbolic link to something else
/// than a regular file, a FIFO or a socket is renamed itself. Returns the new
/// path, or an empty text when `path` is none of these or cannot be renamed.
std::string SetAsideUnreadable(const std::string& path);

/// Removes the temporary files that ReplaceFileContents left beside `path`
/// (or beside the file its symbolic link names) when the program died
/// between writing and renaming. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& path);

/// The layout's default board ("application.layout.default.tickerdeck") is
/// stored once: where it holds what a window of "application.layout.windows"
/// holds as its state, the file keeps only its attributes and that window's
/// number ("window", from 1). Where no window holds all of it (a board
/// opened from the default has its columns fitted), each tab's filters and
/// bookmarks that a window's tab holds the same are kept as that window's
/// and tab's numbers (<filters window="1" watchlist="3"/>). Both ways the
/// file holds them once. WithDefaultBoardShared makes these shapes for
/// writing; ExpandDefaultBoard brings a whole default back after reading and
/// leaves a default stored whole, as older files have it, as it is.
boost::property_tree::ptree WithDefaultBoardShared(const boost::property_tree::ptree& document);
void ExpandDefaultBoard(boost::property_tree::ptree& document);

/// Why the default board of a document, read and expanded, cannot open a
/// board: there is none, it is kept as a window the document does not hold
/// (`window` is the reference as written), or it holds no tabs at all.
struct DefaultBoardFault
{
    enum Kind
    {
        None,
        Missing,
        UnknownWindow,
        NoTabs
    };
    Kind kind = None;
    std::string window;
};
DefaultBoardFault FindDefaultBoardFault(const boost::property_tree::ptree& document);
/// Makes the default board of `from` that of `document`; false when `from`
/// has none.
bool CopyDefaultBoard(const boost::property_tree::ptree& from, boost::property_tree::ptree& document);

/// The document as XML text, indented by `indent` spaces a level (0: none),
/// with line breaks, tabs and carriage returns in attribute values written
/// as character references: written raw, any reader takes them as spaces.
std::string XmlText(const boost::property_tree::ptree& document, int indent);

/// A file that could not be written, in parts: the message (for the log)
/// is "<file>: <step>: <the system's reason>"; the step is one of ours, in
/// English, and ShownReason gives it in the user's language.
class WriteFailure : public std::runtime_error
{
public:
    WriteFailure(std::string path, const char* step, std::string reason);
    const std::string& Path() const { return m_path; }
    const char* Step() const { return m_step; }
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_path;
    const char* m_step;
    std::string m_reason;
};

/// What the user is told of `error`: a WriteFailure with its step
/// translated, anything else as its message says (it names the file).
wxString ShownReason(const std::exception& error);

/// Writes `contents` to a temporary file beside `path`, forces it to disk
/// and renames it over `path`. A symbolic link is kept: the file it names
/// is replaced. On any failure the temporary file is removed, `path` is left
/// exactly as it was, and WriteFailure is thrown.
void ReplaceFileContents(const std::string& path, const std::string& contents);

}  // namespace files
