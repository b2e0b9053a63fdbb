// Which quotes a board asks the host for, when it lets them go, and how the
// history date switches every grid to another day's quotes.

#include <wx/datectrl.h>

#include "support/BoardFixture.h"

namespace {

using namespace testing_support;
using Calls = std::vector<SubscriptionCall>;

class BoardSubscriptions : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        board = CreateBoard(window_flag::OwnFrame);
    }

    SubscriptionCall Call(Instrument* instrument, const std::string& date) { return {board, instrument, date}; }
};

TEST_F(BoardSubscriptions, BatchDeliveryKeepsEveryListedRowAndInteractiveAddsEachQuoteOnceInItsSortedPlace)
{
    wxGridEx* batch = board->Tabs().CreateGrid();
    board->Rows().SubscribeRow(arpi, batch, BoardRows::Delivery::Batch);
    board->Rows().SubscribeRow(arpi, batch, BoardRows::Delivery::Batch);
    EXPECT_EQ(2u, Tickerdeck::TableOf(batch)->Members().List().size());
    EXPECT_EQ(2, batch->GetNumberRows()) << "a quote listed twice shows twice";
    const auto& grids = board->Rows().GetSubscriptions().at(host.PriceOf(arpi)).grids;
    EXPECT_EQ((std::vector<wxGridEx*>{batch, batch}), std::vector<wxGridEx*>(grids.begin(), grids.end()));
    EXPECT_EQ((Calls{Call(arpi, ""), Call(arpi, "")}), host.subscribes);

    SetLasts({{arpi, 1.0}, {bdi, 2.0}, {cdg, 3.0}});
    wxGridEx* interactive = AddTab(board, {arpi, cdg}, "Sorted");
    interactive->SetSortingColumn(column::Last, true);
    interactive->SelectRow(1);
    host.reply = FakeHost::Reply::Later;
    board->Rows().SubscribeRow(bdi, interactive, BoardRows::Delivery::Interactive);
    board->Rows().SubscribeRow(bdi, interactive, BoardRows::Delivery::Interactive);
    EXPECT_EQ(2, interactive->GetNumberRows()) << "no row before the answer";
    host.DeliverPending();
    EXPECT_EQ(3u, Tickerdeck::TableOf(interactive)->Members().List().size());
    EXPECT_EQ(3, interactive->GetNumberRows());
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), InstrumentsShown(interactive));
    EXPECT_EQ((std::vector<int>{2}), SelectedRows(interactive)) << "kept on its row";
}

TEST_F(BoardSubscriptions, HistoryDateResubscribesEveryGridWithTheNewDate)
{
    board->Rows().SetTodayClock([] { return wxDateTime(6, wxDateTime::Dec, 2026); });
    wxGridEx* first = AddTab(board, {arpi, bdi}, "First");
    wxGridEx* second = AddTab(board, {bdi, cdg}, "Second");
    host.ClearCalls();

    PostCommand(board, cmd::HistoryDate, "20240105");
    EXPECT_EQ((Calls{Call(arpi, ""), Call(bdi, ""), Call(cdg, "")}), host.unsubscribes)
        << "each quote is let go once, when its last grid drops it";
    EXPECT_EQ((Calls{Call(arpi, "20240105"), Call(bdi, "20240105"), Call(bdi, "20240105"), Call(cdg, "20240105")}),
              host.subscribes);
    const auto pickedDay = [this] { return board->Toolbar().DatePicker()->GetValue().FormatISODate().ToStdString(); };
    EXPECT_EQ("2024-01-05", pickedDay()) << "the picker shows that day";
    EXPECT_EQ(host.PriceOf(arpi, "20240105"), Tickerdeck::TableOf(first)->RowPrice(0));
    EXPECT_EQ(host.PriceOf(cdg, "20240105"), Tickerdeck::TableOf(second)->RowPrice(1));
    EXPECT_EQ(2u, board->Rows().GetSubscriptions().at(host.PriceOf(bdi, "20240105")).grids.size());
    EXPECT_EQ(0u, board->Rows().GetSubscriptions().count(host.PriceOf(bdi)));

    host.ClearCalls();
    PostCommand(board, cmd::HistoryDate, "20240105 later");
    EXPECT_FALSE(board->Rows().GetHistoryDate().IsValid()) << "an unparsable date returns to live quotes";
    EXPECT_EQ("2026-12-06", pickedDay()) << "live shows the board's today";
    EXPECT_EQ((Calls{Call(arpi, ""), Call(bdi, ""), Call(bdi, ""), Call(cdg, "")}), host.subscribes);
}

TEST_F(BoardSubscriptions, ADateChangeKeepsTheFilterAndTheSortAndShowsLateAnswers)
{
    wxGridEx* grid = AddTab(board, {arpi, bdi, cdg}, "First");
    HideCode(board, grid, "BDI");
    grid->SetSortingColumn(column::Last, false);
    for (const char* date : {"20240105", "20240104"})
    {
        host.PriceOf(arpi, date)->last = 1.0;
        host.PriceOf(bdi, date)->last = 3.0;
        host.PriceOf(cdg, date)->last = 2.0;
    }

    PostCommand(board, cmd::HistoryDate, "20240105");
    EXPECT_EQ((std::vector<Instrument*>{cdg, arpi}), InstrumentsShown(grid));
    EXPECT_EQ(column::Last, grid->GetSortingColumn());

    host.reply = FakeHost::Reply::Later;
    PostCommand(board, cmd::HistoryDate, "20240104");
    host.DeliverPending();
    EXPECT_EQ((std::vector<Instrument*>{cdg, arpi}), InstrumentsShown(grid)) << "answers after the reload";
    EXPECT_EQ(2, grid->GetNumberRows());
}

TEST_F(BoardSubscriptions, ForgottenRequestsAreLetGoOnceAndOnlyWhenNoOtherTabWaitsForOrShowsTheQuote)
{
    wxGridEx* shown = AddTab(board, {cdg}, "Shown");
    host.reply = FakeHost::Reply::Later;
    wxGridEx* waiting = board->Tabs().CreateGrid();
    board->Rows().SubscribeRow(bdi, waiting, BoardRows::Delivery::Batch);
    wxGridEx* grid = board->Tabs().CreateGrid();
    for (Instrument* instrument : {arpi, bdi, arpi, cdg})
        board->Rows().SubscribeRow(instrument, grid, BoardRows::Delivery::Batch);
    host.ClearCalls();
    EXPECT_EQ((std::vector<Instrument*>{arpi, arpi, cdg}),
              board->Rows().ForgetPendingRows(grid, [this](const Instrument* which) { return which != bdi; }));
    EXPECT_EQ((Calls{Call(arpi, "")}), host.unsubscribes) << "bdi is still asked for; cdg shows elsewhere";
    EXPECT_EQ((std::vector<Instrument*>{bdi}), board->Rows().ForgetPendingRows(grid));
    EXPECT_EQ((Calls{Call(arpi, "")}), host.unsubscribes) << "the other tab still waits for bdi";
    EXPECT_EQ((std::vector<Instrument*>{bdi}), board->Rows().ForgetPendingRows(waiting));
    EXPECT_EQ((Calls{Call(arpi, ""), Call(bdi, "")}), host.unsubscribes);
    EXPECT_EQ(1, shown->GetNumberRows());
}

}  // namespace
