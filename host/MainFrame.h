#pragma once
// The terminal's main window: docked quote boards, menus, status bar.

#include <functional>
#include <optional>
#include <vector>

#include <wx/aui/aui.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include "LayoutDocument.h"

class MarketFeed;
class NoticeBar;
class QuoteBook;
class TerminalHost;
class ThemeSwitch;
class Widget;
struct OpenWindow;

/// A feed's rate of updates a second as the status bar shows it: in the
/// locale's digits and grouping, with no more than two decimals.
wxString FeedRateText(double rate);

/// Main frame of the terminal; closing it is the one way the program ends.
class MainFrame : public wxFrame
{
public:
    MainFrame(TerminalHost& host, ThemeSwitch& themes, QuoteBook& quotes, MarketFeed* feed);
    ~MainFrame() override;

    /// Opens a board docked in this frame; the first one fills the centre.
    /// `layoutNode` is the board's own saved state, if it has one.
    wxWindow* OpenDockedBoard(void* layoutNode = nullptr);
    /// Closes a docked board as the pane's close button does; false when
    /// `container` is not a docked board of this frame.
    bool CloseDockedBoard(wxWindow* container);
    /// Opens a board in a frame of its own; a non-empty `geometry` places the frame.
    wxWindow* OpenFramedBoard(void* layoutNode = nullptr, const wxRect& geometry = wxRect());

    /// Asks every board to save itself into the layout document and writes
    /// the document. False (and the file untouched) when it cannot be written.
    bool SaveLayout();

    /// Switches the host theme and tells every window.
    void SelectTheme(bool dark);
    /// Tells every board to show that day ("%Y%m%d") or, with today's date, live quotes.
    void ShowHistoryDate(const wxString& date);

    /// Quits after `seconds`, saving screenshots first when `screenshotPath`
    /// is set. Nobody is asked anything at that quit: a layout that cannot
    /// be saved is left unsaved (QuitUnsaved).
    void ScheduleQuit(double seconds, const wxString& screenshotPath);
    /// Quits as File > Quit does, menus and dialogs closed first, but asks
    /// nothing: a layout that cannot be saved is left unsaved (QuitUnsaved).
    /// For signals and the end of the desktop session.
    void QuitUnattended();
    /// True once the frame closed without saving the layout and without the
    /// user choosing so: unattended, by a signal or at the session's end.
    bool QuitUnsaved() const { return m_quitUnsaved; }

    /// Answers "Quit without saving?" instead of a message box.
    using QuitConfirmation = std::function<bool(const wxString& reason)>;
    void SetQuitConfirmation(QuitConfirmation confirm) { m_confirmQuit = std::move(confirm); }

    /// Shows `text` in the notice strip above the boards until dismissed.
    void ShowNotice(const wxString& text);
    /// The notices shown now, one a line; empty when the strip is hidden.
    wxString NoticeText() const;

    /// The link group every window of this terminal belongs to.
    uint64_t LinkGroup() const { return reinterpret_cast<uint64_t>(this); }
    size_t DockedPaneCount() const;

    /// Opens a second board beside (`beside`) or below the board in
    /// `container`: docked next to a docked board, in a frame placed next to
    /// a framed one. Returns the new board, or null.
    wxWindow* SplitBoard(wxWindow* container, bool beside);
    /// Asks the user, then closes the board in `container` and the pane or
    /// frame that holds it, keeping what it was for ReopenClosedBoard. False
    /// when the user keeps it or there is no such board.
    bool CloseBoard(wxWindow* container);
    /// Brings back the board closed last, as it was when it closed; false
    /// when none was closed in this run.
    bool ReopenClosedBoard();

    /// Answers "close this board?" (the text asked about the board in that
    /// container) instead of a message box.
    using CloseConfirmation = std::function<bool(wxWindow* container, const wxString& question)>;
    void SetCloseConfirmation(CloseConfirmation confirm) { m_confirmClose = std::move(confirm); }

private:
    /// Reopens the boards the layout document lists; one plain board when it lists none.
    void RestoreWindows();
    /// Docks a new board with `pane` as its place; null when none could be made.
    /// `insertLevel` is a wxAUI_INSERT_* level that makes room for it, or -1.
    wxWindow* DockBoard(void* layoutNode, wxAuiPaneInfo pane, int insertLevel);
    /// A docked pane for a board, placed beside or below `source`, and the
    /// level at which it is inserted.
    wxAuiPaneInfo SplitPane(const wxAuiPaneInfo& source, bool beside, int& insertLevel);
    /// Gives the centre to another docked board once the centre one closed.
    void PromoteToCentre();
    /// The commands a board leaves to the window holding it ("Window" and
    /// "Widget" menus) arrive at its container, which names the board.
    void BindBoardCommands(wxWindow* container);
    /// The board in `window` as the layout document records it; a framed
    /// board also leaves its share in `document`, when given.
    WindowRecord RecordOf(const OpenWindow& window, boost::property_tree::ptree* document);
    /// Where the docked board in `container` sits now; none when it floats.
    std::optional<DockPlace> DockPlaceOf(wxWindow* container);
    /// Docks a board where a layout says it sat, `size` its pane's size.
    wxWindow* OpenDockedBoardAt(void* layoutNode, const DockPlace& place, const wxSize& size);
    /// Gives the docks of `records` the sizes they had across.
    void RestoreDockSizes(const std::vector<WindowRecord>& records);
    /// Asks whether the board in `container` may close; when it may, keeps
    /// what it was for ReopenClosedBoard.
    bool MayCloseBoard(wxWindow* container);
    /// Saves the theme in force in the terminal's own settings.
    void RememberTheme();
    void BuildMenus();
    wxMenu* BuildFileMenu();
    wxMenu* BuildViewMenu();
    wxMenu* BuildMarketMenu();
    wxMenu* BuildWidgetsMenu();
    wxMenu* BuildHelpMenu();
    void BuildStatusBar();
    void ApplyTheme();
    void ShowPlaceholder();
    void UpdateStatus();
    /// What the status bar says about the feed and the day the boards show.
    wxString FeedStatusText() const;
    Widget* BoardWidget() const;

    void OnClose(wxCloseEvent& event);
    /// Whether quitting may go on after the layout could not be saved.
    bool MayQuitUnsaved(const wxCloseEvent& event);
    void OnPaneClose(wxAuiManagerEvent& event);
    void OnClockTimer(wxTimerEvent& event);
    void OnQuitTimer(wxTimerEvent& event);
    void OnNewDocked(wxCommandEvent& event);
    void OnNewFramed(wxCommandEvent& event);
    void OnReopenBoard(wxCommandEvent& event);
    void OnUpdateReopenBoard(wxUpdateUIEvent& event);
    void OnSaveLayout(wxCommandEvent& event);
    /// Export to Excel and Print Preview of the active board's current tab.
    void OnBoardOutput(wxCommandEvent& event);
    void OnQuit(wxCommandEvent& event);
    void OnTheme(wxCommandEvent& event);
    void OnFitColumns(wxCommandEvent& event);
    void OnScrollToTop(wxCommandEvent& event);
    void OnEditAlert(wxCommandEvent& event);
    void OnHistoryDate(wxCommandEvent& event);
    void OnLiveQuotes(wxCommandEvent& event);
    void OnPauseFeed(wxCommandEvent& event);
    void OnResumeFeed(wxCommandEvent& event);
    void OnUpdateFeedItem(wxUpdateUIEvent& event);
    /// Stops the feed's trading or starts it again; the status bar says which.
    void SetFeedPaused(bool paused);
    void OnOpenWidget(wxCommandEvent& event);
    void OnKeyMap(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);

    TerminalHost& m_host;
    ThemeSwitch& m_themes;
    QuoteBook& m_quotes;
    MarketFeed* m_feed;
    wxAuiManager m_aui;
    wxTimer m_clock;
    wxTimer m_quitTimer;
    // Tries the quit again once the loops of what it closed have unwound.
    wxTimer m_quitRetry;
    bool m_retryForced = false;
    wxString m_screenshotPath;
    int m_paneCounter = 0;
    // The day every board was last told to show ("%Y%m%d"); empty while live.
    wxString m_historyDate;
    wxWindow* m_placeholder = nullptr;
    NoticeBar* m_noticeBar = nullptr;
    // Boards closed in this run, the last closed at the back.
    std::vector<WindowRecord> m_closedBoards;
    CloseConfirmation m_confirmClose;
    QuitConfirmation m_confirmQuit;
    // Why the last save failed, for the user; empty after a good save.
    wxString m_saveFailure;
    bool m_unattendedQuit = false;
    bool m_feedPaused = false;
    bool m_quitUnsaved = false;
    // How often a quit waited for menus and dialogs to close.
    int m_quitDeferrals = 0;

    wxDECLARE_EVENT_TABLE();
};
