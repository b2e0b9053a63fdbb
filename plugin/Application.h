#pragma once
// The plug-in's widget factory: creates, saves, closes and links board windows.

#include <cstdint>
#include <map>
#include <memory>

#include "kit/BoardOwner.h"
#include "contract/Widget.h"

class Tickerdeck;
class wxTimer;

/// The factory the host drives; keeps the board created in each container.
/// Widget stays the first base: the host calls through its vtable.
class Application : public Widget, public BoardOwner
{
public:
    explicit Application(Host* host);
    ~Application() override;

    const char* GetDisplayName() override;
    const char* GetIconPath() override;
    wxWindow* CreateWindow(uint64_t group, wxWindow* container, void* layoutSource,
                           void* layoutNode, int flags) override;
    void SaveWindow(wxWindow* container, void* layoutSource, void* layoutNode) override;
    void CloseWindow(wxWindow* container, bool destroy) override;
    void Dispatch(wxCommandEvent& event, uint64_t group, wxWindow* target) override;
    void SetLogger(std::shared_ptr<spdlog::logger> logger) override;
    bool IsOfferedInMenu(uint32_t permissionFlags) override;

    Host* BoardHost() const override;
    Widget* BoardWidget() override;
    std::shared_ptr<store::WatchlistStoreService> WatchlistStore() override { return m_store; }

    /// The board created in `container`, or null.
    Tickerdeck* FindPanel(const wxWindow* container) const;
    std::size_t PanelCount() const { return m_panels.size(); }

    /// Drops every map entry that points at `panel`; boards call it while
    /// they are destroyed so no entry outlives its window.
    void ForgetPanel(const Tickerdeck* panel) override;

private:
    static uintptr_t KeyOf(const wxWindow* container);
    static void ApplySizeLimits(wxWindow* window, const wxSize& minSize, const wxSize& maxSize);

    // Keyed by the container's address as an unsigned number, so the visiting
    // order of Dispatch is the ascending address order.
    std::map<uintptr_t, Tickerdeck*> m_panels;
    std::shared_ptr<store::WatchlistStoreService> m_store;
    // Looks at the store file now and then, so another program's change
    // reaches the boards without a command.
    std::unique_ptr<wxTimer> m_storePoll;
};

/// What loadWidget does: installs the logger and returns a new factory.
Widget* CreateApplication(Host* host, std::shared_ptr<spdlog::logger> logger);
