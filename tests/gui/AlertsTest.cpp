// Alerts: the fired popup, the setup dialog, the alert list, and alerts inside
// a board window (quote updates queue the popup, the commands open their
// dialogs over the owner frame, a closing board takes its popups along).
// Saving and loading alerts is the save and load tests'.

#include <tuple>
#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "alert/AlertDialog.h"
#include "alert/AlertManager.h"
#include "alert/AlertSound.h"
#include "alert/BoardAlerts.h"
#include "alert/PriceAlertSetup.h"
#include "board/AlertNotification.h"
#include "controls/wxDataViewCtrlEx.h"
#include "support/BoardFixture.h"
#include "support/GroupingLocale.h"

namespace {

using namespace testing_support;

/// The board stage with alert state of its own and a chime that is counted
/// instead of played.
class AlertFixture : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        m_previousPlayer = alert_sound::SetPlayer([this](const wxString& path) { chimes.push_back(path); });
        Flush();
    }

    void TearDown() override
    {
        alerts.reset();
        BoardFixture::TearDown();
        alert_sound::SetPlayer(m_previousPlayer);
    }

    /// Arms an alert in the test's own alert state, or in `map` (a board's).
    PriceAlert* AddAlert(Instrument* instrument, AlertField field, AlertComparison comparison, double threshold,
                         const std::string& remark = std::string(), PriceAlertMap* map = nullptr)
    {
        auto& slot = (map ? *map : alerts->Map())[instrument];
        slot = std::make_unique<PriceAlert>(
            PriceAlert{instrument, ToCode(field), ToCode(comparison), threshold, remark});
        return slot.get();
    }

    /// Handles a notification for `alert` as the board's handler does.
    void Fire(PriceAlert* alert, double value)
    {
        alerts->ShowPopup(&application, frame, AlertFiredEvent(AlertFiring{alert, value}));
    }

    PriceAlertMap alertMap;
    std::unique_ptr<BoardAlerts> alerts = std::make_unique<BoardAlerts>(alertMap);
    std::vector<wxString> chimes;

private:
    alert_sound::Player m_previousPlayer;
};

using AlertPopup = AlertFixture;

TEST_F(AlertPopup, FiringWhileShownRefreshesTheSamePopupAndChimesAgainWithoutRaisingTheOwner)
{
    std::vector<wxWindow*> raised;
    alerts->SetBringForward([&raised](wxWindow* window) { raised.push_back(window); });
    PriceAlert* alert = AddAlert(arpi, AlertField::Last, AlertComparison::AtMost, 12.6, "exit");
    Fire(alert, 12.55);
    AlertDialog* popup = alerts->PopupOf(arpi);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ("ARPI", popup->GetCodeText());
    EXPECT_EQ("exit", popup->GetRemarkText());
    EXPECT_TRUE(frame->IsEnabled()) << "the popup leaves its owner usable";
    Fire(alert, 12.4);
    EXPECT_EQ(popup, alerts->PopupOf(arpi));
    EXPECT_EQ("Last(12.40) <= 12.60", popup->GetConditionText());
    EXPECT_EQ(2u, chimes.size());
    EXPECT_EQ(1u, host.attachedDialogs.size()) << "no second popup was created";
    EXPECT_EQ(std::vector<wxWindow*>{frame}, raised) << "a firing while shown must not take the focus again";

    Fire(AddAlert(bdi, AlertField::Sell, AlertComparison::AtLeast, 5), 6);
    ASSERT_NE(nullptr, alerts->PopupOf(bdi));
    EXPECT_NE(popup, alerts->PopupOf(bdi)) << "each instrument has its own popup";
    EXPECT_NE(popup->GetPosition(), alerts->PopupOf(bdi)->GetPosition()) << "the second does not hide the first";
}

TEST_F(AlertPopup, ClosingKeepsTheAlertArmedAndDisableRemovesWhateverAlertTheInstrumentHasNow)
{
    PriceAlert* alert = AddAlert(arpi, AlertField::Last, AlertComparison::AtMost, 10);
    Fire(alert, 9);
    wxWeakRef<AlertDialog> first(alerts->PopupOf(arpi));
    ASSERT_TRUE(Click(first.get(), wxID_CANCEL));
    EXPECT_EQ(0u, alerts->Popups().count(arpi)) << "a closed popup leaves the map at once";
    Flush();
    EXPECT_FALSE(first) << "a closed popup destroys itself";

    Fire(alert, 8.5);
    AlertDialog* popup = alerts->PopupOf(arpi);
    ASSERT_NE(nullptr, popup);
    popup->Close();  // what the close box does
    EXPECT_EQ(nullptr, alerts->PopupOf(arpi));
    EXPECT_EQ(alert, alerts->Map()[arpi].get());

    Fire(alert, 9);
    wxWeakRef<AlertDialog> hidden(alerts->PopupOf(arpi));
    hidden->Hide();
    EXPECT_EQ(nullptr, alerts->PopupOf(arpi)) << "a hidden popup is not reused";
    Fire(alert, 8);
    AlertDialog* fresh = alerts->PopupOf(arpi);
    ASSERT_NE(nullptr, fresh);
    EXPECT_NE(hidden.get(), fresh);
    Flush();
    EXPECT_FALSE(hidden) << "the stale popup went away";

    fresh->Destroy();  // gone without a close event, e.g. with its owner
    Flush();
    EXPECT_EQ(nullptr, alerts->PopupOf(arpi));
    Fire(alert, 7);
    popup = alerts->PopupOf(arpi);
    ASSERT_NE(nullptr, popup);

    // Disable removes the alert the instrument has by then, and silences its queued notifications.
    AddAlert(arpi, AlertField::Buy, AlertComparison::AtLeast, 3);  // replaced while the popup is up
    AddAlert(bdi, AlertField::Buy, AlertComparison::AtLeast, 3);
    ASSERT_TRUE(Click(popup, wxID_DELETE));
    EXPECT_EQ(0u, alerts->Map().count(arpi));
    EXPECT_EQ(1u, alerts->Map().count(bdi)) << "other instruments keep theirs";
    EXPECT_EQ(nullptr, alerts->PopupOf(arpi));
    Flush();

    const AlertFiredEvent queued(AlertFiring{alerts->Map()[bdi].get(), 3.5});
    Fire(alerts->Map()[bdi].get(), 4);
    popup = alerts->PopupOf(bdi);
    alerts->RemoveAlert(bdi);  // already gone when Disable is pressed
    ASSERT_TRUE(Click(popup, wxID_DELETE));
    EXPECT_TRUE(alerts->Map().empty());
    const size_t chimed = chimes.size();
    alerts->ShowPopup(&application, frame, queued);
    EXPECT_EQ(nullptr, alerts->PopupOf(bdi)) << "a notification queued before the alert went shows nothing";
    EXPECT_EQ(chimed, chimes.size());
}

using AlertSetup = AlertFixture;

TEST_F(AlertSetup, ActivateWaitsForAReadableValueAndAnExistingAlertIsEditedOrCreatedAgainIfDisabled)
{
    GroupingLocale locale;
    PriceAlertSetup* setup = alerts->OpenSetup(&application, frame, arpi);
    ASSERT_NE(nullptr, setup);
    EXPECT_FALSE(frame->IsEnabled());
    wxButtonEx* activate = setup->GetActivateButton();
    EXPECT_FALSE(activate->IsEnabled());

    setup->GetValueText()->SetValue("12.5");
    EXPECT_FALSE(activate->IsEnabled()) << "no field chosen yet";
    // A click synthesised past the disabled button stores nothing either.
    wxCommandEvent forced(wxEVT_BUTTON, wxID_OK);
    forced.SetEventObject(activate);
    setup->ProcessWindowEvent(forced);
    EXPECT_TRUE(alerts->Map().empty());
    EXPECT_TRUE(setup->IsShown());

    Choose(setup->GetFieldCombo(), 2);
    EXPECT_TRUE(activate->IsEnabled());
    setup->GetValueText()->SetValue("twelve");
    EXPECT_FALSE(activate->IsEnabled()) << "an unreadable value would store a made-up threshold";
    Flush();
    EXPECT_NE("", BalloonTextShownInFull(setup->GetValueText())) << "the field says why the value is refused";

    wxWeakRef<PriceAlertSetup> open(setup);
    Choose(setup->GetFieldCombo(), 1);       // BuyVol
    Choose(setup->GetComparisonCombo(), 1);  // "<="
    setup->GetValueText()->SetValue(locale.IsOk() ? "1,500.5" : "1500.5");
    setup->GetRemarkText()->SetValue("thin book");
    ASSERT_TRUE(Click(setup, wxID_OK));

    ASSERT_EQ(1u, alerts->Map().count(arpi));
    const PriceAlert& made = *alerts->Map()[arpi];
    EXPECT_EQ(std::make_tuple(ToCode(AlertField::BuyVol), ToCode(AlertComparison::AtMost), 1500.5,
                              std::string("thin book")),
              std::tie(made.field, made.comparison, made.threshold, made.remark));
    Flush();
    EXPECT_FALSE(open);

    // An existing alert shows with exactly the instrument's decimals.
    arpi->decimals = 3;
    PriceAlert* alert = AddAlert(arpi, AlertField::Sell, AlertComparison::AtMost, 12.6004, "exit");
    setup = alerts->OpenSetup(&application, frame, arpi);
    EXPECT_EQ(3, setup->GetFieldCombo()->GetSelection());
    EXPECT_EQ(1, setup->GetComparisonCombo()->GetSelection());
    EXPECT_EQ("12.600", setup->GetValueText()->GetValue());
    EXPECT_EQ("exit", setup->GetRemarkText()->GetValue());
    Choose(setup->GetComparisonCombo(), 0);
    ASSERT_TRUE(Click(setup, wxID_OK));
    EXPECT_EQ(alert, alerts->Map()[arpi].get()) << "the same record, edited";
    EXPECT_EQ(ToCode(AlertComparison::AtLeast), alert->comparison);
    EXPECT_EQ(12.6004, alert->threshold) << "a value the user left alone is not cut to what is shown";

    // A value the user types is taken as typed, even the shown text.
    setup = alerts->OpenSetup(&application, frame, arpi);
    setup->GetValueText()->SetValue("12.600");
    ASSERT_TRUE(Click(setup, wxID_OK));
    EXPECT_EQ(12.6, alert->threshold);

    setup = alerts->OpenSetup(&application, frame, arpi);
    alerts->RemoveAlert(arpi);  // a popup's Disable meanwhile
    setup->GetValueText()->SetValue("11");
    ASSERT_TRUE(Click(setup, wxID_OK));
    ASSERT_EQ(1u, alerts->Map().count(arpi));
    EXPECT_DOUBLE_EQ(11.0, alerts->Map()[arpi]->threshold);
}

class AlertList : public AlertFixture
{
protected:
    AlertManager* OpenWithThree(bool answerYes = true)
    {
        for (Instrument* instrument : {arpi, bdi, cdg})
            AddAlert(instrument, AlertField::Last, AlertComparison::AtMost, 10);
        return Open(answerYes);
    }

    AlertManager* Open(bool answerYes = true)
    {
        AlertManager* manager = alerts->OpenManager(&application, frame);
        manager->SetQuestion([this, answerYes](wxWindow*, const wxString& message, const wxString& caption) {
            questions.push_back(caption + ": " + message);
            return answerYes;
        });
        return manager;
    }

    /// Selects a row as a click would, with the list's selection event.
    static void SelectRow(AlertManager* manager, int row)
    {
        wxDataViewCtrlEx* list = manager->GetList();
        const wxDataViewItem item = manager->GetModel()->GetItem(row);
        list->Select(item);
        wxDataViewEvent event(wxEVT_DATAVIEW_SELECTION_CHANGED, list, item);
        list->ProcessWindowEvent(event);
    }

    static std::vector<Instrument*> Listed(const AlertManager* manager)
    {
        std::vector<Instrument*> listed;
        for (unsigned row = 0; row < manager->GetModel()->GetCount(); ++row)
            listed.push_back(manager->GetModel()->AlertAt(row)->instrument);
        return listed;
    }

    void Remove(AlertManager* manager, int row)
    {
        SelectRow(manager, row);
        ASSERT_TRUE(Click(manager, wxID_REMOVE));
    }

    std::vector<wxString> questions;
};

TEST_F(AlertList, StagesConfirmedDeletionsUntilOkWhichLeavesAlertsRemovedOrReplacedElsewhere)
{
    AlertManager* manager = OpenWithThree(false);
    EXPECT_FALSE(frame->IsEnabled());
    std::vector<Instrument*> expected;
    for (const auto& [instrument, alert] : alerts->Map())
        expected.push_back(instrument);
    EXPECT_EQ(expected, Listed(manager));
    Remove(manager, 0);
    EXPECT_EQ(3u, manager->GetModel()->GetCount()) << "answering no keeps the row";
    EXPECT_FALSE(manager->GetOkButton()->IsEnabled()) << "nothing to apply";

    ASSERT_TRUE(Click(manager, wxID_CANCEL));
    manager = Open();
    Remove(manager, 0);
    ASSERT_TRUE(Click(manager, wxID_CANCEL));
    EXPECT_EQ(3u, alerts->Map().size()) << "Cancel drops the staged deletion";

    manager = Open();
    const std::vector<Instrument*> listed = Listed(manager);
    Remove(manager, 0);
    Remove(manager, 1);  // the third of the original rows
    EXPECT_EQ(1u, manager->GetModel()->GetCount());
    EXPECT_TRUE(manager->GetOkButton()->IsEnabled());
    EXPECT_EQ(3u, alerts->Map().size()) << "nothing is deleted before OK";
    ASSERT_EQ(4u, questions.size()) << "each removal is confirmed";
    ASSERT_TRUE(Click(manager, wxID_OK));
    ASSERT_EQ(1u, alerts->Map().size());
    EXPECT_EQ(listed[1], alerts->Map().begin()->first);

    // Alerts removed or replaced elsewhere are not deleted by OK.
    manager = OpenWithThree();
    Remove(manager, 0);
    alerts->RemoveAlert(listed[0]);  // a popup's Disable on the staged one
    alerts->RemoveAlert(listed[2]);  // and on one still listed
    EXPECT_EQ(std::vector<Instrument*>{listed[1]}, Listed(manager));
    EXPECT_TRUE(manager->GetStagedDeletions().empty());

    // A new alert for a staged instrument is not the one that was staged.
    Remove(manager, 0);
    AddAlert(listed[1], AlertField::Buy, AlertComparison::AtLeast, 1);
    ASSERT_TRUE(Click(manager, wxID_OK));
    ASSERT_EQ(1u, alerts->Map().size());
    EXPECT_EQ(ToCode(AlertField::Buy), alerts->Map()[listed[1]]->field);
}

TEST_F(AlertList, EditAppliesAtOnceSurvivesCancelAndClosesWhenItsAlertIsDisabled)
{
    PriceAlert* alert = AddAlert(arpi, AlertField::Last, AlertComparison::AtMost, 10, "old");
    AlertManager* manager = Open();
    SelectRow(manager, 0);
    ASSERT_TRUE(Click(manager, wxID_EDIT));
    PriceAlertSetup* edit = manager->GetEditDialog();
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(manager, edit->GetParent());
    EXPECT_FALSE(manager->IsEnabled()) << "the list waits for the edit";
    EXPECT_EQ("10.00", edit->GetValueText()->GetValue());

    edit->GetValueText()->SetValue("9.5");
    edit->GetRemarkText()->SetValue("new");
    ASSERT_TRUE(Click(edit, wxID_OK));
    EXPECT_DOUBLE_EQ(9.5, alert->threshold);
    EXPECT_EQ("new", alert->remark);
    wxVariant condition;
    manager->GetModel()->GetValueByRow(condition, 0, AlertModel::ConditionColumn);
    EXPECT_EQ("Last <= 9.50", condition.GetString());

    ASSERT_TRUE(Click(manager, wxID_CANCEL));
    EXPECT_EQ(alert, alerts->Map()[arpi].get());
    EXPECT_DOUBLE_EQ(9.5, alert->threshold);

    // An edit whose alert a popup disables meanwhile closes and writes nowhere.
    manager = Open();
    SelectRow(manager, 0);
    ASSERT_TRUE(Click(manager, wxID_EDIT));
    wxWeakRef<PriceAlertSetup> stale(manager->GetEditDialog());
    alerts->RemoveAlert(arpi);
    Flush();
    EXPECT_FALSE(stale);
    EXPECT_TRUE(manager->IsEnabled());
    EXPECT_EQ(0u, manager->GetModel()->GetCount());
}

class AlertBoard : public AlertFixture
{
protected:
    void SetUp() override
    {
        AlertFixture::SetUp();
        board = CreateBoard(0, reinterpret_cast<uintptr_t>(frame));
        grid = AddTab(board, {arpi, bdi}, "Core");
        Flush();
    }

    /// Delivers a quote update the way the host does, changing `last`, and
    /// unless `handleQueued` is false what it queued.
    void Quote(Instrument* instrument, double last, uint32_t mask = ToCode(AlertField::Last),
               bool handleQueued = true)
    {
        Price* price = host.PriceOf(instrument);
        price->last = last;
        wxCommandEvent event = QuoteEvent(price, static_cast<int>(mask));
        board->ProcessWindowEvent(event);
        if (handleQueued)
            Flush();
    }

    BoardAlerts& AlertState() const { return *board->Features().FindFeature<BoardAlerts>(); }
};

TEST_F(AlertBoard, QualifyingUpdatesQueueThePopupAHiddenTabsBadgeCountsThemAndAClosedBoardTakesThePopupsAlong)
{
    AddAlert(arpi, AlertField::Last, AlertComparison::AtMost, 10.0, "", &board->Alerts());
    Quote(arpi, 10.01);
    Quote(arpi, 9.5, ToCode(AlertField::Buy));  // past the threshold, but only the bid changed
    Quote(bdi, 1.0);                            // no alert on this one
    EXPECT_TRUE(AlertState().Popups().empty());

    Quote(arpi, 10.0, ToCode(AlertField::Last), false);
    EXPECT_EQ(nullptr, AlertState().PopupOf(arpi)) << "shown from the queue, not inside the update";
    Flush();
    AlertDialog* popup = AlertState().PopupOf(arpi);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(frame, popup->GetParent());
    EXPECT_EQ("Last(10.00) <= 10.00", popup->GetConditionText());

    // A hidden tab's badge counts the alerts that fired since it was shown, not the quotes.
    wxGridEx* other = AddTab(board, {bdi, cdg}, "Other", false);
    wxFlatNotebook* notebook = board->Tabs().Notebook();
    const size_t hidden = static_cast<size_t>(board->Tabs().PageOf(other));
    AddAlert(bdi, AlertField::Last, AlertComparison::AtLeast, 5.0, "", &board->Alerts());
    AddAlert(cdg, AlertField::Last, AlertComparison::AtLeast, 5.0, "", &board->Alerts());
    for (double last = 6.0; last < 30.0; ++last)
        Quote(bdi, last);
    EXPECT_EQ(1, notebook->GetPageBadge(hidden)) << "one alert, however many quotes fired it";
    EXPECT_EQ(0, notebook->GetPageBadge(0)) << "the shown tab holds bdi too, and is seen";
    Quote(cdg, 6.0);
    EXPECT_EQ(2, notebook->GetPageBadge(hidden));
    EXPECT_NE(nullptr, AlertState().PopupOf(bdi)) << "the popup shows as before";

    EXPECT_EQ("Other", notebook->GetPageText(hidden)) << "the count is no part of the name a save writes";

    notebook->SetSelection(hidden);
    EXPECT_EQ(0, notebook->GetPageBadge(hidden));
    notebook->SetSelection(0);
    Quote(bdi, 8.0);
    EXPECT_EQ(1, notebook->GetPageBadge(hidden)) << "counted afresh since the tab was last shown";

    wxWeakRef<AlertDialog> shown(popup);
    application.CloseWindow(container, true);
    Flush();
    EXPECT_FALSE(shown) << "its Disable would reach a board that no longer exists";
}

TEST_F(AlertBoard, AFiringNeitherTakesTheKeyboardFromTheGridNorRaisesTheBoardOverItsDialog)
{
    frame->Raise();
    grid->GetGridWindow()->SetFocus();
    if (!PumpUntil([&] { return grid->GetGridWindow()->HasFocus(); }, 1000))
        GTEST_SKIP() << "the display gives the grid no keyboard focus";
    AddAlert(arpi, AlertField::Last, AlertComparison::AtLeast, 5.0, "", &board->Alerts());
    Quote(arpi, 6.0);
    AlertDialog* popup = AlertState().PopupOf(arpi);
    ASSERT_NE(nullptr, popup);
    Quote(arpi, 7.0);
    EXPECT_FALSE(PumpUntil([&] { return !grid->GetGridWindow()->HasFocus(); }, 500))
        << "a new or refreshed popup leaves the keys to the grid";
    EXPECT_NE(wxString(), popup->GetToolTipText()) << "the tool tip names the key that reaches the popup";

    std::vector<wxWindow*> raised;
    AlertState().SetBringForward([&raised](wxWindow* window) { raised.push_back(window); });
    popup->Close();
    PostCommand(board, cmd::AlertList);
    ASSERT_NE(nullptr, AlertState().OpenAlertManager());
    Quote(arpi, 8.0);
    EXPECT_NE(nullptr, AlertState().PopupOf(arpi));
    EXPECT_TRUE(raised.empty()) << "the board stays under the alert list it opened";
    AlertState().OpenAlertManager()->Close();
    Flush();
    AlertState().PopupOf(arpi)->Close();
    Quote(arpi, 9.0);
    EXPECT_EQ(std::vector<wxWindow*>{frame}, raised) << "with no dialog open the board comes forward as before";

    AddAlert(bdi, AlertField::Last, AlertComparison::AtLeast, 5.0, "", &board->Alerts());
    Quote(bdi, 6.0);
    EXPECT_EQ(2u, raised.size()) << "another alert's popup is no dialog the board stays under";
    auto* other = new wxDialog(frame, wxID_ANY, "Other");
    other->Show();
    AlertState().PopupOf(arpi)->Close();
    Quote(arpi, 10.0);
    other->Destroy();
    EXPECT_EQ(2u, raised.size()) << "nor over a dialog of another kind that leaves the board usable";
}

}  // namespace
