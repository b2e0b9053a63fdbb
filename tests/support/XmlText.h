#pragma once
// Layout and store XML as text: snippets parsed the way the host parses
// them, and files compared byte for byte.

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

namespace testing_support {

using Tree = boost::property_tree::ptree;

inline Tree Parse(const std::string& xml)
{
    std::istringstream stream(xml);
    Tree tree;
    boost::property_tree::read_xml(stream, tree);
    return tree;
}

/// The window node of `<tickerdeck ...>inner</tickerdeck>`.
inline Tree Node(const std::string& inner, const std::string& attributes = "")
{
    return Parse("<tickerdeck " + attributes + ">" + inner + "</tickerdeck>").get_child("tickerdeck");
}

/// `tree` written as the element `key`, without indentation.
inline std::string Xml(const Tree& tree, const std::string& key = "tickerdeck")
{
    Tree wrapped;
    wrapped.add_child(key, tree);
    std::ostringstream text;
    boost::property_tree::write_xml(text, wrapped, boost::property_tree::xml_writer_make_settings<std::string>(' ', 0));
    return text.str();
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace testing_support
