#pragma once
// Colour rules and column sets of a board's tabs: the menus' "Colour
// Rules...", "Save Column Set..." and "Apply Column Set...".

#include <vector>

#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "layout/LayoutEntries.h"

class ColourRulesDialog;
class ColumnSetsDialog;
class wxGridEx;

/// Opens the rules dialog for the current tab and the column sets dialog,
/// and puts what they confirm on the tabs.
class ColourRulesFeature : public BoardFeature
{
public:
    ~ColourRulesFeature() override;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    ColourRulesDialog* OpenRulesDialog(Tickerdeck& board);
    ColumnSetsDialog* OpenSetsDialog(Tickerdeck& board, bool toSave);

    /// The current shape of `grid`'s tab as a set named `name`.
    static layout::ColumnSet SetOfTab(wxGridEx* grid, const std::string& name);

private:
    wxWeakRef<ColourRulesDialog> m_rulesDialog;
    wxWeakRef<ColumnSetsDialog> m_setsDialog;
};
