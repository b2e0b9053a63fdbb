#pragma once
// The quote board window: a toolbar over a notebook of quote grids.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <wx/bitmap.h>
#include <wx/datetime.h>
#include <wx/panel.h>
#include <wx/timer.h>

#include "board/BoardFeature.h"
#include "board/RowTargets.h"
#include "layout/LayoutEntries.h"
#include "contract/Records.h"
#include "model/FilterSet.h"
#include "model/PriceAlert.h"
#include "model/QuoteAges.h"
#include "model/SortHold.h"
#include "model/TrendSamples.h"

class BoardNotice;
class BoardOwner;
namespace layout
{
class WatchlistStoreService;
}
class Host;
class Theme;
class TabFills;
class TickerdeckTable;
class wxDateEvent;
class wxDatePickerCtrl;
class wxFlatNotebook;
class wxFlatNotebookEvent;
class wxFlatNotebookImageList;
class wxGridEvent;
class wxGridSizeEvent;
class wxGridEx;
class wxStaticTextEx;
class wxTimer;
class wxTimerEvent;
class wxToolBar;

/// A quote board window inside a host container.
class Tickerdeck : public wxPanel
{
public:
    /// A quote the board holds from the host: the grids showing it (one
    /// entry per row) and the date it was asked for, which is the date it is
    /// let go with, whatever the history date or the clock says by then.
    struct Subscription
    {
        std::vector<wxGridEx*> grids;
        std::string date;
    };
    // Hashed: a whole exchange holds a hundred thousand of them.
    using SubscriptionMap = std::unordered_map<Price*, Subscription>;

    /// Whether a tab may show an instrument twice (see SubscribeRow).
    enum class Delivery
    {
        Batch,        // one of a stored list: an instrument listed twice shows twice
        Interactive   // one the user adds: nothing changes when the tab shows it already
    };

    /// The day the board takes for today; a test moves it past midnight.
    using TodayClock = std::function<wxDateTime()>;

    /// Installs the board's features; called after the window's toolbar and
    /// notebook exist and before the layout is loaded.
    using FeatureInstaller = std::function<void(Tickerdeck&)>;

    Tickerdeck(BoardOwner* owner, uint64_t group, wxWindow* container, void* layoutSource,
               void* layoutNode, int flags, const FeatureInstaller& installFeatures);
    ~Tickerdeck() override;

    BoardOwner* GetOwner() const { return m_owner; }
    /// The watchlist store the boards share; null without a factory.
    std::shared_ptr<layout::WatchlistStoreService> GetStore() const;
    /// Called by a factory that goes away before its boards.
    void DetachOwner() { m_owner = nullptr; }
    Host* GetHost() const;
    Theme* GetTheme() const;
    uint64_t GetGroup() const { return m_group; }
    int GetFlags() const { return m_flags; }
    /// True when the container sits alone in a frame of its own.
    bool HasOwnFrame() const;
    /// Parent of the window's dialogs: the own frame, else the link group's window.
    wxWindow* GetOwnerFrame() const;

    // Features.
    /// Forwards the feature's commands and event kinds to it from now on; a
    /// command or kind already claimed stays with the feature claiming it
    /// first (typed characters excepted, see BoardEventKind::GridChar).
    void AddFeature(std::unique_ptr<BoardFeature> feature);
    /// The installed feature of type F, or null.
    template <class F>
    F* FindFeature() const
    {
        for (const auto& feature : m_features)
            if (auto* found = dynamic_cast<F*>(feature.get()))
                return found;
        return nullptr;
    }

    // Layout.
    void Load(void* layoutSource, void* layoutNode);
    void Save(void* layoutSource, void* layoutNode);
    void ApplyTitle(const wxString& text);

    // Tabs and grids.
    /// A new grid (with its table) for a tab; appended to the grid list.
    wxGridEx* CreateTabGrid();
    /// Adds the grid's splitter as a notebook page; a selected page makes
    /// the grid the current one.
    void AddTabPage(wxGridEx* grid, const wxString& label, bool select);
    /// Closes the tab of `grid`: lets go of every row (hidden ones and
    /// unanswered requests too), drops its flashes and filter, forgets the
    /// grid (and the current tab when it was that one) and deletes the page.
    void RemoveTab(wxGridEx* grid);
    void FitColumns(wxGridEx* grid);
    void FitAllColumns();
    /// A paint of `grid` found figures wider than their columns (a bit per
    /// column id): where the columns are fitted, they are fitted again.
    void WidenCutOffColumns(wxGridEx* grid, uint32_t columns);
    static TickerdeckTable* TableOf(const wxGridEx* grid);
    const std::vector<wxGridEx*>& GetGrids() const { return m_grids; }
    wxGridEx* GetCurrentGrid() const { return m_currentGrid; }

    /// Drops `grid`'s claim on `price`; unsubscribes when no grid shows it.
    void ReleaseTabRow(wxGridEx* grid, Price* price);

    // Subscriptions and history.
    void SetTodayClock(TodayClock today) { m_today = std::move(today); }
    /// Empty for live quotes (no history date, or today), else "%Y%m%d".
    std::string GetDateText() const;
    /// Asks the host for `instrument` quotes. Its row enters `grid` when the
    /// host answers, filtered and in the order of the grid's sort column.
    void SubscribeRow(Instrument* instrument, wxGridEx* grid, Delivery delivery);
    /// Subscribes a list of rows; the answers the host gives at once are
    /// shown together, later ones one by one as for SubscribeRow.
    /// The instruments `grid` asked the host for that it has not answered
    /// yet, in the order they were asked for.
    std::vector<Instrument*> PendingInstruments(const wxGridEx* grid) const;
    /// Lets go of every row of `grid`, answered or not, and returns the
    /// instruments whose answer had not come yet.
    std::vector<Instrument*> ClearRows(wxGridEx* grid);
    /// Drops the unanswered requests of `grid` (only those of the
    /// instruments `which` picks, when given), letting go of them at the
    /// host; a late answer then brings no row back. Returns their instruments.
    std::vector<Instrument*> ForgetPendingRows(wxGridEx* grid,
                                               const std::function<bool(const Instrument*)>& which = {});
    /// Takes `quotes` off `grid`'s tab, the last first, releasing each one
    /// no row shows any more; quotes the tab no longer holds are skipped.
    void DropRows(wxGridEx* grid, const std::vector<Price*>& quotes);
    /// The first tab showing the stored watchlist `name` (compared byte for
    /// byte), whatever its label; null when none does.
    wxGridEx* FindStoredTab(const std::string& name) const;
    /// The notebook page of `grid`, or wxNOT_FOUND.
    int PageOfGrid(const wxGridEx* grid) const;
    void SubscribeRows(const std::vector<Instrument*>& instruments, wxGridEx* grid,
                       Delivery delivery = Delivery::Batch);
    /// Fills `grid` with `instruments` as SubscribeRows does, a long list a
    /// slice at a time (TabFills) so the window answers meanwhile; `label`
    /// names the tab in the progress notice.
    void FillRows(const std::vector<Instrument*>& instruments, wxGridEx* grid, const wxString& label);
    /// Stops the fill of `grid`, leaving the rows it reached (in order when
    /// the tab is sorted); false when none was running.
    bool StopFilling(wxGridEx* grid);
    bool IsFilling(const wxGridEx* grid) const;
    TabFills& GetTabFills() { return *m_fills; }
    /// One slice of a fill: subscribes `count` instruments whose rows join
    /// the end of the table; the grid is told by the caller.
    void SubscribeSlice(wxGridEx* grid, Instrument* const* instruments, size_t count);
    /// Rows become the members the tab's filter shows, in the order of the
    /// grid's sort column (else stored order); the grid is told.
    void RearrangeRows(wxGridEx* grid);
    /// Tells `grid` that its table gained `count` rows at the end.
    static void NotifyRowsAppended(wxGridEx* grid, int count);
    /// Brings the grid's row count in line with its table after the rows changed.
    static void SyncRowCount(wxGridEx* grid);
    const SubscriptionMap& GetSubscriptions() const { return m_subscriptions; }
    const wxDateTime& GetHistoryDate() const { return m_historyDate; }
    /// Switches every grid to the quotes of `date` (invalid = live).
    void SetHistoryDate(const wxDateTime& date);

    /// The board's named column sets, kept in its layout.
    layout::ColumnSets& ColumnSets() { return m_columnSets; }
    const layout::ColumnSets& ColumnSets() const { return m_columnSets; }
    /// Puts a set's columns, widths, order, sort and colour rules on `grid`'s tab.
    void ApplyColumnSet(wxGridEx* grid, const layout::ColumnSet& set);
    /// Gives `grid`'s tab these colour rules and repaints it; rules that
    /// cannot be used are named in the board's notice.
    void SetColourRules(wxGridEx* grid, const std::vector<ColourRuleSpec>& rules);

    layout::WindowSettings& Settings() { return m_settings; }
    const layout::WindowSettings& Settings() const { return m_settings; }

    /// The filter of each filtered tab, keyed by the tab's notebook page;
    /// the tab's table only borrows it.
    using TabFilterMap = std::map<wxWindow*, std::unique_ptr<FilterSet>>;
    TabFilterMap& TabFilters() { return m_tabFilters; }
    /// Shows on the tab and in its empty grid whether a filter is on.
    void MarkTabFiltered(wxGridEx* grid, bool filtered);
    /// "N of M shown" for a filtered tab, empty for another.
    wxString TabToolTip(size_t index) const;
    /// Price alerts by instrument, one per instrument.
    using AlertMap = PriceAlertMap;
    AlertMap& Alerts() { return m_alerts; }
    /// When each subscribed quote last changed; every quote update stamps it.
    QuoteAges& GetQuoteAges() { return m_quoteAges; }
    const QuoteAges& GetQuoteAges() const { return m_quoteAges; }
    /// The recent last prices of the rows of tabs showing the trend column.
    const TrendSamples& GetTrendSamples() const { return m_trendSamples; }
    /// Takes the trend points due at `now` (the board's timer calls it):
    /// every row of the tabs that show the trend column, none on a history
    /// date, which forgets them all; then repaints the current tab's trend
    /// cells on screen, or sorts it again when it is sorted by its trend.
    void SampleTrends(TrendSamples::Clock::time_point now);
    /// Stops the timer that samples trends: a test calls SampleTrends itself.
    void StopTrendTimer();
    /// True when `grid` shows the trend column.
    static bool ShowsTrend(const wxGridEx* grid);

    /// The strip over the toolbar's free space that tells what the board noticed.
    BoardNotice* GetNotice() const { return m_notice; }
    /// Checks the alert of the quote's instrument against one quote update
    /// and queues the alert notification when it fires.
    void EvaluateAlert(Price* quote, uint32_t changeMask);

    /// The price of the grid's first selected row, or null.
    static Price* FirstSelectedPrice(const wxGridEx* grid);
    /// What a row command works on: while a menu opened over rows is up,
    /// those rows; otherwise the current tab's selection as it is now.
    RowTargets CommandTargets() const;
    /// Commands chosen from a menu act on `targets` until UnpinTargets.
    void PinTargets(RowTargets targets);
    void UnpinTargets();
    /// The grid shown on a notebook page, or null.
    wxGridEx* GridOfPage(wxWindow* page) const;

    /// Rows stay where the user aims: whether sorted tabs hold their order
    /// now is worked out again from the hold and the board's open dialogs,
    /// and a tab released catches up with its sort.
    SortHold& GetSortHold() { return m_sortHold; }
    void UpdateSortHold();
    /// Pauses or resumes the sort of `grid` ("Pause Sorting").
    void SetSortPaused(wxGridEx* grid, bool paused);
    /// Milliseconds of the clock the hold reads (tests set it).
    using SteadyClock = std::function<int64_t()>;
    void SetSteadyClock(SteadyClock clock) { m_steadyClock = std::move(clock); }
    /// The first notebook page labelled `label`, or wxNOT_FOUND.
    int FindPage(const wxString& label) const;

    // Windows of the shell, for the command handlers and tests.
    wxToolBar* GetToolbar() const { return m_toolbar; }
    wxStaticTextEx* GetTitleLabel() const { return m_titleLabel; }
    wxDatePickerCtrl* GetDatePicker() const { return m_datePicker; }
    wxFlatNotebook* GetNotebook() const { return m_notebook; }
    int GetSortClickCount() const { return m_sortClickCount; }

    void ApplyTheme();

    /// Whether this build can take quotes queued behind one off the board's
    /// queue and handle them together (only on toolkit versions whose queue
    /// it knows).
    static bool QuoteDrainBuiltIn();
    /// Switches that to the toolkit's dispatch of every quote and back, for
    /// all boards; where it is not built in it stays off.
    static void UseQuoteDrain(bool on);

private:
    // Construction.
    void CreateToolbar();
    /// Gives the notice the toolbar's free space.
    void PlaceNotice();
    void AddFramedTools();
    void AddDockedTools();
    void CreateNotebook();
    void ApplyToolbarColours();
    void ApplyTitleLabelStyle();
    void ApplyNotebookColours();
    void ApplyGridColours(wxGridEx* grid);
    void BindGridEvents(wxGridEx* grid);
    /// Sets the content widths, then stretches them to the window as fitting does.
    void FitColumnsTo(wxGridEx* grid, std::vector<int> widths);
    /// Gives the figure under the pointer as a tool tip when its cell shows it cut off.
    void ShowCutOffFigure(wxMouseEvent& event);

    // Subscriptions.
    bool IsPastDay(const wxDateTime& date) const;
    /// The host's answer to a subscription of `grid` made with `date`.
    void EnterRow(wxGridEx* grid, Price* price, const std::string& date, Delivery delivery);
    /// Removes `grid` from the entry of `price`; unsubscribes, with the date
    /// it was subscribed with, when it was the last.
    void ReleaseRow(wxGridEx* grid, Price* price);
    /// Shows the history date in the toolbar: the picker's day, the history tool's colour.
    void UpdateHistoryTool();

    // Trends.
    void StartTrendTimer();
    /// The product samples every ten seconds; TICKERDECK_TREND_INTERVAL_MS
    /// shortens that for trying the column out.
    static std::chrono::milliseconds TrendIntervalOfEnvironment();
    void RefreshTrendCells(wxGridEx* grid);

    // Sorting.
    static void SelectPrice(wxGridEx* grid, const Price* price);
    /// Puts the grid's rows in the order of its sort column, if it has one.
    void SortByItsColumn(wxGridEx* grid);
    /// Makes the grid of the page the notebook shows the current one.
    void FollowNotebookSelection();
    /// Gives the grid the keyboard, with a row selected for the keys to act on.
    void HandKeyboardTo(wxGridEx* grid);

    // Event handlers of the board itself.
    void OnTabActivated(wxFlatNotebookEvent& event);
    void OnQuoteUpdate(wxCommandEvent& event);
    /// Quote events taken off the board's queue together, in queue order.
    struct QuoteRun
    {
        std::array<std::unique_ptr<wxEvent>, 32> events;
        size_t size = 0;
    };
    void HandleQuoteRun(QuoteRun& run);
    void HandleQuote(const wxCommandEvent& event);
    size_t TakeQueuedQuotes(QuoteRun& run);
    bool QuotesBoundElsewhere() const;
    void OnThemeChanged(wxCommandEvent& event);
    void OnScrollToTop(wxCommandEvent& event);
    void OnFitAllColumns(wxCommandEvent& event);
    void OnCellLeftClick(wxGridEvent& event);
    void OnColumnSort(wxGridEvent& event);
    void OnToggleAutoFit(wxCommandEvent& event);
    void OnOpenAnotherWindow(wxCommandEvent& event);
    void OnHistoryDateFromHost(wxCommandEvent& event);
    void OnDatePicked(wxDateEvent& event);
    void OnDestroy(wxWindowDestroyEvent& event);
    void OnGridSize(wxSizeEvent& event);
    void OnGridButton(wxMouseEvent& event);
    void OnColumnDragged(wxGridSizeEvent& event);
    void OnSortHoldTimer(wxTimerEvent& event);
    void OnPauseSorting(wxCommandEvent& event);
    bool HasOpenDialog() const;
    int64_t HoldNow() const;
    /// The tab's icon: paused sorting, else its filter, else none.
    void MarkTab(wxGridEx* grid, bool filtered);

    void OnLinkReceived(wxCommandEvent& event);
    void AddLinkedInstrument(Instrument* instrument);

    // Events forwarded to the feature that claims them.
    BoardFeature* OwnerOf(BoardEventKind kind) const;
    void ForwardCommand(wxCommandEvent& event);
    void OnCellDoubleClick(wxGridEvent& event);
    void OnLabelRightClick(wxGridEvent& event);
    void OnCellRightClick(wxGridEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnGridMotion(wxMouseEvent& event);
    void OnGridKeyDown(wxKeyEvent& event);
    void OnGridChar(wxKeyEvent& event);
    void OnGridRightUp(wxMouseEvent& event);

    BoardOwner* m_owner;
    uint64_t m_group;
    int m_flags;
    wxToolBar* m_toolbar = nullptr;
    wxStaticTextEx* m_titleLabel = nullptr;
    wxDatePickerCtrl* m_datePicker = nullptr;
    wxFlatNotebook* m_notebook = nullptr;
    BoardNotice* m_notice = nullptr;
    // The notebook only borrows its image list.
    std::unique_ptr<wxFlatNotebookImageList> m_imageList;
    std::vector<wxGridEx*> m_grids;
    wxGridEx* m_currentGrid = nullptr;
    int m_sortClickCount = 1;
    wxDateTime m_historyDate;
    layout::WindowSettings m_settings;
    layout::ColumnSets m_columnSets;
    SubscriptionMap m_subscriptions;
    TodayClock m_today = [] { return wxDateTime::Today(); };
    /// A subscription the host has not answered yet.
    struct PendingRow
    {
        wxGridEx* grid;
        Instrument* instrument;
        std::string date;
    };
    // By request number, in request order. An answer whose request is gone
    // belongs to a list the tab no longer shows and was let go already.
    std::map<uint64_t, PendingRow> m_pendingRows;
    uint64_t m_lastRequest = 0;
    // The grid whose list is being subscribed: the answers that come inside
    // Subscribe are shown together once the list is done.
    wxGridEx* m_fillingGrid = nullptr;
    TabFilterMap m_tabFilters;
    AlertMap m_alerts;
    QuoteAges m_quoteAges;
    SortHold m_sortHold;
    wxTimer m_sortHoldTimer;
    SteadyClock m_steadyClock;
    TrendSamples m_trendSamples;
    std::unique_ptr<wxTimer> m_trendTimer;
    std::optional<RowTargets> m_pinnedTargets;
    std::map<int, BoardFeature*> m_commandOwners;
    std::map<BoardEventKind, BoardFeature*> m_eventOwners;
    std::vector<BoardFeature*> m_charTakers;
    // Declared after the alerts: a feature's dialogs may refer to them
    // until the feature itself is gone.
    std::vector<std::unique_ptr<BoardFeature>> m_features;
    std::unique_ptr<TabFills> m_fills;
    // Cleared on destroy so that a host calling back late finds no window.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

    wxDECLARE_EVENT_TABLE();
};
