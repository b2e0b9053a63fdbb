// Alerts inside a board window: quote updates queue the popup, the alert
// commands open their dialogs over the owner frame, and a closing board
// takes its alert dialogs along.

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <boost/property_tree/ptree.hpp>
#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "BoardFixture.h"
#include "alert/AlertSound.h"
#include "controls/wxButtonEx.h"
#include "layout/SaveAlerts.h"
#include "plugin/CommandIds.h"

namespace {

using testing_support::BoardFixture;
using testing_support::Flush;

class AlertBoard : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        m_previousPlayer = alert_sound::SetPlayer([this](const wxString&) { ++chimes; });
        alpha = host.AddInstrument("ALPHA");
        beta = host.AddInstrument("BETA");
        board = CreateBoard(0, reinterpret_cast<uintptr_t>(frame));
        grid = AddTab(board, {alpha, beta}, "Core");
        Flush();
    }

    void TearDown() override
    {
        BoardFixture::TearDown();
        alert_sound::SetPlayer(m_previousPlayer);
    }

    PriceAlert* Arm(Instrument* instrument, AlertField field, AlertComparison comparison, double threshold)
    {
        auto record = std::make_unique<PriceAlert>();
        *record = PriceAlert{instrument, ToCode(field), ToCode(comparison), threshold, "watch"};
        PriceAlert* alert = record.get();
        board->Alerts()[instrument] = std::move(record);
        return alert;
    }

    /// Delivers a quote update the way the host does, changing `last`.
    void Quote(Instrument* instrument, double last, uint32_t mask = ToCode(AlertField::Last))
    {
        Price* price = host.PriceOf(instrument);
        price->last = last;
        wxCommandEvent event(wxEVT_MENU, cmd::QuoteUpdate);
        event.SetClientData(price);
        event.SetInt(static_cast<int>(mask));
        board->ProcessWindowEvent(event);
    }

    void Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        board->ProcessWindowEvent(event);
    }

    Instrument* alpha = nullptr;
    Instrument* beta = nullptr;
    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
    int chimes = 0;

private:
    alert_sound::Player m_previousPlayer;
};

TEST_F(AlertBoard, QualifyingUpdateQueuesThePopupOverTheOwnerFrame)
{
    Arm(alpha, AlertField::Last, AlertComparison::AtMost, 10.0);
    Quote(alpha, 10.0);
    EXPECT_EQ(nullptr, board->AlertState().PopupOf(alpha)) << "shown from the queue, not inside the update";
    Flush();
    AlertDialog* popup = board->AlertState().PopupOf(alpha);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(frame, popup->GetParent());
    EXPECT_EQ("Last(10.00) <= 10.00", popup->GetConditionText());
    EXPECT_EQ(1, chimes);

    Quote(alpha, 9.5);
    Flush();
    EXPECT_EQ(popup, board->AlertState().PopupOf(alpha));
    EXPECT_EQ("Last(9.50) <= 10.00", popup->GetConditionText());
    EXPECT_EQ(2, chimes);
}

TEST_F(AlertBoard, UpdatesThatDoNotQualifyShowNothing)
{
    Arm(alpha, AlertField::Last, AlertComparison::AtMost, 10.0);
    Quote(alpha, 10.01);
    Quote(alpha, 9.5, ToCode(AlertField::Buy));  // past the threshold, but only the bid changed
    Quote(beta, 1.0);                             // no alert on this one
    Flush();
    EXPECT_TRUE(board->AlertState().Popups().empty());
    EXPECT_EQ(0, chimes);
}

TEST_F(AlertBoard, EditAlertOpensTheSetupForTheSelectedRow)
{
    Command(cmd::AlertSetup);
    EXPECT_EQ(nullptr, board->AlertState().OpenSetupDialog()) << "no row selected";

    grid->SelectRow(1);
    Command(cmd::AlertSetup);
    PriceAlertSetup* setup = board->AlertState().OpenSetupDialog();
    ASSERT_NE(nullptr, setup);
    EXPECT_EQ(beta, setup->GetInstrument());
    EXPECT_EQ(frame, setup->GetParent());
    EXPECT_FALSE(frame->IsEnabled());

    setup->GetFieldCombo()->SetSelection(2);
    setup->GetValueText()->SetValue("4.5");  // the text event re-checks Activate
    ASSERT_TRUE(wxDynamicCast(setup->FindWindow(wxID_OK), wxButtonEx)->Click());
    EXPECT_TRUE(frame->IsEnabled());
    ASSERT_EQ(1u, board->Alerts().count(beta));
    EXPECT_DOUBLE_EQ(4.5, board->Alerts()[beta]->threshold);
}

TEST_F(AlertBoard, AlertListLocksTheOwnerFrameUntilClosed)
{
    Arm(alpha, AlertField::Last, AlertComparison::AtMost, 10.0);
    Command(cmd::AlertList);
    AlertManager* manager = board->AlertState().OpenAlertManager();
    ASSERT_NE(nullptr, manager);
    EXPECT_FALSE(frame->IsEnabled());
    EXPECT_EQ(1u, manager->GetModel()->GetCount());
    manager->Close();
    EXPECT_TRUE(frame->IsEnabled());
    EXPECT_EQ(1u, board->Alerts().size());
}

TEST_F(AlertBoard, ClosedBoardTakesItsPopupAlong)
{
    Arm(alpha, AlertField::Last, AlertComparison::AtMost, 10.0);
    Quote(alpha, 9.0);
    Flush();
    wxWeakRef<AlertDialog> popup(board->AlertState().PopupOf(alpha));
    ASSERT_TRUE(popup);
    application.CloseWindow(container, true);
    Flush();
    EXPECT_FALSE(popup) << "its Disable would reach a board that no longer exists";
    EXPECT_TRUE(frame->IsEnabled());
}

TEST_F(AlertBoard, AlertsAreWrittenBackWithTheirCodes)
{
    Arm(alpha, AlertField::SellVol, AlertComparison::AtLeast, 21475.5);
    board->Alerts()[beta] = std::make_unique<PriceAlert>(PriceAlert{beta, 0x8000, 9, -1.25, "odd codes"});
    layout::Tree node;
    node.put("alerts.alert.<xmlattr>.code", "STALE");
    layout::SaveAlerts(*board, node);

    std::vector<layout::Tree> written;
    for (const auto& [key, child] : node.get_child("alerts"))
        if (key == "alert")
            written.push_back(child);
    ASSERT_EQ(2u, written.size()) << "the old contents are replaced";
    // Map order is address order; find each by code.
    const layout::Tree& a = written[0].get<std::string>("<xmlattr>.code") == "ALPHA" ? written[0] : written[1];
    const layout::Tree& b = &a == &written[0] ? written[1] : written[0];
    EXPECT_EQ("XTSE", a.get<std::string>("<xmlattr>.exchange"));
    EXPECT_EQ(128, a.get<int>("<xmlattr>.type"));
    EXPECT_EQ(2, a.get<int>("<xmlattr>.condition"));
    EXPECT_DOUBLE_EQ(21475.5, a.get<double>("<xmlattr>.value"));
    EXPECT_EQ("watch", a.get<std::string>("<xmlattr>.remark"));
    EXPECT_EQ("BETA", b.get<std::string>("<xmlattr>.code"));
    EXPECT_EQ(0x8000, b.get<int>("<xmlattr>.type")) << "codes outside the tables are kept as they were";
    EXPECT_EQ(9, b.get<int>("<xmlattr>.condition"));
    EXPECT_DOUBLE_EQ(-1.25, b.get<double>("<xmlattr>.value"));
}

}  // namespace
