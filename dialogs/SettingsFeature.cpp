#include "dialogs/SettingsFeature.h"

#include <wx/intl.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "controls/wxGridEx.h"

SettingsFeature::~SettingsFeature()
{
    if (SettingDialog* dialog = m_dialog.get())
        dialog->CloseOrphaned();
}

std::vector<int> SettingsFeature::Commands() const
{
    return {cmd::Settings};
}

void SettingsFeature::OnCommand(Tickerdeck& board, wxCommandEvent& /*event*/)
{
    OpenSettings(board);
}

SettingDialog* SettingsFeature::OpenSettings(Tickerdeck& board)
{
    wxWindow* owner = board.GetOwnerFrame();
    auto* dialog = new SettingDialog(board.GetOwner(), owner, wxID_ANY, _("Ticker Deck Settings"),
                                     wxDefaultPosition, wxSize(480, 360));
    m_dialog = dialog;
    dialog->SetSettings(board.Settings());
    if (owner)
        owner->Enable(false);
    Tickerdeck* target = &board;
    dialog->ShowWithAction([target, dialog] { ApplySettings(*target, dialog->GetSettings(target->Settings())); });
    return dialog;
}

void SettingsFeature::ApplySettings(Tickerdeck& board, const layout::WindowSettings& settings)
{
    const bool volumeChanged = settings.volumeInThousands != board.Settings().volumeInThousands;
    board.Settings() = settings;
    for (wxGridEx* grid : board.Tabs().Grids())
    {
        Tickerdeck::TableOf(grid)->Format().volumeInThousands = settings.volumeInThousands;
        // Volume cells otherwise keep the old unit until their next quote;
        // fitted columns make room for the labels' unit.
        if (volumeChanged && settings.autoFitColumns)
            board.Fitter().FitColumns(grid);
        else if (volumeChanged)
            grid->ForceRefresh();
    }
    board.Toolbar().ApplyTitle(wxGetTranslation(settings.title));
}
