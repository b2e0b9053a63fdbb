#include "BuiltinWidget.h"

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/icon.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "contract/CommandIds.h"

BuiltinWidget::BuiltinWidget(const char* displayName, const char* iconPath)
    : m_displayName(displayName), m_iconPath(iconPath)
{
}

BuiltinWidget::~BuiltinWidget() = default;

wxWindow* BuiltinWidget::CreateWindow(uint64_t group, wxWindow* container, void* /*layoutSource*/,
                                      void* /*layoutNode*/, int flags)
{
    if (!container)
        return nullptr;
    const int openMode = m_openMode;
    m_openMode = 0;
    wxPanel* panel = CreatePanel(container, group, openMode);
    m_panels[container] = Entry{panel, group};
    panel->Bind(wxEVT_DESTROY, [this, container, panel](wxWindowDestroyEvent& event) {
        auto found = m_panels.find(container);
        if (event.GetEventObject() == panel && found != m_panels.end() && found->second.panel == panel)
            m_panels.erase(found);
        event.Skip();
    });

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(panel, 1, wxEXPAND);
    container->SetSizer(sizer);
    container->SetMinSize(GetMinSize());
    container->Layout();

    auto* frame = wxDynamicCast(container->GetParent(), wxFrame);
    if ((flags & window_flag::OwnFrame) && frame)
    {
        frame->SetTitle(wxGetTranslation(wxString::FromUTF8(m_displayName)));
        if (wxFileName::FileExists(m_iconPath))
        {
            wxIcon icon;
            icon.LoadFile(m_iconPath, wxBITMAP_TYPE_PNG);
            frame->SetIcon(icon);
        }
        frame->SetMinSize(GetMinSize());
        frame->SetSize(FrameSize());
    }
    if ((flags & window_flag::CentreFrame) && frame)
        frame->CentreOnParent();
    return panel;
}

void BuiltinWidget::CloseWindow(wxWindow* container, bool destroy)
{
    auto found = m_panels.find(container);
    if (found == m_panels.end())
        return;
    wxPanel* panel = found->second.panel;
    m_panels.erase(found);
    if (destroy)
        panel->Destroy();
}

void BuiltinWidget::Dispatch(wxCommandEvent& event, uint64_t group, wxWindow* target)
{
    // The sending window travels in the client object slot.
    const auto* sender = reinterpret_cast<const wxWindow*>(event.GetClientObject());
    for (const auto& [container, entry] : m_panels)
    {
        if (entry.panel == sender)
            continue;
        if (group != 0 && entry.group != group)
            continue;
        if (group != 0 && target && target != entry.panel)
            continue;
        wxPostEvent(entry.panel, event);
        if (group != 0 && target)
            return;
    }
}
