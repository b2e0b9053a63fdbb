#pragma once
// The quote board window: a toolbar over a notebook of quote grids.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/datetime.h>
#include <wx/panel.h>

#include "board/BoardFeature.h"
#include "board/BoardRows.h"
#include "board/ColumnFitter.h"
#include "board/FeatureRouter.h"
#include "board/QuoteDrain.h"
#include "board/RowTargets.h"
#include "board/TabLooks.h"
#include "board/TabSorting.h"
#include "board/TrendSampler.h"
#include "layout/LayoutEntries.h"
#include "contract/Records.h"
#include "model/FilterSet.h"
#include "model/PriceAlert.h"

class BoardNotice;
class BoardOwner;
namespace store
{
class WatchlistStoreService;
}
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
class wxToolBar;

/// A quote board window inside a host container: its toolbar, its
/// notebook of tabs and their theme; the rest is handed to its collaborators.
class Tickerdeck : public wxPanel
{
public:
    /// Installs the board's features; called after the window's toolbar and
    /// notebook exist and before the layout is loaded.
    using FeatureInstaller = std::function<void(Tickerdeck&)>;

    Tickerdeck(BoardOwner* owner, uint64_t group, wxWindow* container, void* layoutSource,
               void* layoutNode, int flags, const FeatureInstaller& installFeatures);
    ~Tickerdeck() override;

    BoardOwner* GetOwner() const { return m_owner; }
    /// The watchlist store the boards share; null without a factory.
    std::shared_ptr<store::WatchlistStoreService> GetStore() const;
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

    // The collaborators.
    /// Subscriptions, unanswered requests, fills and the history date.
    BoardRows& Rows() const { return *m_rows; }
    /// The features and what each of them claims.
    FeatureRouter& Features() const { return *m_features; }
    /// Quote events in, the quote ages and the alert check.
    QuoteDrain& Quotes() const { return *m_quotes; }
    /// The order of the tabs' rows and the hold on it.
    TabSorting& Sorting() const { return *m_sorting; }
    /// The trend column's points.
    TrendSampler& Trends() const { return *m_trends; }
    /// Column widths.
    ColumnFitter& Fitter() const { return *m_fitter; }
    /// Filters, colour rules, column sets, the tabs' icons and tool tips.
    TabLooks& Looks() const { return *m_looks; }

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
    static TickerdeckTable* TableOf(const wxGridEx* grid);
    const std::vector<wxGridEx*>& GetGrids() const { return m_grids; }
    wxGridEx* GetCurrentGrid() const { return m_currentGrid; }
    /// The grid shown on a notebook page, or null.
    wxGridEx* GridOfPage(wxWindow* page) const;
    /// The first tab showing the stored watchlist `name` (compared byte for
    /// byte), whatever its label; null when none does.
    wxGridEx* FindStoredTab(const std::string& name) const;
    /// The notebook page of `grid`, or wxNOT_FOUND.
    int PageOfGrid(const wxGridEx* grid) const;
    /// The first notebook page labelled `label`, or wxNOT_FOUND.
    int FindPage(const wxString& label) const;

    layout::WindowSettings& Settings() { return m_settings; }
    const layout::WindowSettings& Settings() const { return m_settings; }

    /// Price alerts by instrument, one per instrument.
    using AlertMap = PriceAlertMap;
    AlertMap& Alerts() { return m_alerts; }

    /// The strip over the toolbar's free space that tells what the board noticed.
    BoardNotice* GetNotice() const { return m_notice; }

    /// What a row command works on: while a menu opened over rows is up,
    /// those rows; otherwise the current tab's selection as it is now.
    RowTargets CommandTargets() const;
    /// Commands chosen from a menu act on `targets` until UnpinTargets.
    void PinTargets(RowTargets targets);
    void UnpinTargets();

    /// Shows the history date in the toolbar: the picker's day (`pastDay`,
    /// else `today`), the history tool red for a past day.
    void ShowHistoryDate(const wxDateTime& pastDay, const wxDateTime& today);

    // Windows of the shell, for the command handlers and tests.
    wxToolBar* GetToolbar() const { return m_toolbar; }
    wxStaticTextEx* GetTitleLabel() const { return m_titleLabel; }
    wxDatePickerCtrl* GetDatePicker() const { return m_datePicker; }
    wxFlatNotebook* GetNotebook() const { return m_notebook; }

    void ApplyTheme();

private:
    // Construction.
    void CreateToolbar();
    /// Gives the notice the toolbar's free space.
    void PlaceNotice();
    void AddFramedTools();
    void AddDockedTools();
    void CreateNotebook();
    void BindGridEvents(wxGridEx* grid);

    /// Makes the grid of the page the notebook shows the current one.
    void FollowNotebookSelection();
    /// Gives the grid the keyboard, with a row selected for the keys to act on.
    void HandKeyboardTo(wxGridEx* grid);

    // Event handlers of the board itself.
    void OnTabActivated(wxFlatNotebookEvent& event);
    void OnQuoteUpdate(wxCommandEvent& event);
    /// The board's own commands: scrolling, fitting, the history date,
    /// pausing the sort, another window, a new theme.
    void OnBoardCommand(wxCommandEvent& event);
    void OnCellLeftClick(wxGridEvent& event);
    void OnColumnSort(wxGridEvent& event);
    void OnDatePicked(wxDateEvent& event);
    void OnDestroy(wxWindowDestroyEvent& event);
    void OnLinkReceived(wxCommandEvent& event);
    void OnOpenAnotherWindow();

    // Events forwarded to the feature that claims them.
    void ForwardCommand(wxCommandEvent& event);
    void ForwardGridEvent(wxGridEvent& event);
    void OnIdle(wxIdleEvent& event);

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
    layout::WindowSettings m_settings;
    std::unique_ptr<TabLooks> m_looks;
    AlertMap m_alerts;
    std::optional<RowTargets> m_pinnedTargets;
    std::unique_ptr<QuoteDrain> m_quotes;
    std::unique_ptr<TabSorting> m_sorting;
    std::unique_ptr<TrendSampler> m_trends;
    std::unique_ptr<ColumnFitter> m_fitter;
    std::unique_ptr<BoardRows> m_rows;
    // After the alerts: a feature's dialogs may refer to them until the
    // feature itself is gone.
    std::unique_ptr<FeatureRouter> m_features;
    bool m_destroyed = false;

    wxDECLARE_EVENT_TABLE();
};
