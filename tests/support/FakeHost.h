#pragma once
// A recording stand-in for the terminal: remembers every call a board makes
// and owns the instrument and quote records it hands out.

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/colour.h>
#include <wx/event.h>

#include "contract/Host.h"
#include "contract/Records.h"
#include "contract/Theme.h"
#include "contract/Widget.h"
#include "host/theme/PaletteTheme.h"

namespace testing_support {

/// A dark palette whose every colour is distinct, so tests can tell them apart.
inline ThemePalette DistinctPalette()
{
    return {{0x1e, 0x22, 0x28}, {0x2f, 0x5d, 0x8a}, {0x14, 0x16, 0x1a}, {0x4a, 0x50, 0x5a}, {0x30, 0x34, 0x3c},
            {0x12, 0x14, 0x18}, {0x26, 0x4f, 0x78}, {0x6a, 0x4c, 0x10}, {0x2e, 0xcc, 0x71}, {0xe7, 0x4c, 0x3c},
            {0x9a, 0xa4, 0xb0}, {0xe8, 0xec, 0xf0}, {0x3a, 0x40, 0x48}};
}

/// One Subscribe or Unsubscribe call.
struct SubscriptionCall
{
    wxWindow* listener;
    Instrument* instrument;
    std::string date;

    bool operator==(const SubscriptionCall& other) const
    {
        return listener == other.listener && instrument == other.instrument && date == other.date;
    }
};

/// One PostToWidgets or Dispatch call, with the event's payload copied out.
struct PostCall
{
    int id;
    void* clientData;
    wxClientData* clientObject;
    int intValue;
    long extraLong;
    wxString text;
    Widget* source;
    uint64_t group;
    wxWindow* target;
};

/// A widget factory of the terminal that records what it is handed.
class FakeWidget : public Widget
{
public:
    FakeWidget(std::string name, std::string icon = std::string(), bool offered = true)
        : m_name(std::move(name)), m_icon(std::move(icon)), m_offered(offered)
    {
    }

    const char* GetDisplayName() override { return m_name.c_str(); }
    const char* GetIconPath() override { return m_icon.c_str(); }
    wxWindow* CreateWindow(uint64_t, wxWindow*, void*, void*, int) override { return nullptr; }
    void SaveWindow(wxWindow*, void*, void*) override {}
    void CloseWindow(wxWindow*, bool) override {}
    void Dispatch(wxCommandEvent& event, uint64_t group, wxWindow* target) override
    {
        dispatched.push_back({event.GetId(), event.GetClientData(), event.GetClientObject(), event.GetInt(),
                              event.GetExtraLong(), event.GetString(), nullptr, group, target});
    }
    void SetLogger(std::shared_ptr<spdlog::logger>) override {}
    bool IsOfferedInMenu(uint32_t) override { return m_offered; }

    std::vector<PostCall> dispatched;  // without a source

private:
    std::string m_name;
    std::string m_icon;
    bool m_offered;
};

/// A terminal that records calls and answers from in-memory records.
class FakeHost : public Host
{
public:
    /// When Subscribe calls back: inside the call, or on DeliverPending.
    enum class Reply
    {
        Immediately,
        Later
    };

    /// A new instrument known to FindInstrument and GetInstruments.
    Instrument* AddInstrument(const std::string& code, const std::string& exchange = "XTSE")
    {
        Instrument& instrument = m_instruments.emplace_back();
        instrument.code = code;
        instrument.exchange = exchange;
        instrument.name = code + " Corp";
        instrument.decimals = 2;
        m_instrumentList.push_back(&instrument);
        return &instrument;
    }

    /// The quote record handed out for `instrument` on `date` ("" = live);
    /// each instrument and date has a record of its own.
    Price* PriceOf(Instrument* instrument, const std::string& date = std::string())
    {
        std::unique_ptr<Price>& price = m_prices[{instrument, date}];
        if (!price)
        {
            price = std::make_unique<Price>();
            price->instrument = instrument;
            price->tradeDate = date;
        }
        return price.get();
    }

    /// Runs the callbacks held back while `reply` was Later.
    void DeliverPending()
    {
        auto pending = std::move(m_pending);
        m_pending.clear();
        for (auto& [callback, price] : pending)
            callback(price);
    }

    /// Unsubscribe calls for the triple.
    int Unsubscribed(wxWindow* listener, Instrument* instrument,
                     const std::string& date = std::string()) const
    {
        return static_cast<int>(std::count(unsubscribes.begin(), unsubscribes.end(),
                                           SubscriptionCall{listener, instrument, date}));
    }

    /// Subscribe calls minus Unsubscribe calls for the triple.
    int ActiveSubscriptions(wxWindow* listener, Instrument* instrument, const std::string& date) const
    {
        const SubscriptionCall key{listener, instrument, date};
        return static_cast<int>(std::count(subscribes.begin(), subscribes.end(), key)) -
               Unsubscribed(listener, instrument, date);
    }

    void ClearCalls()
    {
        subscribes.clear();
        unsubscribes.clear();
        posts.clear();
    }

    // Host
    Theme* GetTheme() override { return &theme; }

    void Subscribe(wxWindow* listener, Instrument* instrument, const std::string& date,
                   PriceCallback callback) override
    {
        subscribes.push_back({listener, instrument, date});
        Price* price = PriceOf(instrument, date);
        if (reply == Reply::Immediately)
            callback(price);
        else if (reply == Reply::Later)
            m_pending.emplace_back(std::move(callback), price);
    }

    void Unsubscribe(wxWindow* listener, Instrument* instrument, const std::string& date) override
    {
        unsubscribes.push_back({listener, instrument, date});
    }

    std::string GetLayoutFilePath() override { return layoutFilePath; }
    std::string GetApplicationFilePath(bool /*shared*/) override { return applicationFilePath; }

    Instrument* FindInstrument(const char* code, const char* exchange) override
    {
        for (Instrument* instrument : m_instrumentList)
            if (instrument->code == code && instrument->exchange == exchange)
                return instrument;
        return nullptr;
    }

    const ExchangeList& GetExchanges() override { return exchanges; }
    const std::vector<Instrument*>& GetInstruments() override { return m_instrumentList; }
    UserProfile GetUserProfile() override { return profile; }

    Widget* FindWidget(const char* name) override
    {
        for (Widget* widget : widgetList)
            if (widget && std::string(widget->GetDisplayName()) == name)
                return widget;
        return nullptr;
    }
    std::vector<Widget*> GetWidgets() override { return widgetList; }
    wxWindow* OpenWidget(Widget*, uint64_t, uint64_t, int mode) override
    {
        openModes.push_back(mode);
        return openedWindow;
    }

    void PostToWidgets(wxCommandEvent& event, Widget* source, uint64_t group, wxWindow* target) override
    {
        posts.push_back({event.GetId(), event.GetClientData(), event.GetClientObject(), event.GetInt(),
                         event.GetExtraLong(), event.GetString(), source, group, target});
    }

    void PrepareMenu(wxMenu*) override { ++preparedMenus; }
    void AttachDialog(wxWindow* dialog) override { attachedDialogs.push_back(dialog); }
    int LookupHotkey(int keyCode, bool control, bool alt, bool shift) override
    {
        if (control || alt)
            return 0;
        const auto found = hotkeys.find({keyCode, shift});
        return found == hotkeys.end() ? 0 : found->second;
    }
    wxString GetShortcutText(int hostCommand) override { return wxString::Format("F%d", hostCommand); }

    /// The terminal's own theme class; a test may put up another palette.
    PaletteTheme theme{"distinct", DistinctPalette()};
    Reply reply = Reply::Immediately;
    std::vector<SubscriptionCall> subscribes;
    std::vector<SubscriptionCall> unsubscribes;
    std::vector<PostCall> posts;
    std::vector<wxWindow*> attachedDialogs;
    UserProfile profile;
    /// Answered by FindWidget (by display name) and GetWidgets; null = separator.
    std::vector<Widget*> widgetList;
    /// The mode of each OpenWidget call.
    std::vector<int> openModes;
    wxWindow* openedWindow = nullptr;
    /// (key code, Shift) to host command.
    std::map<std::pair<int, bool>, int> hotkeys;
    int preparedMenus = 0;
    ExchangeList exchanges;
    std::string layoutFilePath;
    std::string applicationFilePath;

private:
    std::deque<Instrument> m_instruments;
    std::vector<Instrument*> m_instrumentList;
    std::map<std::pair<Instrument*, std::string>, std::unique_ptr<Price>> m_prices;
    std::vector<std::pair<PriceCallback, Price*>> m_pending;
};

}  // namespace testing_support
