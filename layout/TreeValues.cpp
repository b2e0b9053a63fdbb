#include "layout/TreeValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include <boost/property_tree/ptree.hpp>
#include <wx/strconv.h>

namespace layout {

namespace {

// Stream-based readers tolerate surrounding blanks; so do we, so that a
// hand-edited file with "true " still means true.
std::string Trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const std::string::size_type first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const std::string::size_type last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// from_chars rejects a leading '+', which decimal text may carry.
const char* SkipPlus(const std::string& text)
{
    const char* begin = text.data();
    if (!text.empty() && text.front() == '+' && text.size() > 1 && text[1] != '-')
        ++begin;
    return begin;
}

}  // namespace

bool ParseBool(const std::string& text, bool fallback)
{
    const std::string value = Trimmed(text);
    if (value == "true" || value == "1")
        return true;
    if (value == "false" || value == "0")
        return false;
    return fallback;
}

int ParseInt(const std::string& text, int fallback)
{
    const std::string value = Trimmed(text);
    if (value.empty())
        return fallback;
    const char* end = value.data() + value.size();
    long long parsed = 0;
    const auto [stop, error] = std::from_chars(SkipPlus(value), end, parsed);
    if (error != std::errc() || stop != end)
        return fallback;
    if (parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max())
        return fallback;
    return static_cast<int>(parsed);
}

double ParseDouble(const std::string& text, double fallback)
{
    const std::string value = Trimmed(text);
    if (value.empty())
        return fallback;
    const char* end = value.data() + value.size();
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(SkipPlus(value), end, parsed);
    if (error != std::errc() || stop != end || !std::isfinite(parsed))
        return fallback;
    return parsed;
}

bool ReadBool(const Tree& tree, const std::string& path, bool fallback)
{
    const auto text = tree.get_optional<std::string>(path);
    return text ? ParseBool(*text, fallback) : fallback;
}

int ReadInt(const Tree& tree, const std::string& path, int fallback)
{
    const auto text = tree.get_optional<std::string>(path);
    return text ? ParseInt(*text, fallback) : fallback;
}

double ReadDouble(const Tree& tree, const std::string& path, double fallback)
{
    const auto text = tree.get_optional<std::string>(path);
    return text ? ParseDouble(*text, fallback) : fallback;
}

std::string ReadText(const Tree& tree, const std::string& path, const std::string& fallback)
{
    const auto text = tree.get_optional<std::string>(path);
    return text ? *text : fallback;
}

wxString ToWxString(const std::string& text)
{
    if (text.empty())
        return wxString();
    const wxString converted = wxString::FromUTF8(text.data(), text.size());
    if (!converted.empty())
        return converted;
    return wxString(text.data(), wxConvISO8859_1, text.size());
}

wxString ShownName(const std::string& name)
{
    const wxString converted = wxString::FromUTF8(name.data(), name.size());
    if (!converted.empty() || name.empty())
        return converted;
    wxString shown;
    for (std::size_t i = 0; i < name.size();)
    {
        // The longest valid sequence from here, else one replaced byte.
        std::size_t length = 0;
        for (std::size_t tried = std::min<std::size_t>(4, name.size() - i); tried > 0 && !length; --tried)
            if (!wxString::FromUTF8(name.data() + i, tried).empty())
                length = tried;
        if (length)
        {
            shown += wxString::FromUTF8(name.data() + i, length);
            i += length;
        }
        else
        {
            shown += wxUniChar(0xFFFD);
            ++i;
        }
    }
    return shown;
}

wxString ShownTabLabel(const std::string& name)
{
    const wxString shown = ShownName(name);
    wxString label;
    label.reserve(shown.length());
    for (auto at = shown.begin(); at != shown.end(); ++at)
    {
        const wxUniChar c = *at;
        if (c == '\r' && at + 1 != shown.end() && *(at + 1) == '\n')
            continue;
        label += c == '\r' || c == '\n' || c == '\t' ? wxUniChar(' ') : c;
    }
    return label;
}

std::string ToTreeText(const wxString& text)
{
    const wxScopedCharBuffer utf8 = text.ToUTF8();
    return std::string(utf8.data(), utf8.length());
}

}  // namespace layout
