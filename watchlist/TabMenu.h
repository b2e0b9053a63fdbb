#pragma once
// The right-click menu of a board's tab strip.

#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "contract/Records.h"
#include "layout/TabSource.h"

class wxMenu;

/// The tab strip's menu: one submenu per active exchange with its category
/// tabs and "All", the stored watchlists to open or delete, the filter
/// commands, Edit and Rename Watchlist, Delete Tab, and Export and Import
/// Watchlist. Knows what each item opens.
class TabMenu
{
public:
    static constexpr int kDeleteWatchlistFirst = 7691;
    static constexpr int kOpenWatchlistFirst = 7892;
    /// Ids per watchlist range; the names past that many are reached
    /// through the "More..." item that ends the submenu.
    static constexpr int kWatchlistIds = 201;
    static constexpr int kMoreToDelete = kDeleteWatchlistFirst - 1;
    static constexpr int kMoreToOpen = kOpenWatchlistFirst + kWatchlistIds;
    static constexpr int kFirstSourceId = kMoreToOpen + 1;
    /// Exchange and category items end below the terminal's widget ids
    /// (9000 on); the sources past them are reached through "More...".
    static constexpr int kMoreSources = 8999;
    static constexpr int kSourceIdEnd = kMoreSources;

    /// A tab source that got no item of its own, with the label it is chosen by.
    struct UnlistedSource
    {
        wxString label;
        layout::TabSource source;
    };

    /// `names` are the stored names' bytes; a `problem` reading the store
    /// shows as a disabled item of "Watchlists".
    TabMenu(const ExchangeList& exchanges, std::vector<std::string> names, const std::string& problem = {});
    ~TabMenu();

    wxMenu* GetMenu() const { return m_menu.get(); }
    wxMenu* GetWatchlistsMenu() const { return m_watchlists; }
    wxMenu* GetDeleteWatchlistMenu() const { return m_deleteWatchlist; }

    /// What the exchange item `id` opens, or null for another id.
    const layout::TabSource* SourceOf(int id) const;
    /// Ids given to exchange items: [kFirstSourceId, EndOfSourceIds()).
    int EndOfSourceIds() const { return kFirstSourceId + static_cast<int>(m_sources.size()); }
    /// The sources that got no item, in menu order.
    const std::vector<UnlistedSource>& Unlisted() const { return m_unlisted; }
    /// The watchlist name of an item of either watchlist submenu, or empty.
    std::string NameOf(int id) const;
    /// Every name the menu was built with, the ones without an item too.
    const std::vector<std::string>& Names() const { return m_names; }

    /// Takes a deleted watchlist out of both submenus.
    void RemoveName(const std::string& name);
    /// Enables the items that act on the current tab.
    void UpdateForCurrentTab(bool hasTab, bool storedWatchlist, bool filtered);

private:
    void AddExchange(const Exchange& exchange);
    bool AddCategoryKind(wxMenu* exchangeMenu, const Exchange& exchange, int kind);
    wxMenu* MakeNamesMenu(int firstId, int moreId);
    /// Gives `source` the next item id of `menu` labelled `label`, or, past
    /// the bound, a place behind the menu's "More..." item.
    void AddSourceItem(wxMenu* menu, const layout::TabSource& source, const wxString& label,
                       const wxString& chooserLabel);

    std::unique_ptr<wxMenu> m_menu;
    wxMenu* m_watchlists = nullptr;
    wxMenu* m_deleteWatchlist = nullptr;
    std::vector<layout::TabSource> m_sources;
    std::vector<UnlistedSource> m_unlisted;
    std::vector<std::string> m_names;
    // The names that got items, by item offset; kept when items go.
    std::vector<std::string> m_listed;
};
