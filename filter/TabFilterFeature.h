#pragma once
// The filter commands of a board's tabs: edit the current tab's filter in
// its dialog, or remove it after asking.

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "kit/ThemedDialog.h"
#include "filter/FilterDialog.h"

/// Handles "Edit Filter..." and "Remove Filter..." for the current tab.
class TabFilterFeature : public BoardFeature
{
public:
    TabFilterFeature();
    /// Closes a dialog still open: its action refers to the board.
    ~TabFilterFeature() override;
    TabFilterFeature(const TabFilterFeature&) = delete;
    TabFilterFeature& operator=(const TabFilterFeature&) = delete;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    /// Opens the filter dialog for the current tab; null without one.
    FilterDialog* OpenDialog(Tickerdeck& board);
    /// Asks, then takes the current tab's filter off.
    void RemoveFilter(Tickerdeck& board);

    /// Replaces the message box asking before a removal (tests answer without one).
    void SetQuestion(ThemedDialog::Question question) { m_question = std::move(question); }
    FilterDialog* OpenFilterDialog() const { return m_dialog.get(); }

private:
    wxWeakRef<FilterDialog> m_dialog;
    ThemedDialog::Question m_question;
};
