#include "plugin/Application.h"

#include <wx/app.h>
#include <wx/event.h>
#include <wx/sizer.h>
#include <wx/timer.h>
#include <wx/window.h>

#include "board/LinkSender.h"
#include "board/Tickerdeck.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "store/WatchlistStoreService.h"
#include "export/ExportJob.h"
#include "model/Logger.h"
#include "plugin/BoardAssembly.h"

namespace
{

constexpr int kStorePollMs = 1000;

/// Asks the store to look at its file at every tick.
class StorePoll : public wxTimer
{
public:
    explicit StorePoll(std::weak_ptr<store::WatchlistStoreService> store) : m_store(std::move(store)) {}
    void Notify() override
    {
        if (auto store = m_store.lock())
            store->Refresh();
    }

private:
    std::weak_ptr<store::WatchlistStoreService> m_store;
};

} // namespace

Application::Application(Host* hostServices)
{
    host = hostServices;
    m_store = std::make_shared<store::WatchlistStoreService>(
        [hostServices]
        { return hostServices ? std::string(hostServices->GetApplicationFilePath(true)) : std::string(); });
    if (wxTheApp)
    {
        m_storePoll = std::make_unique<StorePoll>(m_store);
        m_storePoll->Start(kStorePollMs);
    }
}

// The boards belong to the toolkit's window tree; only the map goes. Boards
// still alive must not reach back into a factory that no longer exists.
// The host deletes the factory just before it unloads the module, so no
// export may run on or leave a call queued for code about to go.
Application::~Application()
{
    for (const auto& [key, panel] : m_panels)
        panel->DetachOwner();
    StopExports();
}

Host* Application::BoardHost() const
{
    return host;
}

Widget* Application::BoardWidget()
{
    return this;
}

const char* Application::GetDisplayName()
{
    return "Ticker Deck";
}

const char* Application::GetIconPath()
{
    return "./icon/tickerdeck.png";
}

wxWindow* Application::CreateWindow(uint64_t group, wxWindow* container, void* layoutSource,
                                    void* layoutNode, int flags)
{
    if (!container)
        return nullptr;

    Tickerdeck* panel = AssembleBoard(this, group, container, layoutSource, layoutNode, flags);
    // An earlier board in the same container is neither closed nor destroyed:
    // the host owns that decision.
    m_panels[KeyOf(container)] = panel;

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(panel, 1, wxEXPAND | wxALL, 0);
    container->SetSizer(sizer);
    container->Layout();

    const wxSize minSize = GetMinSize();
    const wxSize maxSize = GetMaxSize();
    ApplySizeLimits(container, minSize, maxSize);

    wxWindow* frame = container->GetParent();
    if ((flags & window_flag::OwnFrame) && frame)
        ApplySizeLimits(frame, minSize, maxSize);
    if ((flags & window_flag::CentreFrame) && frame)
        frame->CentreOnParent(wxBOTH);

    return panel;
}

void Application::SaveWindow(wxWindow* container, void* layoutSource, void* layoutNode)
{
    if (Tickerdeck* panel = FindPanel(container))
        panel->Save(layoutSource, layoutNode);
}

void Application::CloseWindow(wxWindow* container, bool destroy)
{
    const auto entry = m_panels.find(KeyOf(container));
    if (entry == m_panels.end())
        return;
    Tickerdeck* panel = entry->second;
    m_panels.erase(entry);
    if (destroy)
        panel->Destroy();
}

void Application::Dispatch(wxCommandEvent& event, uint64_t group, wxWindow* target)
{
    const wxWindow* sender = SenderOf(event);
    for (const auto& [key, panel] : m_panels)
    {
        if (panel == sender)
            continue;
        if (group == 0)
        {
            wxPostEvent(panel, event);
            continue;
        }
        if (panel->GetGroup() != group)
            continue;
        if (!target)
        {
            wxPostEvent(panel, event);
        }
        else if (target == panel)
        {
            wxPostEvent(panel, event);
            return;
        }
    }
}

void Application::SetLogger(std::shared_ptr<spdlog::logger> logger)
{
    ModuleLogger() = std::move(logger);
}

bool Application::IsOfferedInMenu(uint32_t /*permissionFlags*/)
{
    return true;
}

Tickerdeck* Application::FindPanel(const wxWindow* container) const
{
    const auto entry = m_panels.find(KeyOf(container));
    return entry == m_panels.end() ? nullptr : entry->second;
}

void Application::ForgetPanel(const Tickerdeck* panel)
{
    for (auto entry = m_panels.begin(); entry != m_panels.end();)
        entry = entry->second == panel ? m_panels.erase(entry) : std::next(entry);
}

uintptr_t Application::KeyOf(const wxWindow* container)
{
    return reinterpret_cast<uintptr_t>(container);
}

void Application::ApplySizeLimits(wxWindow* window, const wxSize& minSize, const wxSize& maxSize)
{
    window->SetMinSize(minSize);
    window->SetMaxSize(maxSize);
}

Widget* CreateApplication(Host* host, std::shared_ptr<spdlog::logger> logger)
{
    ModuleLogger() = std::move(logger);
    return new Application(host);
}
