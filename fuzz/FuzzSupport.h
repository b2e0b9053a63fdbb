#pragma once
// What the fuzz targets share: parsing bytes the way the plug-in reads files,
// and failing loudly when a round trip loses something.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "files/DurableFile.h"
#include "layout/LayoutEntries.h"

namespace fuzz {

using Tree = boost::property_tree::ptree;

/// The bytes as the XML reader sees a file; nothing when it rejects them.
/// Some malformed markup reaches the tree with the parser's terminators in
/// its texts; the store reader refuses such trees and the terminal will not
/// write them, so they are not inputs here.
inline bool HoldsNul(const Tree& tree)
{
    if (tree.data().find('\0') != std::string::npos)
        return true;
    for (const auto& [key, child] : tree)
        if (key.find('\0') != std::string::npos || HoldsNul(child))
            return true;
    return false;
}

/// Files holding a NUL byte (the writer's output would end at it) or nested
/// deeper than the readers' guard are refused by the plug-in's and the
/// terminal's readers, so they are refused here.
inline std::optional<Tree> ParseXml(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find('\0') != std::string::npos || files::FindExcessiveNesting(text) != std::string::npos)
        return std::nullopt;
    std::istringstream stream(text);
    Tree tree;
    try
    {
        boost::property_tree::read_xml(stream, tree);
    }
    catch (const boost::property_tree::xml_parser_error&)
    {
        return std::nullopt;
    }
    if (HoldsNul(tree))
        return std::nullopt;
    return tree;
}

/// Through the writer and the reader again, as a window node inside `key`.
inline Tree Reparse(const Tree& tree, const char* key)
{
    Tree wrapped;
    wrapped.add_child(key, tree);
    std::ostringstream text;
    boost::property_tree::write_xml(text, wrapped);
    std::istringstream stream(text.str());
    Tree parsed;
    try
    {
        boost::property_tree::read_xml(stream, parsed);
    }
    catch (const boost::property_tree::xml_parser_error& error)
    {
        std::fprintf(stderr, "written text does not read back (%s):\n", error.what());
        std::fwrite(text.str().data(), 1, text.str().size(), stderr);
        std::abort();
    }
    return parsed.get_child(key);
}

[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "round trip lost data: %s\n", what);
    std::abort();
}

inline void Check(bool holds, const char* what)
{
    if (!holds)
        Fail(what);
}

inline bool SameColumns(const std::vector<layout::ColumnEntry>& a, const std::vector<layout::ColumnEntry>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].id != b[i].id || a[i].size != b[i].size || a[i].show != b[i].show || a[i].sort != b[i].sort ||
            a[i].ascending != b[i].ascending || a[i].position != b[i].position)
            return false;
    return true;
}

inline bool SameFilters(const std::map<int, std::vector<FilterCondition>>& a,
                        const std::map<int, std::vector<FilterCondition>>& b)
{
    if (a.size() != b.size())
        return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
    {
        if (i->first != j->first || i->second.size() != j->second.size())
            return false;
        for (size_t k = 0; k < i->second.size(); ++k)
            if (i->second[k].condition != j->second[k].condition || i->second[k].value != j->second[k].value)
                return false;
    }
    return true;
}

}  // namespace fuzz
