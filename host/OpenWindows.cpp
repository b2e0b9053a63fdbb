#include "OpenWindows.h"

#include <algorithm>

#include <wx/frame.h>
#include <wx/window.h>
#include <wx/panel.h>

#include "contract/Widget.h"

wxWindow* OpenWindows::OpenInFrame(Widget* widget, uint64_t group, void* layoutSource, int flags,
                                   wxWindow* frameParent, void* layoutNode)
{
    if (!widget)
        return nullptr;
    auto* frame = new wxFrame(frameParent, wxID_ANY, wxString::FromUTF8(widget->GetDisplayName()),
                              wxDefaultPosition, wxSize(420, 540));
    if (frameParent)
    {
        frame->SetBackgroundColour(frameParent->GetBackgroundColour());
        frame->SetForegroundColour(frameParent->GetForegroundColour());
    }
    auto* container = new wxPanel(frame);
    wxWindow* panel = widget->CreateWindow(group, container, layoutSource, layoutNode, flags);
    if (!panel)
    {
        frame->Destroy();
        return nullptr;
    }
    Add(OpenWindow{widget, container, panel, frame, group});
    // The user closing the frame is a normal close: tell the widget first, then
    // let the frame take its children down.
    frame->Bind(wxEVT_CLOSE_WINDOW, [this, container, frame](wxCloseEvent&) {
        Close(container);
        frame->Destroy();
    });
    frame->Show();
    return panel;
}

void OpenWindows::Add(const OpenWindow& window)
{
    m_windows.push_back(window);
    // A container can also go away with its parent (a docked pane when the
    // main frame closes); the widget must forget it either way.
    wxWindow* container = window.container;
    container->Bind(wxEVT_DESTROY, [this, container](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == container)
            Close(container);
        event.Skip();
    });
    Notify();
}

void OpenWindows::Close(wxWindow* container)
{
    auto found = std::find_if(m_windows.begin(), m_windows.end(),
                              [container](const OpenWindow& window) { return window.container == container; });
    if (found == m_windows.end())
        return;
    const OpenWindow window = *found;
    m_windows.erase(found);
    window.widget->CloseWindow(window.container, false);
    Notify();
}

std::vector<OpenWindow> OpenWindows::CloseAll()
{
    std::vector<OpenWindow> closed = m_windows;
    for (const OpenWindow& window : closed)
        Close(window.container);
    return closed;
}

const OpenWindow* OpenWindows::FindByContainer(const wxWindow* container) const
{
    for (const OpenWindow& window : m_windows)
        if (window.container == container)
            return &window;
    return nullptr;
}

std::vector<wxWindow*> OpenWindows::PanelsOf(const Widget* widget) const
{
    std::vector<wxWindow*> panels;
    for (const OpenWindow& window : m_windows)
        if (window.widget == widget)
            panels.push_back(window.panel);
    return panels;
}

void OpenWindows::Notify()
{
    if (m_onChange)
        m_onChange();
}
