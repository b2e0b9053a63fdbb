#include "layout/ColumnSetFit.h"

#include "model/ColumnSpec.h"

namespace layout {

namespace {

constexpr int kGone = -1;

/// The tab's id for a set's id: fixed columns stay, computed ones follow
/// `toTab`, and a computed id the set does not define is gone.
int TabId(int id, const std::vector<int>& toTab)
{
    if (id < column::Count)
        return id;
    const size_t index = static_cast<size_t>(id - column::Count);
    return index < toTab.size() ? toTab[index] : kGone;
}

}  // namespace

FittedColumnSet FitColumnSet(const ColumnSet& set, const std::vector<ComputedColumnDef>& tabHas)
{
    FittedColumnSet fitted{tabHas, set.columns, set.colourRules};
    if (set.computed.empty())
        return fitted;

    std::vector<bool> taken(tabHas.size(), false);
    std::vector<int> toTab;
    for (const ComputedColumnDef& def : set.computed)
    {
        size_t at = 0;
        while (at < tabHas.size() &&
               (taken[at] || tabHas[at].name != def.name || tabHas[at].formula != def.formula))
            ++at;
        if (at < tabHas.size())
        {
            taken[at] = true;
            fitted.computed[at].decimals = def.decimals;
        }
        else if (fitted.computed.size() < static_cast<size_t>(kMostComputedColumns))
            fitted.computed.push_back(def);
        else
        {
            toTab.push_back(kGone);
            continue;
        }
        toTab.push_back(column::Count + static_cast<int>(at < tabHas.size() ? at : fitted.computed.size() - 1));
    }

    fitted.columns.clear();
    for (ColumnEntry entry : set.columns)
        if ((entry.id = TabId(entry.id, toTab)) != kGone)
            fitted.columns.push_back(entry);
    fitted.colourRules.clear();
    for (ColourRuleSpec rule : set.colourRules)
    {
        // A rule this version could not read keeps its text, ids and all.
        if (rule.verbatim.empty())
        {
            rule.column = TabId(rule.column, toTab);
            const bool against = rule.againstColumn >= 0;
            if (against)
                rule.againstColumn = TabId(rule.againstColumn, toTab);
            if (rule.column == kGone || (against && rule.againstColumn == kGone))
                continue;
        }
        fitted.colourRules.push_back(rule);
    }
    return fitted;
}

}  // namespace layout
