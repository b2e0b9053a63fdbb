#include "colours/ColourRulesFeature.h"

#include <algorithm>

#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "board/ColumnLayout.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "colours/ColourRulesDialog.h"
#include "colours/ColumnSetsDialog.h"
#include "contract/CommandIds.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"

namespace {

wxString CurrentTabText(Tickerdeck& board)
{
    const int selection = board.Tabs().Notebook()->GetSelection();
    return selection == wxNOT_FOUND ? wxString() : board.Tabs().Notebook()->GetPageText(static_cast<size_t>(selection));
}

bool IsTabOf(const Tickerdeck& board, const wxGridEx* grid)
{
    const auto& grids = board.Tabs().Grids();
    return std::find(grids.begin(), grids.end(), grid) != grids.end() && board.Tabs().PageOf(grid) != wxNOT_FOUND;
}

/// Disables the board's frame while a dialog of this feature is up.
wxWindow* LockOwner(Tickerdeck& board)
{
    wxWindow* owner = board.GetOwnerFrame();
    if (owner)
        owner->Enable(false);
    return owner;
}

}  // namespace

ColourRulesFeature::~ColourRulesFeature()
{
    if (ColourRulesDialog* dialog = m_rulesDialog.get())
        dialog->CloseOrphaned();
    if (ColumnSetsDialog* dialog = m_setsDialog.get())
        dialog->CloseOrphaned();
}

std::vector<int> ColourRulesFeature::Commands() const
{
    return {cmd::ColourRules, cmd::SaveColumnSet, cmd::ApplyColumnSet};
}

void ColourRulesFeature::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::ColourRules)
        OpenRulesDialog(board);
    else
        OpenSetsDialog(board, event.GetId() == cmd::SaveColumnSet);
}

ColourRulesDialog* ColourRulesFeature::OpenRulesDialog(Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return nullptr;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    auto* dialog =
        new ColourRulesDialog(board.GetOwner(), table, LockOwner(board), table->Styler().GetColourRules(), CurrentTabText(board));
    m_rulesDialog = dialog;
    Tickerdeck* target = &board;
    dialog->ShowWithAction([target, grid, dialog] {
        // The tab may have gone while the dialog was open.
        if (!IsTabOf(*target, grid))
            return;
        if (!dialog->ForAllTabs())
        {
            target->Looks().SetColourRules(grid, dialog->Rules());
            return;
        }
        for (wxGridEx* each : target->Tabs().Grids())
            if (target->Tabs().PageOf(each) != wxNOT_FOUND)
                target->Looks().SetColourRules(each, dialog->Rules());
    });
    return dialog;
}

ColumnSetsDialog* ColourRulesFeature::OpenSetsDialog(Tickerdeck& board, bool toSave)
{
    Tickerdeck* target = &board;
    ColumnSetsDialog::Actions actions;
    actions.saveCurrent = [target](const std::string& name) {
        wxGridEx* grid = target->Tabs().CurrentGrid();
        return grid ? SetOfTab(grid, name) : layout::ColumnSet{name, {}, {}, {}};
    };
    actions.apply = [target](const layout::ColumnSet& set, ColumnSetsDialog::Use use) {
        wxGridEx* current = target->Tabs().CurrentGrid();
        for (wxGridEx* grid : target->Tabs().Grids())
            if ((use == ColumnSetsDialog::Use::AllTabs || grid == current) && IsTabOf(*target, grid))
                target->Looks().ApplyColumnSet(grid, set);
    };
    auto* dialog = new ColumnSetsDialog(board.GetOwner(), LockOwner(board), board.Looks().ColumnSets(), std::move(actions));
    m_setsDialog = dialog;
    dialog->ShowWithAction(nullptr);
    (toSave ? static_cast<wxWindow*>(dialog->GetNameField()) : dialog->GetList())->SetFocus();
    return dialog;
}

layout::ColumnSet ColourRulesFeature::SetOfTab(wxGridEx* grid, const std::string& name)
{
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    return layout::ColumnSet{name, ColumnLayoutOf(grid), table->Styler().GetColourRules(), table->Format().computed.Defs()};
}
