#include "TerminalHost.h"

#include <functional>
#include <algorithm>
#include <cstring>

#include <spdlog/spdlog.h>
#include <wx/event.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "Hotkeys.h"
#include "files/DurableFile.h"
#include "UserFiles.h"
#include "market/Catalogue.h"
#include "market/QuoteBook.h"
#include "theme/ThemeSwitch.h"
#include "widgets/BuiltinWidget.h"

TerminalHost::TerminalHost(Catalogue& catalogue, QuoteBook& quotes, ThemeSwitch& themes,
                           const UserFiles& files, bool allowTrading, std::shared_ptr<spdlog::logger> logger)
    : m_catalogue(catalogue),
      m_quotes(quotes),
      m_themes(themes),
      m_files(files),
      m_allowTrading(allowTrading),
      m_logger(std::move(logger))
{
}

Theme* TerminalHost::GetTheme()
{
    return &m_themes.Current();
}

void TerminalHost::Subscribe(wxWindow* listener, Instrument* instrument, const std::string& date,
                             PriceCallback callback)
{
    if (!listener || !instrument)
        return;
    m_listeners.insert(listener);
    m_quotes.Subscribe(listener, instrument, date, callback);
}

void TerminalHost::Unsubscribe(wxWindow* listener, Instrument* instrument, const std::string& date)
{
    if (!listener || !instrument || m_leavingQuotes)
        return;
    m_quotes.Unsubscribe(listener, instrument, date);
}

std::string TerminalHost::GetLayoutFilePath()
{
    return m_files.LayoutPath();
}

std::string TerminalHost::GetApplicationFilePath(bool /*shared*/)
{
    // One store serves every user of this terminal, shared or not.
    return m_files.StorePath();
}

Instrument* TerminalHost::FindInstrument(const char* code, const char* exchange)
{
    if (!code || !exchange)
        return nullptr;
    return m_catalogue.Find(code, exchange);
}

const ExchangeList& TerminalHost::GetExchanges()
{
    return m_catalogue.Exchanges();
}

const std::vector<Instrument*>& TerminalHost::GetInstruments()
{
    return m_catalogue.Instruments();
}

UserProfile TerminalHost::GetUserProfile()
{
    UserProfile profile;
    profile.userName = std::string(wxGetUserId().utf8_str());
    profile.permissions = m_allowTrading ? UserProfile::kAllowTrading : 0u;
    return profile;
}

Widget* TerminalHost::FindWidget(const char* name)
{
    if (!name)
        return nullptr;
    for (Widget* widget : GetWidgets())
        if (widget && std::strcmp(widget->GetDisplayName(), name) == 0)
            return widget;
    return nullptr;
}

std::vector<Widget*> TerminalHost::GetWidgets()
{
    std::vector<Widget*> widgets = m_plugins;
    if (!m_plugins.empty() && !m_builtins.empty())
        widgets.push_back(nullptr);
    widgets.insert(widgets.end(), m_builtins.begin(), m_builtins.end());
    return widgets;
}

wxWindow* TerminalHost::OpenWidget(Widget* widget, uint64_t group, uint64_t /*sameGroup*/, int mode)
{
    if (!widget)
        return nullptr;
    auto builtin = std::find(m_builtins.begin(), m_builtins.end(), widget);
    if (builtin != m_builtins.end())
        (*builtin)->SetOpenMode(mode);
    wxWindow* panel = m_windows.OpenInFrame(widget, group, LayoutDocument(), kOwnFrameFlags, m_frameParent);
    if (!panel && m_logger)
        m_logger->warn("{} did not create a window", widget->GetDisplayName());
    return panel;
}

void TerminalHost::PostToWidgets(wxCommandEvent& event, Widget* /*source*/, uint64_t group, wxWindow* target)
{
    // Every factory, the sender's too: it skips its own sending window itself.
    for (Widget* widget : GetWidgets())
        if (widget)
            widget->Dispatch(event, group, target);
}

void TerminalHost::PrepareMenu(wxMenu* /*menu*/)
{
    // Menus here are native GTK menus: they follow the desktop theme and take
    // no colours or fonts from the application, so there is nothing to apply.
}

void TerminalHost::AttachDialog(wxWindow* dialog)
{
    if (!dialog || std::find(m_dialogs.begin(), m_dialogs.end(), dialog) != m_dialogs.end())
        return;
    m_dialogs.push_back(dialog);
    dialog->Bind(wxEVT_DESTROY, [this, dialog](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == dialog)
            m_dialogs.erase(std::remove(m_dialogs.begin(), m_dialogs.end(), dialog), m_dialogs.end());
        event.Skip();
    });
    ApplyThemeTo(dialog);
}

int TerminalHost::LookupHotkey(int keyCode, bool control, bool alt, bool shift)
{
    return Hotkeys::Lookup(keyCode, control, alt, shift);
}

wxString TerminalHost::GetShortcutText(int hostCommand)
{
    return Hotkeys::ShortcutText(hostCommand);
}

void TerminalHost::SetWidgets(const std::vector<Widget*>& plugins, const std::vector<BuiltinWidget*>& builtins)
{
    m_plugins = plugins;
    m_builtins = builtins;
    int commandId = kFirstWidgetCommand;
    for (Widget* widget : GetWidgets())
    {
        if (!widget)
            continue;
        widget->host = this;
        widget->commandId = commandId++;
    }
    for (BuiltinWidget* widget : m_builtins)
        widget->SetLogger(m_logger);
}

Widget* TerminalHost::WidgetByCommand(int commandId) const
{
    for (Widget* widget : m_plugins)
        if (widget->commandId == commandId)
            return widget;
    for (BuiltinWidget* widget : m_builtins)
        if (widget->commandId == commandId)
            return widget;
    return nullptr;
}

namespace {

/// The shipped layout, or null when it cannot be read either, which `tell`
/// tells the user: the installation is damaged.
std::unique_ptr<boost::property_tree::ptree> ReadShippedLayout(const std::string& path, spdlog::logger* logger,
                                                               const std::function<void(const wxString&)>& tell)
{
    try
    {
        auto document = std::make_unique<boost::property_tree::ptree>(files::ReadXmlDocument(path, "application"));
        files::ExpandDefaultBoard(*document);
        return document;
    }
    catch (const files::UnreadableFile& error)
    {
        if (logger)
            logger->error("cannot read the shipped layout {}", error.what());
        tell(wxString::Format(_("The layout that comes with the terminal cannot be read (%s); installing the "
                                "terminal again mends it."),
                              wxString::FromUTF8(error.what())));
    }
    return nullptr;
}

wxString DefaultBoardNotice(const files::DefaultBoardFault& fault, const wxString& path)
{
    switch (fault.kind)
    {
    case files::DefaultBoardFault::UnknownWindow:
        return wxString::Format(_("The default board in the layout %s refers to window \"%s\", which the layout "
                                  "does not hold. New boards open from the shipped default board, which will be "
                                  "saved in its place."),
                                path, wxString::FromUTF8(fault.window));
    default:
        return wxString::Format(_("The default board in the layout %s has no tabs. New boards open from the "
                                  "shipped default board, which will be saved in its place."),
                                path);
    }
}

}  // namespace

bool TerminalHost::LoadLayoutDocument(const std::string& shippedLayout)
{
    const std::string path = m_files.LayoutPath();
    m_layout.reset();
    m_layoutUnreadable = false;
    try
    {
        m_layout = std::make_unique<boost::property_tree::ptree>(files::ReadXmlDocument(path, "application"));
        files::ExpandDefaultBoard(*m_layout);
        ReplaceBrokenDefaultBoard(shippedLayout);
        return true;
    }
    catch (const files::UnreadableFile& error)
    {
        // What could be set aside was, before the defaults were seeded; what
        // is left (a folder in its place) is only reported, and never saved over.
        if (m_logger)
            m_logger->warn("cannot read the layout {}", error.what());
    }
    // Boards still open as a new user's would, not empty.
    m_layoutUnreadable = true;
    m_layout = ReadShippedLayout(shippedLayout, m_logger.get(), [this](const wxString& text) { Notify(text); });
    return false;
}

void TerminalHost::ReplaceBrokenDefaultBoard(const std::string& shippedLayout)
{
    const files::DefaultBoardFault fault = files::FindDefaultBoardFault(*m_layout);
    if (fault.kind == files::DefaultBoardFault::None)
        return;
    const std::string path = m_files.LayoutPath();
    if (m_logger)
        m_logger->warn("the default board in {} cannot open a board ({}); using the shipped one",
                       path, fault.kind == files::DefaultBoardFault::UnknownWindow ? "window \"" + fault.window + "\""
                             : fault.kind == files::DefaultBoardFault::NoTabs      ? std::string("no tabs")
                                                                                    : std::string("missing"));
    const auto shipped = ReadShippedLayout(shippedLayout, m_logger.get(), [this](const wxString& text) { Notify(text); });
    if (!shipped || !files::CopyDefaultBoard(*shipped, *m_layout))
        return;
    // A file without one is no damage, only older or written by hand.
    if (fault.kind != files::DefaultBoardFault::Missing)
        Notify(DefaultBoardNotice(fault, wxString::FromUTF8(path)));
}

void TerminalHost::Notify(const wxString& text)
{
    if (m_noticeListener)
        m_noticeListener(text);
    else
        m_pendingNotices.push_back(text);
}

void TerminalHost::SetNoticeListener(std::function<void(const wxString&)> listener)
{
    m_noticeListener = std::move(listener);
    if (!m_noticeListener)
        return;
    for (const wxString& text : m_pendingNotices)
        m_noticeListener(text);
    m_pendingNotices.clear();
}

void TerminalHost::PostToOpenWindows(int commandId, const wxString& text)
{
    for (const OpenWindow& window : m_windows.All())
    {
        if (!window.panel)
            continue;
        wxCommandEvent event(wxEVT_MENU, commandId);
        event.SetString(text);
        wxPostEvent(window.panel, event);
    }
}

void TerminalHost::PostToActiveWindow(int commandId)
{
    wxWindow* target = nullptr;
    const wxWindow* focus = wxWindow::FindFocus();
    for (const OpenWindow& window : m_windows.All())
    {
        if (!window.panel)
            continue;
        if (!target)
            target = window.panel;
        for (const wxWindow* w = focus; w; w = w->GetParent())
            if (w == window.panel)
                target = window.panel;
    }
    if (target)
    {
        wxCommandEvent event(wxEVT_MENU, commandId);
        wxPostEvent(target, event);
    }
}

void TerminalHost::ApplyThemeToDialogs()
{
    for (wxWindow* dialog : m_dialogs)
    {
        ApplyThemeTo(dialog);
        dialog->Refresh();
    }
}

void TerminalHost::ReleaseAllSubscriptions()
{
    if (m_leavingQuotes)
    {
        m_listeners.clear();
        return;
    }
    const size_t before = m_quotes.SubscriptionCount();
    for (wxEvtHandler* listener : m_listeners)
        m_quotes.UnsubscribeAll(listener);
    m_listeners.clear();
    if (before > 0 && m_logger)
        m_logger->warn("{} subscriptions were still open at exit", before);
}

void TerminalHost::ApplyThemeTo(wxWindow* window)
{
    const Theme& theme = m_themes.Current();
    window->SetBackgroundColour(theme.BackgroundColour());
    window->SetForegroundColour(theme.TextColour());
    window->SetFont(theme.NormalFont());
}
