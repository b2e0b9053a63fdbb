#include "filter/TabFilterFeature.h"

#include <algorithm>

#include <wx/intl.h>
#include <wx/msgdlg.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "filter/TabFilter.h"

namespace {

bool AskWithInformationBox(wxWindow* parent, const wxString& message, const wxString& caption)
{
    // No is the default: a stray Enter must not drop a filter.
    wxMessageDialog box(parent, message, caption, wxYES_NO | wxNO_DEFAULT | wxICON_INFORMATION);
    return box.ShowModal() == wxID_YES;
}

wxString CurrentTabText(Tickerdeck& board)
{
    const int selection = board.Tabs().Notebook()->GetSelection();
    return selection == wxNOT_FOUND ? wxString() : board.Tabs().Notebook()->GetPageText(static_cast<size_t>(selection));
}

}  // namespace

TabFilterFeature::TabFilterFeature() : m_question(AskWithInformationBox) {}

TabFilterFeature::~TabFilterFeature()
{
    if (FilterDialog* dialog = m_dialog.get())
        dialog->CloseOrphaned();
}

std::vector<int> TabFilterFeature::Commands() const
{
    return {cmd::EditFilter, cmd::RemoveFilter};
}

void TabFilterFeature::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::EditFilter)
        OpenDialog(board);
    else if (event.GetId() == cmd::RemoveFilter)
        RemoveFilter(board);
}

FilterDialog* TabFilterFeature::OpenDialog(Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return nullptr;
    wxWindow* owner = board.GetOwnerFrame();
    auto* dialog = new FilterDialog(board.GetOwner(), Tickerdeck::TableOf(grid), owner, wxID_ANY,
                                    _("Ticker Deck Filter Setup"), wxDefaultPosition, wxSize(480, 360));
    m_dialog = dialog;
    if (owner)
        owner->Enable(false);
    dialog->SetBoxLabel(CurrentTabText(board));
    const auto existing = board.Looks().TabFilters().find(grid->GetSplitter());
    if (existing != board.Looks().TabFilters().end() && existing->second)
        dialog->SetFilters(*existing->second);
    Tickerdeck* target = &board;
    dialog->ShowWithAction([target, grid, dialog] {
        // The tab may have gone while the dialog was open.
        const auto& grids = target->Tabs().Grids();
        if (std::find(grids.begin(), grids.end(), grid) == grids.end())
            return;
        SetTabFilter(*target, grid, dialog->TakeResult());
    });
    return dialog;
}

void TabFilterFeature::RemoveFilter(Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return;
    if (!m_question || !m_question(board.GetOwnerFrame(), _("Remove the filter of the selected tab?"),
                                   _("Remove Filter")))
        return;
    SetTabFilter(board, grid, nullptr);
}
