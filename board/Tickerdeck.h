#pragma once
// The quote board window: a toolbar over a notebook of quote grids.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <wx/panel.h>

#include "board/BoardFeature.h"
#include "board/BoardLinks.h"
#include "board/BoardRows.h"
#include "board/BoardTabs.h"
#include "board/BoardToolbar.h"
#include "board/ColumnFitter.h"
#include "board/FeatureRouter.h"
#include "board/QuoteDrain.h"
#include "board/TabLooks.h"
#include "board/TabSorting.h"
#include "board/TrendSampler.h"
#include "layout/LayoutEntries.h"
#include "contract/Records.h"
#include "model/FilterSet.h"
#include "model/PriceAlert.h"

class BoardOwner;
namespace store
{
class WatchlistStoreService;
}
class Host;
class Theme;
class TickerdeckTable;
class wxDateEvent;
class wxFlatNotebookEvent;
class wxGridEvent;
class wxGridEx;

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
    /// The toolbar, the title or date picker, and the notice strip.
    BoardToolbar& Toolbar() const { return *m_toolbar; }
    /// The notebook, its tabs and grids, the current one, command targets.
    BoardTabs& Tabs() const { return *m_tabs; }
    /// Instruments to and from linked windows, further board windows.
    BoardLinks& Links() const { return *m_links; }

    // Layout.
    void Load(void* layoutSource, void* layoutNode);
    void Save(void* layoutSource, void* layoutNode);

    /// The table of a tab's grid.
    static TickerdeckTable* TableOf(const wxGridEx* grid);

    layout::WindowSettings& Settings() { return m_settings; }
    const layout::WindowSettings& Settings() const { return m_settings; }

    /// Price alerts by instrument, one per instrument.
    using AlertMap = PriceAlertMap;
    AlertMap& Alerts() { return m_alerts; }

    void ApplyTheme();

private:
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

    // Events forwarded to the feature that claims them.
    void ForwardCommand(wxCommandEvent& event);
    void ForwardGridEvent(wxGridEvent& event);
    void OnIdle(wxIdleEvent& event);

    BoardOwner* m_owner;
    uint64_t m_group;
    int m_flags;
    // The shell's windows, kept until every other collaborator is gone.
    std::unique_ptr<BoardToolbar> m_toolbar;
    std::unique_ptr<BoardTabs> m_tabs;
    layout::WindowSettings m_settings;
    std::unique_ptr<TabLooks> m_looks;
    AlertMap m_alerts;
    std::unique_ptr<BoardLinks> m_links;
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
