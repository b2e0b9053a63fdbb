#pragma once
// The terminal's layout document: besides the plug-ins' own nodes it lists
// the windows that were open, so the next start can bring them back.

#include <optional>
#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <wx/gdicmn.h>

/// Where a docked window sat in the main frame: its dock (the toolkit's
/// direction numbers: 1 top, 2 right, 3 bottom, 4 left, 5 centre), layer,
/// row and position in the row, its share of the row, and the dock's size
/// across (0 when the toolkit is to work it out).
struct DockPlace
{
    int direction = 5;
    int layer = 0;
    int row = 0;
    int position = 0;
    int proportion = 0;
    int dockSize = 0;

    bool operator==(const DockPlace& other) const;
};

/// One widget window as the layout document records it.
struct WindowRecord
{
    /// The only link group a terminal has: its main frame's.
    static constexpr int kMainGroup = 1;

    std::string widget;               // display name of the widget factory
    int group = kMainGroup;
    int flags = 0;                    // creation flags; 0x1 = frame of its own
    wxRect geometry;                  // frame, or docked container, in screen pixels
    std::optional<DockPlace> dock;    // a docked window's place; none in older layouts
    boost::property_tree::ptree state;  // the window's own node, written by its widget
};

/// Where the window list lives in the document.
extern const char* const kWindowListPath;

/// The "window" entries in document order. Entries without a widget name are
/// skipped; unreadable numbers fall back to defaults.
std::vector<WindowRecord> ReadWindowRecords(const boost::property_tree::ptree& document);

/// Replaces the window list with `records`.
void WriteWindowRecords(boost::property_tree::ptree& document, const std::vector<WindowRecord>& records);

/// The main frame's rectangle as last saved; an empty rect when there is none.
wxRect ReadMainFrameGeometry(const boost::property_tree::ptree& document);
void WriteMainFrameGeometry(boost::property_tree::ptree& document, const wxRect& geometry);

/// A saved window rectangle moved and shrunk to lie inside `screen`: a
/// layout may come from a bigger screen, or from anybody.
wxRect FitOnScreen(const wxRect& saved, const wxRect& screen);

/// Writes the document as indented XML, replacing the file in one step: a
/// failure (std::runtime_error) leaves the old file whole.
void WriteLayoutDocument(const std::string& path, const boost::property_tree::ptree& document);

/// Writes `contents` to a temporary file beside `path`, forces it to disk and
/// renames it over `path`; throws std::runtime_error and removes the
/// temporary file when any step fails.
void ReplaceFileAtomically(const std::string& path, const std::string& contents);
