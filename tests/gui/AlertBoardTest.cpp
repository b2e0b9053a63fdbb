// Alerts inside a board window: quote updates queue the popup, the alert
// commands open their dialogs over the owner frame, a closing board takes its
// popups along, and alerts are written back with their codes.

#include <map>
#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "alert/AlertManager.h"
#include "alert/PriceAlertSetup.h"
#include "board/SaveAlerts.h"
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
    EXPECT_TRUE(frame->IsEnabled());
}

TEST_F(AlertBoard, AlertRestoredWithTheLayoutFiresOnTheFirstQualifyingQuote)
{
    layout::Tree node = testing_support::Node(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>
        <alerts><alert exchange="XTSE" code="ALPHA" value="10"/></alerts>)");
    board = static_cast<Tickerdeck*>(
        application.CreateWindow(reinterpret_cast<uintptr_t>(frame), container, nullptr, &node, 0));
    Quote(alpha, 9.0);
    Flush();
    AlertDialog* popup = AlertState().PopupOf(alpha);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ("Last(9.00) <= 10.00", popup->GetConditionText());
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
    EXPECT_FALSE(frame->IsEnabled());

    setup->GetFieldCombo()->SetSelection(2);
    setup->GetValueText()->SetValue("4.5");  // the text event re-checks Activate
    ASSERT_TRUE(Click(setup, wxID_OK));
    EXPECT_TRUE(frame->IsEnabled());
    ASSERT_EQ(1u, board->Alerts().count(beta));
    EXPECT_DOUBLE_EQ(4.5, board->Alerts()[beta]->threshold);
}

TEST_F(AlertBoard, AlertsReplaceTheOldOnesAndKeepUnknownCodes)
{
    Arm(alpha, AlertField::SellVol, AlertComparison::AtLeast, 21475.5);
    board->Alerts()[beta] = std::make_unique<PriceAlert>(PriceAlert{beta, 0x8000, 9, -1.25, "odd codes"});
    layout::Tree node;
    node.put("alerts.alert.<xmlattr>.code", "STALE");
    layout::SaveAlerts(*board, node);

    std::map<std::string, layout::Tree> byCode;  // map order is address order
    for (const auto& [key, child] : node.get_child("alerts"))
        byCode[child.get<std::string>("<xmlattr>.code")] = child;
    ASSERT_EQ(2u, byCode.size()) << "the old contents are replaced";
    const layout::Tree& a = byCode.at("ALPHA");
    EXPECT_EQ("XTSE", a.get<std::string>("<xmlattr>.exchange"));
    EXPECT_EQ(128, a.get<int>("<xmlattr>.type"));
    EXPECT_EQ(2, a.get<int>("<xmlattr>.condition"));
    EXPECT_DOUBLE_EQ(21475.5, a.get<double>("<xmlattr>.value"));
    EXPECT_EQ("watch", a.get<std::string>("<xmlattr>.remark"));
    const layout::Tree& b = byCode.at("BETA");
    EXPECT_EQ(0x8000, b.get<int>("<xmlattr>.type")) << "codes outside the tables are kept as they were";
    EXPECT_EQ(9, b.get<int>("<xmlattr>.condition"));
    EXPECT_DOUBLE_EQ(-1.25, b.get<double>("<xmlattr>.value"));
}

}  // namespace
