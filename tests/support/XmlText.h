#pragma once
// Layout and store XML as text: snippets parsed the way the host parses
// them, and files compared byte for byte.

#include <set>
#include <sstream>
#include <string>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "support/TempFolder.h"

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

}  // namespace testing_support
