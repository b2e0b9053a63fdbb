#include "dialogs/InstrumentFlags.h"

#include <wx/intl.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "controls/wxGridEx.h"
#include "model/ColumnSpec.h"

namespace {

const wxSize kDialogSize(273, 212);

}  // namespace

InstrumentFlags::~InstrumentFlags()
{
    InstrFlagsDialog* dialog = m_dialog.get();
    if (!dialog || dialog->IsClosing())
        return;
    wxWindow* parent = dialog->GetParent();
    if (parent && parent->IsBeingDeleted())
        return;
    dialog->Close(true);
}

std::vector<int> InstrumentFlags::Commands() const
{
    return {cmd::ShowInstrumentFlags};
}

void InstrumentFlags::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    Open(board, event.GetInt(), static_cast<int>(event.GetExtraLong()));
}

InstrFlagsDialog* InstrumentFlags::Open(Tickerdeck& board, int column, int row)
{
    if (column != column::Status && column != column::CorporateAction)
        return nullptr;
    wxGridEx* grid = board.GetCurrentGrid();
    if (!grid || row < 0 || row >= grid->GetNumberRows())
        return nullptr;
    // Each dialog matches the text of its own column: corporate-action codes
    // never appear in the status text.
    const wxString text = Tickerdeck::TableOf(grid)->GetValue(row, column);
    if (text.empty())
        return nullptr;

    // One flag dialog at a time: the owner frame stays disabled while it is up.
    if (InstrFlagsDialog* open = m_dialog.get(); open && !open->IsClosing())
        open->Close(true);

    wxWindow* owner = board.GetOwnerFrame();
    InstrFlagsDialog* dialog = nullptr;
    if (column == column::Status)
        dialog = new InstrStatusDialog(board.GetOwner(), owner, wxID_ANY, _("Trading Status"), wxDefaultPosition,
                                       kDialogSize);
    else
        dialog = new InstrCADialog(board.GetOwner(), owner, wxID_ANY, _("Corporate Action"), wxDefaultPosition,
                                   kDialogSize);
    m_dialog = dialog;
    dialog->SetFlagText(text);
    dialog->SetChecked(dialog->GetFlagPanel(), true);
    dialog->ShowWithAction([] {});
    return dialog;
}
