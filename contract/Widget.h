#pragma once
// The interface every plug-in factory implements. The host calls these
// virtuals by slot, so their order must never change.
//
// Slot numbering counts the destructor as one slot. Under the Itanium C++ ABI
// used on Linux a virtual destructor fills two vtable entries (complete and
// deleting), so operation N >= 1 sits at vtable index N + 1.

#include <cstdint>
#include <memory>

#include <wx/gdicmn.h>

namespace spdlog { class logger; }

class Host;
class wxCommandEvent;
class wxWindow;

/// A widget factory loaded from a plug-in library.
class Widget
{
public:
    Host* host = nullptr;
    int32_t commandId = 0;  // assigned by the host; used as menu id for this widget

    virtual ~Widget() = default;                                            // slot 0
    virtual const char* GetDisplayName() = 0;                               // slot 1
    virtual const char* GetIconPath() = 0;                                  // slot 2
    virtual wxWindow* CreateWindow(uint64_t group, wxWindow* container, void* layoutSource,
                                   void* layoutNode, int flags) = 0;        // slot 3
    virtual void SaveWindow(wxWindow* container, void* layoutSource, void* layoutNode) = 0; // slot 4
    virtual void CloseWindow(wxWindow* container, bool destroy) = 0;        // slot 5
    virtual void Dispatch(wxCommandEvent& event, uint64_t group, wxWindow* target) = 0; // slot 6
    virtual void SetLogger(std::shared_ptr<spdlog::logger> logger) = 0;     // slot 7
    virtual wxSize GetMaxSize() { return wxSize(0x7FFFFFFF, 0x7FFFFFFF); }  // slot 8
    virtual wxSize GetMinSize() { return wxSize(24, 24); }                  // slot 9
    virtual bool IsOfferedInMenu(uint32_t /*permissionFlags*/) { return false; } // slot 10
    virtual void Reserved(...) {}                                           // slot 11
};

/// Signature of the one symbol a plug-in library exports.
using LoadWidgetFunction = Widget* (*)(Host* host, std::shared_ptr<spdlog::logger> logger);
constexpr const char* kLoadWidgetSymbol = "loadWidget";
