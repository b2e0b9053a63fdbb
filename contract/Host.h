#pragma once
// What the host terminal offers its plug-ins. The terminal implements it;
// plug-ins receive a pointer through loadWidget and never own it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

#include "Records.h"

class Theme;
class Widget;
class wxCommandEvent;
class wxMenu;
class wxWindow;

/// Called with the quote record once the host has data for a subscription.
using PriceCallback = std::function<void(Price*)>;

/// The host terminal's services, reached by plug-ins on the GUI thread only.
class Host
{
public:
    virtual Theme* GetTheme() = 0;

    /// Registers `listener` for quotes of `instrument`; `date` is empty for
    /// live data, else "%Y%m%d". The callback may run before this returns.
    virtual void Subscribe(wxWindow* listener, Instrument* instrument, const std::string& date,
                           PriceCallback callback) = 0;
    /// Stops callbacks and quote events for that listener, instrument and date.
    virtual void Unsubscribe(wxWindow* listener, Instrument* instrument, const std::string& date) = 0;

    virtual std::string GetLayoutFilePath() = 0;
    virtual std::string GetApplicationFilePath(bool shared) = 0;

    virtual Instrument* FindInstrument(const char* code, const char* exchange) = 0;
    virtual const ExchangeList& GetExchanges() = 0;
    virtual const std::vector<Instrument*>& GetInstruments() = 0;
    virtual UserProfile GetUserProfile() = 0;

    virtual Widget* FindWidget(const char* name) = 0;
    /// Every loaded widget factory; a null entry stands for a menu separator.
    virtual std::vector<Widget*> GetWidgets() = 0;
    virtual wxWindow* OpenWidget(Widget* widget, uint64_t group, uint64_t sameGroup, int mode) = 0;
    /// Hands a link event to every plug-in's Dispatch.
    virtual void PostToWidgets(wxCommandEvent& event, Widget* source, uint64_t group, wxWindow* target) = 0;

    virtual void PrepareMenu(wxMenu* menu) = 0;
    virtual void AttachDialog(wxWindow* dialog) = 0;

    /// Host command 1..17 bound to that key, anything else for none. The
    /// modifiers come in this order, Alt before Shift, in every host.
    virtual int LookupHotkey(int keyCode, bool control, bool alt, bool shift) = 0;
    virtual wxString GetShortcutText(int hostCommand) = 0;

protected:
    ~Host() = default;
};
