// Alerts inside a board window: quote updates queue the popup, the alert
// commands open their dialogs over the owner frame, and a closing board takes
// its popups along. Saving and loading alerts is the save and load tests'.

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "alert/AlertManager.h"
#include "alert/PriceAlertSetup.h"
#include "contract/CommandIds.h"
#include "support/AlertFixture.h"
#include "support/QuoteEvent.h"

namespace {

using testing_support::Flush;

class AlertBoard : public testing_support::AlertFixture
{
protected:
    void SetUp() override
    {
        AlertFixture::SetUp();
        board = CreateBoard(0, reinterpret_cast<uintptr_t>(frame));
        grid = AddTab(board, {alpha, beta}, "Core");
        Flush();
    }

    void Arm(Instrument* instrument, AlertField field, AlertComparison comparison, double threshold)
    {
        board->Alerts()[instrument] = std::make_unique<PriceAlert>(
            PriceAlert{instrument, ToCode(field), ToCode(comparison), threshold, "watch"});
    }

    /// Delivers a quote update the way the host does, changing `last`.
    void Quote(Instrument* instrument, double last, uint32_t mask = ToCode(AlertField::Last))
    {
        Price* price = host.PriceOf(instrument);
        price->last = last;
        wxCommandEvent event = testing_support::QuoteEvent(price, static_cast<int>(mask));
        board->ProcessWindowEvent(event);
    }

    BoardAlerts& AlertState() const { return *board->FindFeature<BoardAlerts>(); }

    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
};

TEST_F(AlertBoard, OnlyQualifyingUpdatesQueueThePopupOverTheOwnerFrameAndAClosedBoardTakesItAlong)
{
    Arm(alpha, AlertField::Last, AlertComparison::AtMost, 10.0);
    Quote(alpha, 10.01);
    Quote(alpha, 9.5, ToCode(AlertField::Buy));  // past the threshold, but only the bid changed
    Quote(beta, 1.0);                             // no alert on this one
    Flush();
    EXPECT_TRUE(AlertState().Popups().empty());
    EXPECT_TRUE(chimes.empty());

    Quote(alpha, 10.0);
    EXPECT_EQ(nullptr, AlertState().PopupOf(alpha)) << "shown from the queue, not inside the update";
    Flush();
    AlertDialog* popup = AlertState().PopupOf(alpha);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(frame, popup->GetParent());
    EXPECT_EQ("Last(10.00) <= 10.00", popup->GetConditionText());
    EXPECT_EQ(1u, chimes.size());

    wxWeakRef<AlertDialog> shown(popup);
    application.CloseWindow(container, true);
    Flush();
    EXPECT_FALSE(shown) << "its Disable would reach a board that no longer exists";
}

TEST_F(AlertBoard, EditAlertOpensTheSetupForTheSelectedRow)
{
    grid->ClearSelection(); // a tab shown gets its current row selected
    testing_support::PostCommand(board, cmd::AlertSetup);
    EXPECT_EQ(nullptr, AlertState().OpenSetupDialog()) << "no row selected";

    grid->SelectRow(1);
    testing_support::PostCommand(board, cmd::AlertSetup);
    PriceAlertSetup* setup = AlertState().OpenSetupDialog();
    ASSERT_NE(nullptr, setup);
    EXPECT_EQ(beta, setup->GetInstrument());
    EXPECT_EQ(frame, setup->GetParent());

    setup->GetFieldCombo()->SetSelection(2);
    setup->GetValueText()->SetValue("4.5");  // the text event re-checks Activate
    ASSERT_TRUE(Click(setup, wxID_OK));
    ASSERT_EQ(1u, board->Alerts().count(beta));
    EXPECT_DOUBLE_EQ(4.5, board->Alerts()[beta]->threshold);
}

}  // namespace
