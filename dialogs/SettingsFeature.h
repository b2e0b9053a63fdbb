#pragma once
// The settings command of a board: the dialog and applying what it says.

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "dialogs/SettingDialog.h"

/// Opens the settings dialog for the toolbar's settings tool and the grid
/// menus' "Setting...", and applies its choices on OK.
class SettingsFeature : public BoardFeature
{
public:
    SettingsFeature() = default;
    /// Closes a dialog still open: its action refers to the board.
    ~SettingsFeature() override;
    SettingsFeature(const SettingsFeature&) = delete;
    SettingsFeature& operator=(const SettingsFeature&) = delete;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    /// Opens the dialog filled from the board's settings.
    SettingDialog* OpenSettings(Tickerdeck& board);
    SettingDialog* OpenSettingDialog() const { return m_dialog.get(); }

    /// Makes `settings` the board's: grids show volumes the new way at once,
    /// and the title is shown; they reach the layout at its next save.
    static void ApplySettings(Tickerdeck& board, const layout::WindowSettings& settings);

private:
    wxWeakRef<SettingDialog> m_dialog;
};
