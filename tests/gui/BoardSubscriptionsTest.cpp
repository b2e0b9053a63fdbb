// Which quotes a board asks the host for, when it lets them go, and how the
// history date switches every grid to another day's quotes.

#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/button.h>

#include "BoardFixture.h"
#include "plugin/CommandIds.h"
#include "watchlist/FilterSet.h"

namespace {

using testing_support::BoardFixture;
using testing_support::FakeHost;
using testing_support::Flush;
using testing_support::SubscriptionCall;

/// Hides every quote whose instrument code is in `hidden`.
class HideCodes : public FilterSet
{
public:
    explicit HideCodes(std::set<std::string> codes) : hidden(std::move(codes)) {}
    bool Accepts(const Price& price) const override { return !hidden.count(price.instrument->code); }
    std::set<std::string> hidden;
};

class BoardSubscriptions : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        x = host.AddInstrument("XXX");
        y = host.AddInstrument("YYY");
        z = host.AddInstrument("ZZZ");
    }

    void PostHistoryDate(Tickerdeck* board, const wxString& text)
    {
        wxCommandEvent event(wxEVT_MENU, cmd::HistoryDate);
        event.SetString(text);
        wxPostEvent(board, event);
        Flush();
    }

    SubscriptionCall Call(Tickerdeck* board, Instrument* instrument, const std::string& date)
    {
        return {board, instrument, date};
    }

    Instrument* x = nullptr;
    Instrument* y = nullptr;
    Instrument* z = nullptr;
};

TEST_F(BoardSubscriptions, BatchDeliveryRecordsEveryCallWithoutTellingTheGrid)
{
    Tickerdeck* board = CreateBoard();
    wxGridEx* grid = board->CreateTabGrid();
    board->SubscribeRow(x, grid, Tickerdeck::Delivery::Batch);
    board->SubscribeRow(x, grid, Tickerdeck::Delivery::Batch);

    EXPECT_EQ(2u, Tickerdeck::TableOf(grid)->Members().size());
    EXPECT_EQ(0, grid->GetNumberRows()) << "the caller notifies the grid";
    const auto& holders = board->GetSubscriptions().at(host.PriceOf(x));
    EXPECT_EQ((std::vector<wxGridEx*>{grid, grid}), holders);
    EXPECT_EQ((std::vector<SubscriptionCall>{Call(board, x, ""), Call(board, x, "")}), host.subscribes);
}

TEST_F(BoardSubscriptions, InteractiveDeliveryAddsEachQuoteOnce)
{
    Tickerdeck* board = CreateBoard();
    wxGridEx* grid = board->CreateTabGrid();
    host.reply = FakeHost::Reply::Later;
    board->SubscribeRow(x, grid, Tickerdeck::Delivery::Interactive);
    board->SubscribeRow(x, grid, Tickerdeck::Delivery::Interactive);
    EXPECT_EQ(0, grid->GetNumberRows());

    host.DeliverPending();
    EXPECT_EQ(1u, Tickerdeck::TableOf(grid)->Members().size());
    EXPECT_EQ(1, grid->GetNumberRows());
    EXPECT_EQ(std::vector<wxGridEx*>{grid}, board->GetSubscriptions().at(host.PriceOf(x)));
}

TEST_F(BoardSubscriptions, HistoryDateResubscribesEveryGridWithTheNewDate)
{
    Tickerdeck* board = CreateBoard();
    wxGridEx* first = AddTab(board, {x, y}, "First");
    wxGridEx* second = AddTab(board, {y, z}, "Second");
    host.ClearCalls();

    PostHistoryDate(board, "20240105");

    EXPECT_EQ((std::vector<SubscriptionCall>{Call(board, x, ""), Call(board, y, ""), Call(board, z, "")}),
              host.unsubscribes)
        << "each quote is let go once, when its last grid drops it";
    EXPECT_EQ((std::vector<SubscriptionCall>{Call(board, x, "20240105"), Call(board, y, "20240105"),
                                             Call(board, y, "20240105"), Call(board, z, "20240105")}),
              host.subscribes);
    EXPECT_EQ(wxDateTime(5, wxDateTime::Jan, 2024), board->GetHistoryDate());
    EXPECT_EQ("20240105", board->GetDateText());

    EXPECT_EQ(2, first->GetNumberRows());
    EXPECT_EQ(2, second->GetNumberRows());
    EXPECT_EQ(host.PriceOf(x, "20240105"), Tickerdeck::TableOf(first)->RowPrice(0));
    EXPECT_EQ(host.PriceOf(z, "20240105"), Tickerdeck::TableOf(second)->RowPrice(1));
    EXPECT_EQ(2u, board->GetSubscriptions().at(host.PriceOf(y, "20240105")).size());
    EXPECT_EQ(0u, board->GetSubscriptions().count(host.PriceOf(y)));

    host.ClearCalls();
    PostHistoryDate(board, "20240108");
    EXPECT_EQ((std::vector<SubscriptionCall>{Call(board, x, "20240105"), Call(board, y, "20240105"),
                                             Call(board, z, "20240105")}),
              host.unsubscribes);
}

TEST_F(BoardSubscriptions, SameDateAgainChangesNothing)
{
    Tickerdeck* board = CreateBoard();
    AddTab(board, {x}, "First");
    PostHistoryDate(board, "20240105");
    host.ClearCalls();
    PostHistoryDate(board, "20240105");
    EXPECT_TRUE(host.subscribes.empty());
    EXPECT_TRUE(host.unsubscribes.empty());
}

TEST_F(BoardSubscriptions, UnparsableDateReturnsToLiveQuotes)
{
    Tickerdeck* board = CreateBoard();
    AddTab(board, {x}, "First");
    PostHistoryDate(board, "20240105");
    host.ClearCalls();

    PostHistoryDate(board, "20240105 later");
    EXPECT_FALSE(board->GetHistoryDate().IsValid());
    EXPECT_EQ(std::vector<SubscriptionCall>{Call(board, x, "20240105")}, host.unsubscribes);
    EXPECT_EQ(std::vector<SubscriptionCall>{Call(board, x, "")}, host.subscribes);
}

TEST_F(BoardSubscriptions, TodayInTheDatePickerMeansLiveQuotes)
{
    Tickerdeck* board = CreateBoard(window_flag::OwnFrame);
    AddTab(board, {x}, "First");
    PostHistoryDate(board, "20240105");
    host.ClearCalls();

    wxDatePickerCtrl* picker = board->GetDatePicker();
    ASSERT_NE(nullptr, picker);
    wxDateEvent picked(picker, wxDateTime::Today(), wxEVT_DATE_CHANGED);
    picker->GetEventHandler()->ProcessEvent(picked);

    EXPECT_EQ("", board->GetDateText());
    EXPECT_EQ(std::vector<SubscriptionCall>{Call(board, x, "20240105")}, host.unsubscribes);
    EXPECT_EQ(std::vector<SubscriptionCall>{Call(board, x, "")}, host.subscribes);
}

TEST_F(BoardSubscriptions, HistoryReloadKeepsRowsAFilterHides)
{
    Tickerdeck* board = CreateBoard();
    wxGridEx* grid = AddTab(board, {x, y}, "First");
    HideCodes filter({"YYY"});
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    table->SetFilter(&filter);
    table->RebuildRowsFromMembers();
    Tickerdeck::SyncRowCount(grid);
    ASSERT_EQ(1, grid->GetNumberRows());
    host.ClearCalls();

    PostHistoryDate(board, "20240105");
    EXPECT_EQ((std::vector<SubscriptionCall>{Call(board, x, ""), Call(board, y, "")}), host.unsubscribes);
    EXPECT_EQ((std::vector<SubscriptionCall>{Call(board, x, "20240105"), Call(board, y, "20240105")}),
              host.subscribes);
    EXPECT_EQ(2u, table->Members().size());
    table->SetFilter(nullptr);
}

TEST_F(BoardSubscriptions, ClosingUnsubscribesEachQuoteOnceWithTheDateInForce)
{
    Tickerdeck* board = CreateBoard();
    AddTab(board, {x, y}, "First");
    AddTab(board, {y}, "Second");
    PostHistoryDate(board, "20240105");
    host.ClearCalls();

    application.CloseWindow(container, true);
    Flush();

    const std::vector<SubscriptionCall>& calls = host.unsubscribes;
    EXPECT_EQ(2u, calls.size());
    EXPECT_EQ(1, std::count(calls.begin(), calls.end(), Call(board, x, "20240105")));
    EXPECT_EQ(1, std::count(calls.begin(), calls.end(), Call(board, y, "20240105")));
}

TEST_F(BoardSubscriptions, ClosingReleasesRowsAFilterHides)
{
    Tickerdeck* board = CreateBoard();
    wxGridEx* grid = AddTab(board, {x, y}, "First");
    HideCodes filter({"XXX"});
    Tickerdeck::TableOf(grid)->SetFilter(&filter);
    Tickerdeck::TableOf(grid)->RebuildRowsFromMembers();
    Tickerdeck::SyncRowCount(grid);
    host.ClearCalls();

    application.CloseWindow(container, true);
    Flush();
    EXPECT_EQ(2u, host.unsubscribes.size());
    EXPECT_EQ(1, std::count(host.unsubscribes.begin(), host.unsubscribes.end(), Call(board, x, "")));
}

TEST_F(BoardSubscriptions, DestroyingAChildWindowUnsubscribesNothing)
{
    Tickerdeck* board = CreateBoard();
    AddTab(board, {x, y}, "First");
    host.ClearCalls();

    auto* child = new wxButton(board, wxID_ANY, "child");
    child->Destroy();
    Flush();
    EXPECT_TRUE(host.unsubscribes.empty());
    EXPECT_EQ(2u, board->GetSubscriptions().size());
}

}  // namespace
