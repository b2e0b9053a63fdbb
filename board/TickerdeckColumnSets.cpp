// Colour rules and column sets put on a tab.

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

void Tickerdeck::SetColourRules(wxGridEx* grid, const std::vector<ColourRuleSpec>& rules)
{
    TickerdeckTable* table = TableOf(grid);
    table->SetColourRules(rules);
    grid->ForceRefresh();

    // A rule that cannot be used stays in the tab, unused; the user hears of it.
    const ColourRuleSet built(rules);
    wxString reasons;
    for (const auto& [at, reason] : built.Unusable())
    {
        reasons += reasons.empty() ? "" : "; ";
        reasons += wxString::Format(_("rule %zu: %s"), at + 1, reason);
    }
    const int page = PageOfGrid(grid);
    const wxString label = page == wxNOT_FOUND ? wxString() : m_notebook->GetPageText(static_cast<size_t>(page));
    if (!reasons.empty())
        LogError("colour rules of tab \"" + label.utf8_string() + "\" left unused: " + reasons.utf8_string());
    if (m_notice)
        m_notice->Set(NoticeKey(grid), reasons.empty() ? wxString()
                                                       : wxString::Format(_("Colour rules of \"%s\" not used: %s"),
                                                                          label, reasons));
}

void Tickerdeck::ApplyColumnSet(wxGridEx* grid, const layout::ColumnSet& set)
{
    const layout::FittedColumnSet fitted = layout::FitColumnSet(set, TableOf(grid)->Computed().Defs());
    computed_columns::Extend(grid, fitted.computed);
    grid->UnsetSortingColumn();  // a set without a sort column leaves the tab unsorted
    layout::ApplyColumnLayout(grid, fitted.columns);
    SetColourRules(grid, fitted.colourRules);
    m_sorting->RearrangeRows(grid);
    grid->ForceRefresh();
}
