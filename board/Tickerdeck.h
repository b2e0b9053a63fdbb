#pragma once
// The quote board window: a toolbar over a notebook of quote grids.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/datetime.h>
#include <wx/panel.h>

#include "alert/BoardAlerts.h"
#include "layout/LayoutEntries.h"
#include "layout/TabSource.h"
#include "contract/Records.h"
#include "model/FilterSet.h"

class Application;
class Host;
class Theme;
class TickerdeckTable;
class wxDateEvent;
class wxDatePickerCtrl;
class wxFlatNotebook;
class wxFlatNotebookEvent;
class wxFlatNotebookImageList;
class wxGridEvent;
class wxGridEx;
class wxStaticTextEx;
class wxTimerEvent;
class wxToolBar;

/// A quote board window inside a host container.
class Tickerdeck : public wxPanel
{
public:
    /// Which grids show a quote record; one entry per grid holding the row.
    using SubscriptionMap = std::map<Price*, std::vector<wxGridEx*>>;

    /// How a subscription callback adds its row (see SubscribeRow).
    enum class Delivery
    {
        Batch,        // append and record; the caller notifies the grid afterwards
        Interactive   // skip known rows; notify the grid of each new row
    };

    Tickerdeck(Application* application, uint64_t group, wxWindow* container,
               void* layoutSource, void* layoutNode, int flags);
    ~Tickerdeck() override;

    Application* GetApplication() const { return m_application; }
    /// Called by a factory that goes away before its boards.
    void DetachApplication() { m_application = nullptr; }
    Host* GetHost() const;
    Theme* GetTheme() const;
    uint64_t GetGroup() const { return m_group; }
    int GetFlags() const { return m_flags; }
    /// True when the container sits alone in a frame of its own.
    bool HasOwnFrame() const;
    /// Parent of the window's dialogs: the own frame, else the link group's window.
    wxWindow* GetOwnerFrame() const;

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
    void FitColumns(wxGridEx* grid);
    void FitAllColumns();
    static TickerdeckTable* TableOf(const wxGridEx* grid);
    const std::vector<wxGridEx*>& GetGrids() const { return m_grids; }
    wxGridEx* GetCurrentGrid() const { return m_currentGrid; }

    // Watchlist tabs and the shared watchlist store.
    /// Shows a watchlist, a category or a whole exchange: selects the tab
    /// of that label if there is one (not for whole exchanges), else opens a
    /// new tab when Ctrl is held, else re-points the current tab.
    void BuildTab(const layout::TabSource& source);
    /// Opens a tab for a new stored watchlist and appends it to the store;
    /// nothing happens when a tab of that name exists.
    void CreateWatchlistTab(const wxString& name, const std::vector<Instrument*>& instruments);
    /// Applies an edited watchlist to its tab and the store, renaming it.
    void SaveEditedWatchlist(const wxString& oldName, const wxString& newName,
                             const std::vector<Instrument*>& instruments);
    /// Adds the current tab's selected rows to the stored watchlist `name`.
    /// Returns false when the store could not be read or written.
    bool AddSelectedRowsToWatchlist(const wxString& name);
    /// As AddSelectedRowsToWatchlist, then drops the rows from the current tab.
    void MoveSelectedRowsToWatchlist(const wxString& name);
    /// Drops `grid`'s claim on `price`; unsubscribes when no grid shows it.
    void ReleaseTabRow(wxGridEx* grid, Price* price);

    // Subscriptions and history.
    /// Empty for live quotes (no history date, or today), else "%Y%m%d".
    std::string GetDateText() const;
    /// Asks the host for `instrument` quotes; the callback adds the row to `grid`.
    void SubscribeRow(Instrument* instrument, wxGridEx* grid, Delivery delivery);
    /// Tells `grid` that its table gained `count` rows at the end.
    static void NotifyRowsAppended(wxGridEx* grid, int count);
    /// Brings the grid's row count in line with its table after the rows changed.
    static void SyncRowCount(wxGridEx* grid);
    const SubscriptionMap& GetSubscriptions() const { return m_subscriptions; }
    const wxDateTime& GetHistoryDate() const { return m_historyDate; }
    /// Switches every grid to the quotes of `date` (invalid = live).
    void SetHistoryDate(const wxDateTime& date);

    layout::WindowSettings& Settings() { return m_settings; }
    const layout::WindowSettings& Settings() const { return m_settings; }

    /// The filter of each filtered tab, keyed by the tab's notebook page;
    /// the tab's table only borrows it.
    using TabFilterMap = std::map<wxWindow*, std::unique_ptr<FilterSet>>;
    TabFilterMap& TabFilters() { return m_tabFilters; }
    /// Price alerts by instrument, one per instrument.
    using AlertMap = PriceAlertMap;
    AlertMap& Alerts() { return m_alerts.Map(); }
    /// The alerts together with their popups and open alert dialogs.
    BoardAlerts& AlertState() { return m_alerts; }
    /// Checks the alert of the quote's instrument against one quote update
    /// and queues the popup when it fires.
    void EvaluateAlert(Price* quote, uint32_t changeMask);

    // Windows of the shell, for the command handlers and tests.
    wxToolBar* GetToolbar() const { return m_toolbar; }
    wxStaticTextEx* GetTitleLabel() const { return m_titleLabel; }
    wxDatePickerCtrl* GetDatePicker() const { return m_datePicker; }
    wxFlatNotebook* GetNotebook() const { return m_notebook; }
    int GetSortClickCount() const { return m_sortClickCount; }

    void ApplyTheme();

private:
    // Construction.
    void CreateToolbar();
    void AddFramedTools();
    void AddDockedTools();
    void CreateNotebook();
    void ApplyToolbarColours();
    void ApplyTitleLabelStyle();
    void ApplyNotebookColours();
    void ApplyGridColours(wxGridEx* grid);
    void BindGridEvents(wxGridEx* grid);

    // Subscriptions.
    void AddRowBatch(wxGridEx* grid, Price* price);
    void AddRowInteractive(wxGridEx* grid, Price* price);
    /// Removes `grid` from the entry of `price`; unsubscribes when it was the last.
    void ReleaseRow(wxGridEx* grid, Price* price, const std::string& dateText);
    void UpdateHistoryTool();

    // Watchlist tabs.
    wxGridEx* OpenTemplateTab(const wxString& label);
    wxGridEx* RepointCurrentTab(const wxString& label);
    void EmptyTab(wxGridEx* grid);
    std::vector<Instrument*> ReconcileRows(wxGridEx* grid, const std::vector<Instrument*>& wanted);

    // Sorting.
    static Price* FirstSelectedPrice(const wxGridEx* grid);
    static void SelectPrice(wxGridEx* grid, const Price* price);
    /// Puts the grid's rows in the order of its sort column, if it has one.
    void SortByItsColumn(wxGridEx* grid);
    wxGridEx* GridOfPage(wxWindow* page) const;

    // Event handlers: implemented.
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

    // Event handlers whose features come with the watchlist, alert and
    // dialog work; bound now so that the event table is complete.
    void OnLinkReceived(wxCommandEvent& event);
    void AddLinkedInstrument(Instrument* instrument);
    void OnCellDoubleClick(wxGridEvent& event);
    void OnLabelRightClick(wxGridEvent& event);
    void OnCellRightClick(wxGridEvent& event);
    void OnRowCommand(wxCommandEvent& event);
    void OnDeleteInstrument(wxCommandEvent& event);
    void OnEditWatchlist(wxCommandEvent& event);
    void OnNewWatchlist(wxCommandEvent& event);
    void OnRenameWatchlist(wxCommandEvent& event);
    void OnPrintPreview(wxCommandEvent& event);
    void OnSettings(wxCommandEvent& event);
    void OnWatchlistCommand(wxCommandEvent& event);
    void OnExportExcel(wxCommandEvent& event);
    void OnOpenView(wxCommandEvent& event);
    void OnAlertSetup(wxCommandEvent& event);
    void OnAlertList(wxCommandEvent& event);
    void ShowAlertPopup(wxCommandEvent& event);
    void OnEditFilter(wxCommandEvent& event);
    void OnRemoveFilter(wxCommandEvent& event);
    void OnToggleBookmark(wxCommandEvent& event);
    void OnClearBookmarks(wxCommandEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnGridMotion(wxMouseEvent& event);
    void OnGridKeyDown(wxKeyEvent& event);
    void OnGridRightUp(wxMouseEvent& event);

    Application* m_application;
    uint64_t m_group;
    int m_flags;
    wxToolBar* m_toolbar = nullptr;
    wxStaticTextEx* m_titleLabel = nullptr;
    wxDatePickerCtrl* m_datePicker = nullptr;
    wxFlatNotebook* m_notebook = nullptr;
    // The notebook only borrows its image list.
    std::unique_ptr<wxFlatNotebookImageList> m_imageList;
    std::vector<wxGridEx*> m_grids;
    wxGridEx* m_currentGrid = nullptr;
    int m_sortClickCount = 1;
    wxDateTime m_historyDate;
    layout::WindowSettings m_settings;
    SubscriptionMap m_subscriptions;
    TabFilterMap m_tabFilters;
    BoardAlerts m_alerts;
    // Cleared on destroy so that a host calling back late finds no window.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

    wxDECLARE_EVENT_TABLE();
};
