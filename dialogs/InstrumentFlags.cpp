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
    Open(board, event.GetInt(), static_cast<Price*>(event.GetClientData()));
}

InstrFlagsDialog* InstrumentFlags::Open(Tickerdeck& board, int column, Price* quote)
{
    if (column != column::Status && column != column::CorporateAction)
        return nullptr;
    wxGridEx* grid = board.Tabs().CurrentGrid();
    const TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
    if (!table || !quote || !quote->instrument || !table->Members().Contains(quote))
        return nullptr;
    // Each dialog matches the text of its own column: corporate-action codes
    // never appear in the status text.
    const wxString text = table->Format().CellText(table->Index().RowOf(quote), column, *quote);
    if (text.empty())
        return nullptr;
    const wxString code = wxString::FromUTF8(quote->instrument->code);
    const wxString name = wxString::FromUTF8(quote->instrument->name);

    // One flag dialog at a time: the owner frame stays disabled while it is up.
    if (InstrFlagsDialog* open = m_dialog.get(); open && !open->IsClosing())
        open->Close(true);

    wxWindow* owner = board.GetOwnerFrame();
    InstrFlagsDialog* dialog = nullptr;
    if (column == column::Status)
        dialog = new InstrStatusDialog(board.GetOwner(), owner, wxID_ANY,
                                       wxString::Format(_("Trading Status: %s %s"), code, name),
                                       wxDefaultPosition, kDialogSize);
    else
        dialog = new InstrCADialog(board.GetOwner(), owner, wxID_ANY,
                                   wxString::Format(_("Corporate Action: %s %s"), code, name),
                                   wxDefaultPosition, kDialogSize);
    m_dialog = dialog;
    dialog->SetFlagText(text);
    dialog->SetChecked(dialog->GetFlagPanel(), true);
    dialog->ShowWithAction([] {});
    return dialog;
}
