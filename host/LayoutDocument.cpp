#include "LayoutDocument.h"

#include "files/DurableFile.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include <boost/property_tree/xml_parser.hpp>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

using boost::property_tree::ptree;

const char* const kWindowListPath = "application.layout.windows";

namespace {

int ParseInt(const ptree& tree, const char* path, int fallback)
{
    const auto text = tree.get_optional<std::string>(path);
    if (!text)
        return fallback;
    int value = fallback;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value);
    return error == std::errc() && stop == end ? value : fallback;
}

// Numbers as plain decimals, whatever the global locale groups digits by.
void PutInt(ptree& tree, const char* path, int value)
{
    tree.put(path, std::to_string(value));
}

wxRect ReadRect(const ptree& element)
{
    return wxRect(ParseInt(element, "<xmlattr>.x", 0), ParseInt(element, "<xmlattr>.y", 0),
                  ParseInt(element, "<xmlattr>.width", 0), ParseInt(element, "<xmlattr>.height", 0));
}

void PutRect(ptree& element, const wxRect& rect)
{
    PutInt(element, "<xmlattr>.x", rect.x);
    PutInt(element, "<xmlattr>.y", rect.y);
    PutInt(element, "<xmlattr>.width", rect.width);
    PutInt(element, "<xmlattr>.height", rect.height);
}

const char* const kDockNames[] = {"", "top", "right", "bottom", "left", "centre"};

std::optional<DockPlace> ReadDockPlace(const ptree& element)
{
    const auto name = element.get_optional<std::string>("<xmlattr>.dock");
    if (!name)
        return std::nullopt;
    const auto named = std::find(std::begin(kDockNames) + 1, std::end(kDockNames), *name);
    if (named == std::end(kDockNames))
        return std::nullopt;
    DockPlace place;
    place.direction = static_cast<int>(named - std::begin(kDockNames));
    place.layer = std::max(0, ParseInt(element, "<xmlattr>.layer", 0));
    place.row = std::max(0, ParseInt(element, "<xmlattr>.row", 0));
    place.position = std::max(0, ParseInt(element, "<xmlattr>.position", 0));
    place.proportion = std::max(0, ParseInt(element, "<xmlattr>.proportion", 0));
    place.dockSize = std::max(0, ParseInt(element, "<xmlattr>.dock-size", 0));
    return place;
}

void PutDockPlace(ptree& element, const DockPlace& place)
{
    if (place.direction < 1 || place.direction >= static_cast<int>(std::size(kDockNames)))
        return;
    element.put("<xmlattr>.dock", kDockNames[place.direction]);
    PutInt(element, "<xmlattr>.layer", place.layer);
    PutInt(element, "<xmlattr>.row", place.row);
    PutInt(element, "<xmlattr>.position", place.position);
    PutInt(element, "<xmlattr>.proportion", place.proportion);
    PutInt(element, "<xmlattr>.dock-size", place.dockSize);
}

}  // namespace

bool DockPlace::operator==(const DockPlace& other) const
{
    return direction == other.direction && layer == other.layer && row == other.row && position == other.position &&
           proportion == other.proportion && dockSize == other.dockSize;
}

std::vector<WindowRecord> ReadWindowRecords(const ptree& document)
{
    std::vector<WindowRecord> records;
    const auto list = document.get_child_optional(kWindowListPath);
    if (!list)
        return records;
    for (const auto& [key, element] : *list)
    {
        if (key != "window")
            continue;
        WindowRecord record;
        record.widget = element.get<std::string>("<xmlattr>.widget", "");
        if (record.widget.empty())
            continue;
        record.group = ParseInt(element, "<xmlattr>.group", WindowRecord::kMainGroup);
        record.flags = ParseInt(element, "<xmlattr>.flags", 0);
        record.geometry = ReadRect(element);
        if (!(record.flags & 0x1))
            record.dock = ReadDockPlace(element);
        if (const auto state = element.get_child_optional("state"))
            record.state = *state;
        records.push_back(std::move(record));
    }
    return records;
}

void WriteWindowRecords(ptree& document, const std::vector<WindowRecord>& records)
{
    ptree list;
    if (const auto old = document.get_child_optional(kWindowListPath))
        if (const auto frame = old->get_child_optional("<xmlattr>"))
            list.put_child("<xmlattr>", *frame);
    for (const WindowRecord& record : records)
    {
        ptree element;
        element.put("<xmlattr>.widget", record.widget);
        PutInt(element, "<xmlattr>.group", record.group);
        PutInt(element, "<xmlattr>.flags", record.flags);
        PutRect(element, record.geometry);
        if (record.dock)
            PutDockPlace(element, *record.dock);
        element.put_child("state", record.state);
        list.push_back(ptree::value_type("window", element));
    }
    document.put_child(kWindowListPath, list);
}

wxRect ReadMainFrameGeometry(const ptree& document)
{
    const auto list = document.get_child_optional(kWindowListPath);
    return list ? ReadRect(*list) : wxRect();
}

void WriteMainFrameGeometry(ptree& document, const wxRect& geometry)
{
    ptree& list = document.get_child_optional(kWindowListPath) ? document.get_child(kWindowListPath)
                                                               : document.put_child(kWindowListPath, ptree());
    PutRect(list, geometry);
}

wxRect FitOnScreen(const wxRect& saved, const wxRect& screen)
{
    wxRect fitted(saved.GetPosition(), wxSize(std::min(saved.width, screen.width), std::min(saved.height, screen.height)));
    fitted.x = std::clamp(fitted.x, screen.x, screen.GetRight() + 1 - fitted.width);
    fitted.y = std::clamp(fitted.y, screen.y, screen.GetBottom() + 1 - fitted.height);
    return fitted;
}

void WriteLayoutDocument(const std::string& path, const ptree& document)
{
    // A board that is also the default for new boards is written once.
    const std::string text = files::XmlText(files::WithDefaultBoardShared(document), 2);
    // The reader stops at a NUL; a document holding one would not read back.
    if (text.find('\0') != std::string::npos)
        throw std::runtime_error("the layout holds a NUL character; " + path + " is left as it was");
    ReplaceFileAtomically(path, text);
}

void ReplaceFileAtomically(const std::string& path, const std::string& contents)
{
    // The board's store and the terminal's layout share one way of replacing
    // a file whole.
    files::ReplaceFileContents(path, contents);
}
