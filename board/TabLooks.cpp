// What a tab shows beyond its rows: its filter, colour rules and column
// set, and its icon and tool tip.

#include "board/TabLooks.h"

#include <cstdint>
#include <string>

#include <wx/intl.h>

#include "kit/BoardNotice.h"
#include "board/ColumnLayout.h"
#include "board/ComputedColumnGrid.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "layout/ColumnSetFit.h"
#include "model/Logger.h"

namespace {

std::string NoticeKey(const wxGridEx* grid)
{
    return "colour-rules/" + std::to_string(reinterpret_cast<uintptr_t>(grid));
}

}  // namespace

void TabLooks::SetColourRules(wxGridEx* grid, const std::vector<ColourRuleSpec>& rules)
{
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->Styler().SetColourRules(rules);
    grid->ForceRefresh();

    // A rule that cannot be used stays in the tab, unused; the user hears of it.
    const ColourRuleSet built(rules);
    wxString reasons;
    for (const auto& [at, reason] : built.Unusable())
    {
        reasons += reasons.empty() ? "" : "; ";
        reasons += wxString::Format(_("rule %zu: %s"), at + 1, reason);
    }
    const int page = m_board.Tabs().PageOf(grid);
    const wxString label =
        page == wxNOT_FOUND ? wxString() : m_board.Tabs().Notebook()->GetPageText(static_cast<size_t>(page));
    if (!reasons.empty())
        LogError("colour rules of tab \"" + label.utf8_string() + "\" left unused: " + reasons.utf8_string());
    if (BoardNotice* notice = m_board.Toolbar().Notice())
        notice->Set(NoticeKey(grid), reasons.empty() ? wxString()
                                                     : wxString::Format(_("Colour rules of \"%s\" not used: %s"),
                                                                        label, reasons));
}

void TabLooks::ApplyColumnSet(wxGridEx* grid, const layout::ColumnSet& set)
{
    const layout::FittedColumnSet fitted = layout::FitColumnSet(set, Tickerdeck::TableOf(grid)->Format().computed.Defs());
    computed_columns::Extend(grid, fitted.computed);
    grid->UnsetSortingColumn();  // a set without a sort column leaves the tab unsorted
    ApplyColumnLayout(grid, fitted.columns);
    SetColourRules(grid, fitted.colourRules);
    m_board.Sorting().RearrangeRows(grid);
    grid->ForceRefresh();
}

void TabLooks::MarkTab(wxGridEx* grid, bool filtered)
{
    constexpr int kFilteredImage = 0; // the list icon of the image list
    constexpr int kPausedImage = 1;
    wxFlatNotebook* notebook = m_board.Tabs().Notebook();
    const int index = notebook->GetPageIndex(grid->GetSplitter());
    if (index == wxNOT_FOUND)
        return;
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const int image = table->Order().IsSortPaused() ? kPausedImage : filtered ? kFilteredImage : -1;
    notebook->SetPageImage(static_cast<size_t>(index), image);
}

void TabLooks::MarkTabFiltered(wxGridEx* grid, bool filtered)
{
    MarkTab(grid, filtered);
    // A filtered tab without rows would otherwise look like an empty watchlist.
    grid->SetEmptyText(filtered ? _("No rows match the filter of this tab") : wxString());
}

wxString TabLooks::TabToolTip(size_t index) const
{
    wxWindow* page = m_board.Tabs().Notebook()->GetPage(index);
    const wxGridEx* grid = m_board.Tabs().GridOfPage(page);
    if (!grid)
        return wxString();
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    wxString tip;
    if (table->Order().IsSortPaused())
        tip << _("Sorting paused: the rows keep their order until Pause Sorting is chosen again");
    const auto filter = m_tabFilters.find(page);
    if (filter == m_tabFilters.end())
        return tip;
    if (!tip.empty())
        tip << "\n";
    tip << wxString::Format(_("%zu of %zu shown"), table->Rows().size(), table->Members().List().size());
    if (!filter->second->Unreadable().empty())
        tip << "\n"
            << _("A condition of this filter is no number and is left out: open Edit Filter... to mend "
                 "it");
    return tip;
}
