#pragma once
// Reading values out of the layout trees without ever throwing: a missing or
// malformed attribute yields the caller's default.

#include <string>

#include <boost/property_tree/ptree_fwd.hpp>
#include <wx/string.h>

namespace layout {

using Tree = boost::property_tree::ptree;

/// Accepts "true", "false", "1" and "0"; anything else gives `fallback`.
bool ReadBool(const Tree& tree, const std::string& path, bool fallback);
/// A decimal 32-bit signed integer; text that overflows gives `fallback`.
int ReadInt(const Tree& tree, const std::string& path, int fallback);
/// A finite decimal number, independent of the process locale.
double ReadDouble(const Tree& tree, const std::string& path, double fallback);
/// The raw narrow text at `path`.
std::string ReadText(const Tree& tree, const std::string& path, const std::string& fallback = std::string());

/// Converters behind the readers, exposed for values that come from elsewhere.
bool ParseBool(const std::string& text, bool fallback);
int ParseInt(const std::string& text, int fallback);
double ParseDouble(const std::string& text, double fallback);

/// Narrow tree text to a toolkit string. The trees hold UTF-8 so that names
/// survive any process locale; bytes that are not UTF-8 (files written by
/// older builds in a legacy code page) are kept one byte per character
/// rather than dropped.
wxString ToWxString(const std::string& text);
/// A stored name as the user sees it: bytes that are not UTF-8 show as
/// replacement characters. Never turned back into the name: keep the bytes.
wxString ShownName(const std::string& name);
/// A stored name on its tab: as ShownName, on one line (each line break,
/// CRLF or not, and each tab becomes a space).
wxString ShownTabLabel(const std::string& name);
/// Toolkit string to the UTF-8 text stored in the trees.
std::string ToTreeText(const wxString& text);

}  // namespace layout
