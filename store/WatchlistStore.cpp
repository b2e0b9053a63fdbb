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

namespace store {

layout::InstrumentRef RefOf(const Instrument& instrument)
{
    return {instrument.exchange, instrument.code};
}

namespace {

const char* const kWatchlistsPath = "application.watchlists";
const char* const kNameAttribute = "<xmlattr>.name";

layout::Tree& StoreWatchlists(layout::Tree& store)
{
    if (auto watchlists = store.get_child_optional(kWatchlistsPath))
        return *watchlists;
    return store.put_child(kWatchlistsPath, layout::Tree());
}

bool IsWatchlistNamed(const std::string& key, const layout::Tree& watchlist, const std::string& name)
{
    return key == "watchlist" && layout::ReadText(watchlist, kNameAttribute) == name;
}

// Built child by child rather than through paths: a store can hold a great
// many instruments, and path lookups per attribute add up.
layout::Tree InstrumentElement(const layout::InstrumentRef& instrument)
{
    layout::Tree attributes;
    attributes.push_back(layout::Tree::value_type("exchange", layout::Tree(instrument.exchange)));
    attributes.push_back(layout::Tree::value_type("code", layout::Tree(instrument.code)));
    layout::Tree element;
    element.push_back(layout::Tree::value_type("<xmlattr>", std::move(attributes)));
    return element;
}

void AddInstruments(layout::Tree& watchlist, const std::vector<layout::InstrumentRef>& instruments)
{
    for (const layout::InstrumentRef& instrument : instruments)
        watchlist.push_back(layout::Tree::value_type("instrument", InstrumentElement(instrument)));
}

layout::Tree NameAttribute(const std::string& name)
{
    layout::Tree attributes;
    attributes.push_back(layout::Tree::value_type("name", layout::Tree(name)));
    return attributes;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// A watchlist added at the end: its instruments, then its name. Filled in
// place, since copying a tree of many instruments is costly.
void AddNewWatchlist(layout::Tree& watchlists, const std::string& name, const std::vector<layout::InstrumentRef>& instruments)
{
    layout::Tree& watchlist = watchlists.push_back(layout::Tree::value_type("watchlist", layout::Tree()))->second;
    AddInstruments(watchlist, instruments);
    watchlist.push_back(layout::Tree::value_type("<xmlattr>", NameAttribute(name)));
}

// The first child element of `parent` named `name`, as a tree path finds it.
const files::XmlElement* FirstElement(const files::XmlElement& parent, std::string_view name)
{
    return parent.first_node(name.data(), name.size());
}

// The value of the first attribute named `name`, empty when there is none.
std::string AttributeText(const files::XmlElement& element, std::string_view name)
{
    const auto* attribute = element.first_attribute(name.data(), name.size());
    return attribute ? std::string(attribute->value(), attribute->value_size()) : std::string();
}

std::vector<layout::InstrumentRef> ScanInstruments(const files::XmlElement& watchlist)
{
    const std::string_view key = "instrument";
    std::size_t count = 0;
    for (const auto* child = FirstElement(watchlist, key); child; child = child->next_sibling(key.data(), key.size()))
        ++count;
    std::vector<layout::InstrumentRef> instruments;
    instruments.reserve(count);
    for (const auto* child = FirstElement(watchlist, key); child; child = child->next_sibling(key.data(), key.size()))
    {
        layout::InstrumentRef ref{AttributeText(*child, "exchange"), AttributeText(*child, "code")};
        if (!ref.exchange.empty() && !ref.code.empty())
            instruments.push_back(std::move(ref));
    }
    return instruments;
}

}  // namespace

std::vector<StoredWatchlist> ReadStoredWatchlists(const std::string& path)
{
    std::vector<StoredWatchlist> watchlists;
    files::ScanXmlDocument(path, "application", [&watchlists](const files::XmlElement& application) {
        const files::XmlElement* parent = FirstElement(application, "watchlists");
        if (!parent)
            return;
        const std::string_view key = "watchlist";
        for (const auto* child = FirstElement(*parent, key); child; child = child->next_sibling(key.data(), key.size()))
            watchlists.push_back({AttributeText(*child, "name"), ScanInstruments(*child)});
    });
    return watchlists;
}

std::vector<layout::InstrumentRef> StoredInstruments(const std::vector<StoredWatchlist>& watchlists, const std::string& name)
{
    std::vector<layout::InstrumentRef> instruments;
    for (const StoredWatchlist& watchlist : watchlists)
        if (watchlist.name == name)
            instruments.insert(instruments.end(), watchlist.instruments.begin(), watchlist.instruments.end());
    return instruments;
}

layout::Tree ReadStore(const std::string& path)
{
    return files::ReadXmlDocument(path, "application");
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

void AppendTidyXml(std::string& out, const std::string& key, const layout::Tree& element, int depth)
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

std::string StoreText(const layout::Tree& store)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    for (const auto& [key, element] : store)
        AppendTidyXml(text, key, element, 0);
    return text;
}

void WriteStore(const std::string& path, const layout::Tree& store)
{
    const std::string text = StoreText(store);
    // A NUL (from a name typed with one) would cut every later watchlist off.
    if (text.find('\0') != std::string::npos)
        throw std::runtime_error("a watchlist text holds a NUL character; the store is left as it was");
    files::ReplaceFileContents(path, text);
}

std::vector<layout::InstrumentRef> StoredInstruments(const layout::Tree& store, const std::string& name)
{
    std::vector<layout::InstrumentRef> instruments;
    const auto watchlists = store.get_child_optional(kWatchlistsPath);
    if (!watchlists)
        return instruments;
    for (const auto& [key, watchlist] : *watchlists)
    {
        if (!IsWatchlistNamed(key, watchlist, name))
            continue;
        std::vector<layout::InstrumentRef> found = layout::ReadInstruments(watchlist);
        instruments.insert(instruments.end(), found.begin(), found.end());
    }
    return instruments;
}

std::vector<std::string> ListWatchlistNames(const std::string& path)
{
    std::vector<std::string> names;
    try
    {
        const layout::Tree store = ReadStore(path);
        const auto watchlists = store.get_child_optional(kWatchlistsPath);
        if (!watchlists)
            return names;
        for (const auto& [key, watchlist] : *watchlists)
            if (key == "watchlist")
                names.push_back(layout::ReadText(watchlist, kNameAttribute));
    }
    catch (const std::exception&)
    {
        // A store that cannot be read lists nothing; the menus show no entries.
        names.clear();
    }
    return names;
}

void AppendWatchlist(layout::Tree& store, const std::string& name, const std::vector<layout::InstrumentRef>& instruments)
{
    AddNewWatchlist(StoreWatchlists(store), name, instruments);
}

}  // namespace store
