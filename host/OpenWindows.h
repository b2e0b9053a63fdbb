#pragma once
// The widget windows the terminal has open: which factory made each one, in
// which container, and whether it sits in a frame of its own.

#include <cstdint>
#include <functional>
#include <vector>

#include <wx/string.h>

class Widget;
class wxFrame;
class wxWindow;

/// One window a widget created inside a host container.
struct OpenWindow
{
    Widget* widget = nullptr;
    wxWindow* container = nullptr;
    wxWindow* panel = nullptr;    // what CreateWindow returned
    wxFrame* frame = nullptr;     // its own frame; null when docked
    uint64_t group = 0;
};

/// Records open widget windows and closes them the way their factories expect.
class OpenWindows
{
public:
    /// Called whenever a window opens or closes.
    using ChangeListener = std::function<void()>;

    void SetChangeListener(ChangeListener listener) { m_onChange = std::move(listener); }

    /// Creates a frame (child of `frameParent`) with a container panel, asks
    /// the widget to create its window there with `flags` (and the window's
    /// own layout node, when it has one), shows the frame and
    /// records it. Returns the widget's window, or null (frame discarded).
    wxWindow* OpenInFrame(Widget* widget, uint64_t group, void* layoutSource, int flags,
                          wxWindow* frameParent, void* layoutNode = nullptr);

    /// Records a window created elsewhere (a docked pane).
    void Add(const OpenWindow& window);

    /// CloseWindow(container, false) on its widget and forgets it; the caller
    /// then destroys the container (or its frame), which lets the widget's
    /// window clean up on its own destroy event.
    void Close(wxWindow* container);

    /// Closes every recorded window (see Close) and returns what they were.
    std::vector<OpenWindow> CloseAll();

    const std::vector<OpenWindow>& All() const { return m_windows; }
    const OpenWindow* FindByContainer(const wxWindow* container) const;
    std::vector<wxWindow*> PanelsOf(const Widget* widget) const;

private:
    void Notify();

    std::vector<OpenWindow> m_windows;
    ChangeListener m_onChange;
};
