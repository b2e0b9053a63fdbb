#pragma once
// What the tabs of a board show beyond their rows.

#include <map>
#include <memory>
#include <vector>

#include <wx/string.h>

#include "layout/LayoutEntries.h"
#include "model/FilterSet.h"

class Tickerdeck;
class wxGridEx;
class wxWindow;

/// Keeps the filters of the board's tabs and its named column sets, puts
/// colour rules and column sets on a tab, and marks a tab's icon and tool
/// tip with its paused sort and its filter.
class TabLooks
{
public:
    explicit TabLooks(Tickerdeck& board) : m_board(board) {}
    TabLooks(const TabLooks&) = delete;
    TabLooks& operator=(const TabLooks&) = delete;

    /// The filter of each filtered tab, keyed by the tab's notebook page;
    /// the tab's table only borrows it.
    using TabFilterMap = std::map<wxWindow*, std::unique_ptr<FilterSet>>;
    TabFilterMap& TabFilters() { return m_tabFilters; }
    /// Shows on the tab and in its empty grid whether a filter is on.
    void MarkTabFiltered(wxGridEx* grid, bool filtered);
    /// The tab's icon: paused sorting, else its filter, else none.
    void MarkTab(wxGridEx* grid, bool filtered);
    /// "N of M shown" for a filtered tab, empty for another.
    wxString TabToolTip(size_t index) const;

    /// The board's named column sets, kept in its layout.
    layout::ColumnSets& ColumnSets() { return m_columnSets; }
    /// Puts a set's columns, widths, order, sort and colour rules on `grid`'s tab.
    void ApplyColumnSet(wxGridEx* grid, const layout::ColumnSet& set);
    /// Gives `grid`'s tab these colour rules and repaints it; rules that
    /// cannot be used are named in the board's notice.
    void SetColourRules(wxGridEx* grid, const std::vector<ColourRuleSpec>& rules);

private:
    Tickerdeck& m_board;
    layout::ColumnSets m_columnSets;
    TabFilterMap m_tabFilters;
};
