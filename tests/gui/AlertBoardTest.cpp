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

TEST_F(AlertBoard, AlertsOnHiddenTabsCountInABadgeThatShowingTheTabClearsAndNoSaveCarries)
{
    wxGridEx* other = AddTab(board, {beta}, "Other", false);
    wxFlatNotebook* notebook = board->GetNotebook();
    const size_t hidden = static_cast<size_t>(board->PageOfGrid(other));
    Arm(beta, AlertField::Last, AlertComparison::AtLeast, 5.0);
    Quote(beta, 6.0);
    Quote(beta, 7.0);
    Flush();
    EXPECT_EQ(2, notebook->GetPageBadge(hidden));
    EXPECT_EQ(0, notebook->GetPageBadge(0)) << "the shown tab holds beta too, and is seen";
    EXPECT_NE(nullptr, AlertState().PopupOf(beta)) << "the popup shows as before";

    EXPECT_EQ("Other", notebook->GetPageText(hidden));
    for (wxGridEx* tab : board->GetGrids())  // keeps the nameless lists out of the store
        Tickerdeck::TableOf(tab)->SetTabType(layout::kPlainTab);
    const testing_support::Tree node = Saved(board);
    std::vector<std::string> saved;
    for (const auto& [key, tab] : node.get_child("watchlists"))
        saved.push_back(tab.get<std::string>("<xmlattr>.name"));
    EXPECT_EQ((std::vector<std::string>{"Core", "Other"}), saved);

    notebook->SetSelection(hidden);
    EXPECT_EQ(0, notebook->GetPageBadge(hidden));
    Quote(beta, 8.0);
    Flush();
    EXPECT_EQ(1, notebook->GetPageBadge(0)) << "now the first tab is the hidden one";
}

}  // namespace
