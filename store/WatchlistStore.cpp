#include "store/WatchlistStore.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <sstream>
#include <utility>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "contract/Records.h"
#include "files/DurableFile.h"
#include "layout/WindowNodeReader.h"

namespace layout {

InstrumentRef RefOf(const Instrument& instrument)
{
    return {instrument.exchange, instrument.code};
}

namespace {

const char* const kWatchlistsPath = "application.watchlists";
const char* const kNameAttribute = "<xmlattr>.name";

Tree& StoreWatchlists(Tree& store)
{
    if (auto watchlists = store.get_child_optional(kWatchlistsPath))
        return *watchlists;
    return store.put_child(kWatchlistsPath, Tree());
}

bool IsWatchlistNamed(const std::string& key, const Tree& watchlist, const std::string& name)
{
    return key == "watchlist" && ReadText(watchlist, kNameAttribute) == name;
}

// Built child by child rather than through paths: a store can hold a great
// many instruments, and path lookups per attribute add up.
Tree InstrumentElement(const InstrumentRef& instrument)
{
    Tree attributes;
    attributes.push_back(Tree::value_type("exchange", Tree(instrument.exchange)));
    attributes.push_back(Tree::value_type("code", Tree(instrument.code)));
    Tree element;
    element.push_back(Tree::value_type("<xmlattr>", std::move(attributes)));
    return element;
}

void AddInstruments(Tree& watchlist, const std::vector<InstrumentRef>& instruments)
{
    for (const InstrumentRef& instrument : instruments)
        watchlist.push_back(Tree::value_type("instrument", InstrumentElement(instrument)));
}

Tree NameAttribute(const std::string& name)
{
    Tree attributes;
    attributes.push_back(Tree::value_type("name", Tree(name)));
    return attributes;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// A watchlist added at the end: its instruments, then its name. Filled in
// place, since copying a tree of many instruments is costly.
void AddNewWatchlist(Tree& watchlists, const std::string& name, const std::vector<InstrumentRef>& instruments)
{
    Tree& watchlist = watchlists.push_back(Tree::value_type("watchlist", Tree()))->second;
    AddInstruments(watchlist, instruments);
    watchlist.push_back(Tree::value_type("<xmlattr>", NameAttribute(name)));
}

// The first child element of `parent` named `name`, as a tree path finds it.
const XmlElement* FirstElement(const XmlElement& parent, std::string_view name)
{
    return parent.first_node(name.data(), name.size());
}

// The value of the first attribute named `name`, empty when there is none.
std::string AttributeText(const XmlElement& element, std::string_view name)
{
    const auto* attribute = element.first_attribute(name.data(), name.size());
    return attribute ? std::string(attribute->value(), attribute->value_size()) : std::string();
}

std::vector<InstrumentRef> ScanInstruments(const XmlElement& watchlist)
{
    const std::string_view key = "instrument";
    std::size_t count = 0;
    for (const auto* child = FirstElement(watchlist, key); child; child = child->next_sibling(key.data(), key.size()))
        ++count;
    std::vector<InstrumentRef> instruments;
    instruments.reserve(count);
    for (const auto* child = FirstElement(watchlist, key); child; child = child->next_sibling(key.data(), key.size()))
    {
        InstrumentRef ref{AttributeText(*child, "exchange"), AttributeText(*child, "code")};
        if (!ref.exchange.empty() && !ref.code.empty())
            instruments.push_back(std::move(ref));
    }
    return instruments;
}

}  // namespace

std::vector<StoredWatchlist> ReadStoredWatchlists(const std::string& path)
{
    std::vector<StoredWatchlist> watchlists;
    ScanXmlDocument(path, "application", [&watchlists](const XmlElement& application) {
        const XmlElement* parent = FirstElement(application, "watchlists");
        if (!parent)
            return;
        const std::string_view key = "watchlist";
        for (const auto* child = FirstElement(*parent, key); child; child = child->next_sibling(key.data(), key.size()))
            watchlists.push_back({AttributeText(*child, "name"), ScanInstruments(*child)});
    });
    return watchlists;
}

std::vector<InstrumentRef> StoredInstruments(const std::vector<StoredWatchlist>& watchlists, const std::string& name)
{
    std::vector<InstrumentRef> instruments;
    for (const StoredWatchlist& watchlist : watchlists)
        if (watchlist.name == name)
            instruments.insert(instruments.end(), watchlist.instruments.begin(), watchlist.instruments.end());
    return instruments;
}

Tree ReadStore(const std::string& path)
{
    return ReadXmlDocument(path, "application");
}

namespace
{

// Line breaks and tabs in an attribute would come back as spaces to a
// conforming reader; in text they are kept as they are.
void AppendEscaped(std::string& out, const std::string& text, bool inAttribute)
{
    for (const char c : text)
        switch (c)
        {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += inAttribute ? "&quot;" : "\"";
            break;
        case '\n':
            out += inAttribute ? "&#10;" : "\n";
            break;
        case '\t':
            out += inAttribute ? "&#9;" : "\t";
            break;
        case '\r':
            out += inAttribute ? "&#13;" : "\r";
            break;
        default:
            out += c;
        }
}

void AppendEscapedText(std::string& out, const std::string& text)
{
    AppendEscaped(out, text, false);
}

} // namespace

void AppendEscapedAttribute(std::string& out, const std::string& text)
{
    AppendEscaped(out, text, true);
}

void AppendTidyXml(std::string& out, const std::string& key, const Tree& element, int depth)
{
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    if (key == "<xmlcomment>")
    {
        out += indent + "<!--" + element.data() + "-->\n";
        return;
    }
    out += indent + "<" + key;
    std::size_t children = 0;
    for (const auto& [name, child] : element)
    {
        if (name != "<xmlattr>")
        {
            ++children;
            continue;
        }
        for (const auto& [attribute, value] : child)
        {
            out += " " + attribute + "=\"";
            AppendEscapedAttribute(out, value.data());
            out += "\"";
        }
    }
    const bool text = !IsBlank(element.data());
    if (!children)
    {
        if (!text)
        {
            out += "/>\n";
            return;
        }
        out += ">";
        AppendEscapedText(out, element.data());
        out += "</" + key + ">\n";
        return;
    }
    out += ">\n";
    if (text)
    {
        out += indent + "  ";
        AppendEscapedText(out, element.data());
        out += "\n";
    }
    for (const auto& [name, child] : element)
        if (name != "<xmlattr>")
            AppendTidyXml(out, name, child, depth + 1);
    out += indent + "</" + key + ">\n";
}

std::string StoreText(const Tree& store)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    for (const auto& [key, element] : store)
        AppendTidyXml(text, key, element, 0);
    return text;
}

void WriteStore(const std::string& path, const Tree& store)
{
    const std::string text = StoreText(store);
    // A NUL (from a name typed with one) would cut every later watchlist off.
    if (text.find('\0') != std::string::npos)
        throw std::runtime_error("a watchlist text holds a NUL character; the store is left as it was");
    ReplaceFileContents(path, text);
}

std::vector<InstrumentRef> StoredInstruments(const Tree& store, const std::string& name)
{
    std::vector<InstrumentRef> instruments;
    const auto watchlists = store.get_child_optional(kWatchlistsPath);
    if (!watchlists)
        return instruments;
    for (const auto& [key, watchlist] : *watchlists)
    {
        if (!IsWatchlistNamed(key, watchlist, name))
            continue;
        std::vector<InstrumentRef> found = ReadInstruments(watchlist);
        instruments.insert(instruments.end(), found.begin(), found.end());
    }
    return instruments;
}

std::vector<std::string> ListWatchlistNames(const std::string& path)
{
    std::vector<std::string> names;
    try
    {
        const Tree store = ReadStore(path);
        const auto watchlists = store.get_child_optional(kWatchlistsPath);
        if (!watchlists)
            return names;
        for (const auto& [key, watchlist] : *watchlists)
            if (key == "watchlist")
                names.push_back(ReadText(watchlist, kNameAttribute));
    }
    catch (const std::exception&)
    {
        // A store that cannot be read lists nothing; the menus show no entries.
        names.clear();
    }
    return names;
}

void AppendWatchlist(Tree& store, const std::string& name, const std::vector<InstrumentRef>& instruments)
{
    AddNewWatchlist(StoreWatchlists(store), name, instruments);
}

}  // namespace layout
