#pragma once
// The terminal's layout document: besides the plug-ins' own nodes it lists
// the windows that were open, so the next start can bring them back.

#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <wx/gdicmn.h>

/// One widget window as the layout document records it.
struct WindowRecord
{
    /// The only link group a terminal has: its main frame's.
    static constexpr int kMainGroup = 1;

    std::string widget;               // display name of the widget factory
    int group = kMainGroup;
    int flags = 0;                    // creation flags; 0x1 = frame of its own
    wxRect geometry;                  // frame, or docked container, in screen pixels
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
