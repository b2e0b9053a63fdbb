#pragma once
// Base of the widgets that live inside the terminal itself: the container
// map, linking and the shared plumbing every small window needs.

#include <cstdint>
#include <map>
#include <memory>

#include "contract/Widget.h"

class wxPanel;
class wxWindow;

/// A terminal-side Widget; subclasses only build their panel.
class BuiltinWidget : public Widget
{
public:
    BuiltinWidget(const char* displayName, const char* iconPath);
    ~BuiltinWidget() override;

    const char* GetDisplayName() override { return m_displayName; }
    const char* GetIconPath() override { return m_iconPath; }
    wxWindow* CreateWindow(uint64_t group, wxWindow* container, void* layoutSource, void* layoutNode,
                           int flags) override;
    void SaveWindow(wxWindow*, void*, void*) override {}
    void CloseWindow(wxWindow* container, bool destroy) override;
    void Dispatch(wxCommandEvent& event, uint64_t group, wxWindow* target) override;
    void SetLogger(std::shared_ptr<spdlog::logger> logger) override { m_logger = std::move(logger); }
    bool IsOfferedInMenu(uint32_t) override { return true; }

    /// How the next window is opened (an OpenWidget mode word); read once.
    void SetOpenMode(int mode) { m_openMode = mode; }

    size_t WindowCount() const { return m_panels.size(); }

protected:
    /// Builds the widget's panel inside `container`; `openMode` is the mode
    /// the window was opened with.
    virtual wxPanel* CreatePanel(wxWindow* container, uint64_t group, int openMode) = 0;
    /// The size a frame of its own gets.
    virtual wxSize FrameSize() const { return wxSize(380, 460); }

    std::shared_ptr<spdlog::logger> Logger() const { return m_logger; }

private:
    /// A window and its link group.
    struct Entry
    {
        wxPanel* panel;
        uint64_t group;
    };

    const char* m_displayName;
    const char* m_iconPath;
    std::map<wxWindow*, Entry> m_panels;
    std::shared_ptr<spdlog::logger> m_logger;
    int m_openMode = 0;
};
