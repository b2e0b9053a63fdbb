#pragma once
// The board feature that shows a row's trading-status or corporate-action
// flags in a read-only flag dialog.

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "dialogs/InstrFlagsDialog.h"

struct Price;

/// Opens the flag dialog of a row on cmd::ShowInstrumentFlags.
class InstrumentFlags : public BoardFeature
{
public:
    InstrumentFlags() = default;
    /// Closes a dialog still open: it belongs to the board going away.
    ~InstrumentFlags() override;
    InstrumentFlags(const InstrumentFlags&) = delete;
    InstrumentFlags& operator=(const InstrumentFlags&) = delete;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    /// Opens the dialog for `quote`'s row of the current tab, titled with its
    /// instrument: the "Status" column's text in the status dialog, the "CA"
    /// column's in the corporate-action one. Nothing for an empty text,
    /// another column or a quote the tab no longer holds.
    InstrFlagsDialog* Open(Tickerdeck& board, int column, Price* quote);

    /// The dialog on screen, or null.
    InstrFlagsDialog* OpenDialog() const { return m_dialog.get(); }

private:
    wxWeakRef<InstrFlagsDialog> m_dialog;
};
