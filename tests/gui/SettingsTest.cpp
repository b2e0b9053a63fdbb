// The settings dialog: OK usable only after a change, what OK applies to the
// board at once, and the settings as a saved layout keeps them.

#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include "dialogs/SettingPages.h"
#include "dialogs/SettingsFeature.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

class Settings : public BoardFixture
{
protected:
    /// A docked board whose dialogs belong to the test's frame.
    void SetUp() override
    {
        BoardFixture::SetUp();
        board = CreateBoard(0, reinterpret_cast<uintptr_t>(frame));
        feature = board->Features().FindFeature<SettingsFeature>();
    }

    SettingDialog* Open()
    {
        PostCommand(board, cmd::Settings);
        return feature->OpenSettingDialog();
    }

    /// Ticks or clears a checkbox as the user does, with its event.
    static void Check(wxCheckBox* box, bool value)
    {
        box->SetValue(value);
        wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
        event.SetInt(value);
        event.SetEventObject(box);
        box->ProcessWindowEvent(event);
    }

    SettingsFeature* feature = nullptr;
};

TEST_F(Settings, OkOrEnterWaitsForAChangeAndAppliesEverySwitchAndTheTitleWhichIsSavedEvenEmpty)
{
    board->Settings().controlsOthers = true;
    SettingDialog* dialog = Open();
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(frame->IsEnabled());
    EXPECT_FALSE(dialog->GetOkButton()->IsEnabled());
    wxCheckBox* others = dialog->GetControlPage()->GetControlsOthersBox();
    EXPECT_TRUE(others->GetValue());

    Check(others, false);
    EXPECT_TRUE(dialog->GetOkButton()->IsEnabled());
    Check(dialog->GetControlPage()->GetInstrumentsBox(), true);
    Check(dialog->GetGeneralPage()->GetAutoAddBox(), true);
    dialog->GetGeneralPage()->GetTitleField()->SetValue("Desk One");
    ClickAndFlush(dialog, wxID_OK);
    EXPECT_TRUE(frame->IsEnabled());
    EXPECT_FALSE(board->Settings().controlsOthers);
    EXPECT_TRUE(board->Settings().controlledByInstruments);
    EXPECT_FALSE(board->Settings().controlledByOrders);
    EXPECT_TRUE(board->Settings().autoAddInstrument);
    EXPECT_EQ("Desk One", board->Settings().title);

    dialog = Open();
    Check(dialog->GetControlPage()->GetInstrumentsBox(), false);
    ClickAndFlush(dialog, wxID_CANCEL);
    EXPECT_TRUE(board->Settings().controlledByInstruments) << "Cancel applies nothing";

    // An empty title, confirmed with Enter in its field, is saved empty, and
    // loading clears the hidden F1 switch.
    dialog = Open();
    EXPECT_FALSE(PressKey(dialog->GetGeneralPage()->GetTitleField(), WXK_RETURN)) << "nothing changed yet";
    dialog->GetGeneralPage()->GetTitleField()->SetValue("");
    ASSERT_TRUE(PressKey(dialog->GetGeneralPage()->GetTitleField(), WXK_RETURN));
    Flush();
    const Tree saved = Saved(board);
    EXPECT_EQ("", saved.get<std::string>("setting.general.<xmlattr>.title", "missing"));
    EXPECT_TRUE(saved.get<bool>("setting.general.<xmlattr>.f1_change_instrument"))
        << "a new board's F1 switch is on, and the dialog left it so";
    Tickerdeck* loaded = LoadBoard(nullptr, &saved);
    EXPECT_TRUE(loaded->Settings().title.empty());
    EXPECT_FALSE(loaded->Settings().f1Only);
}

TEST_F(Settings, VolumesInThousandsReachEveryTabAndRepaintTheShownOne)
{
    wxGridEx* hidden = AddTab(board, {arpi}, "One");
    wxGridEx* shown = AddTab(board, {bdi}, "Two");
    Flush();
    bool painted = false;
    shown->GetGridWindow()->Bind(wxEVT_PAINT, [&painted](wxPaintEvent& event) {
        painted = true;
        event.Skip();
    });
    layout::WindowSettings settings = board->Settings();
    settings.volumeInThousands = true;
    SettingsFeature::ApplySettings(*board, settings);
    EXPECT_TRUE(Tickerdeck::TableOf(hidden)->Format().volumeInThousands);
    EXPECT_TRUE(Tickerdeck::TableOf(shown)->Format().volumeInThousands);
    EXPECT_TRUE(PumpUntil([&painted] { return painted; })) << "the volumes kept their old unit on screen";
    EXPECT_EQ("BuyVol (k)", shown->GetColLabelValue(column::BuyVolume)) << "the label tells the unit";
    EXPECT_EQ("Buy", shown->GetColLabelValue(column::Buy));
}

}  // namespace
