#pragma once
// The terminal's side of the plug-in interface: market data, the catalogue,
// the theme, the user's files and the other widgets, offered to plug-ins.

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>

#include "OpenWindows.h"
#include "contract/Host.h"

class BuiltinWidget;
class Catalogue;
class QuoteBook;
class ThemeSwitch;
class UserFiles;
class wxEvtHandler;
namespace spdlog { class logger; }

/// Implements Host for the reference terminal.
class TerminalHost : public Host
{
public:
    /// First command id given to widgets; they are numbered in GetWidgets order.
    static constexpr int kFirstWidgetCommand = 9000;
    /// Flags of a widget window that sits alone in its own, centred frame.
    static constexpr int kOwnFrameFlags = 0x1 | 0x100;

    TerminalHost(Catalogue& catalogue, QuoteBook& quotes, ThemeSwitch& themes, const UserFiles& files,
                 bool allowTrading, std::shared_ptr<spdlog::logger> logger);
    virtual ~TerminalHost() = default;

    // Host
    Theme* GetTheme() override;
    void Subscribe(wxWindow* listener, Instrument* instrument, const std::string& date,
                   PriceCallback callback) override;
    void Unsubscribe(wxWindow* listener, Instrument* instrument, const std::string& date) override;
    std::string GetLayoutFilePath() override;
    std::string GetApplicationFilePath(bool shared) override;
    Instrument* FindInstrument(const char* code, const char* exchange) override;
    const ExchangeList& GetExchanges() override;
    const std::vector<Instrument*>& GetInstruments() override;
    UserProfile GetUserProfile() override;
    Widget* FindWidget(const char* name) override;
    std::vector<Widget*> GetWidgets() override;
    wxWindow* OpenWidget(Widget* widget, uint64_t group, uint64_t sameGroup, int mode) override;
    void PostToWidgets(wxCommandEvent& event, Widget* source, uint64_t group, wxWindow* target) override;
    void PrepareMenu(wxMenu* menu) override;
    void AttachDialog(wxWindow* dialog) override;
    int LookupHotkey(int keyCode, bool control, bool alt, bool shift) override;
    wxString GetShortcutText(int hostCommand) override;

    // The terminal's own use.
    /// Installs the widget factories, gives them this host and command ids.
    void SetWidgets(const std::vector<Widget*>& plugins, const std::vector<BuiltinWidget*>& builtins);
    const std::vector<Widget*>& Plugins() const { return m_plugins; }
    /// The widget whose command id that is, or null.
    Widget* WidgetByCommand(int commandId) const;

    OpenWindows& Windows() { return m_windows; }
    /// Parent of the frames that OpenWidget creates (the main frame).
    void SetFrameParent(wxWindow* parent) { m_frameParent = parent; }

    /// Reads the user's layout file into memory. When it cannot be read,
    /// returns false and the document is the shipped layout, for boards to
    /// open from; a default board that opens no board is replaced by the
    /// shipped one, and the user is told.
    bool LoadLayoutDocument(const std::string& shippedLayout);
    /// The in-memory layout document, or null when neither the user's nor
    /// the shipped layout could be read.
    boost::property_tree::ptree* LayoutDocument() { return m_layout.get(); }
    /// Whether the user's layout could not be read at start; then the
    /// document is not the user's and must never be saved over it.
    bool LayoutUnreadable() const { return m_layoutUnreadable; }

    /// Posts a wxEVT_MENU command with that id (and text) to every open widget window.
    void PostToOpenWindows(int commandId, const wxString& text = wxString());
    /// Posts a command to the window holding the keyboard focus, else to the
    /// first open window.
    void PostToActiveWindow(int commandId);

    /// Re-applies the theme to every dialog plug-ins attached.
    void ApplyThemeToDialogs();
    const std::vector<wxWindow*>& AttachedDialogs() const { return m_dialogs; }

    /// Safety net on exit: drops whatever subscriptions are left.
    void ReleaseAllSubscriptions();
    /// The terminal quits for good: its quotes serve nobody again, so the
    /// windows closing now need not let go of them one by one (a whole
    /// exchange is a million of them), nor does the safety net.
    void LeaveQuotes() { m_leavingQuotes = true; }

    std::shared_ptr<spdlog::logger> Logger() const { return m_logger; }
    const UserFiles& Files() const { return m_files; }

    /// Tells the user something went wrong that they must know about. Kept
    /// until a listener (the main frame) takes it, then handed over at once.
    void Notify(const wxString& text);
    void SetNoticeListener(std::function<void(const wxString&)> listener);

private:
    void ApplyThemeTo(wxWindow* window);
    void ReplaceBrokenDefaultBoard(const std::string& shippedLayout);

    Catalogue& m_catalogue;
    QuoteBook& m_quotes;
    ThemeSwitch& m_themes;
    const UserFiles& m_files;
    bool m_allowTrading;
    std::shared_ptr<spdlog::logger> m_logger;

    std::vector<Widget*> m_plugins;
    std::vector<BuiltinWidget*> m_builtins;
    OpenWindows m_windows;
    wxWindow* m_frameParent = nullptr;
    std::unique_ptr<boost::property_tree::ptree> m_layout;
    bool m_layoutUnreadable = false;
    std::vector<wxWindow*> m_dialogs;
    std::set<wxEvtHandler*> m_listeners;
    bool m_leavingQuotes = false;
    std::function<void(const wxString&)> m_noticeListener;
    std::vector<wxString> m_pendingNotices;
};
