// Instruments handed over by other widgets (link event 7037, int 2).

#include <string>
#include <vector>

#include "contract/CommandIds.h"
#include "support/BoardFixture.h"

namespace {

using layout::InstrumentRef;
using testing_support::BoardFixture;

class LinkReceive : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/></watchlist>)");
        board = LoadNode(R"(<setting><controls control_by_instrument="true"/><general autoinstrument="true"/></setting>
            <watchlists><watchlist name="Core" type="1"/><watchlist name="All" type="7" exchange="AMX" current="false"/>
            </watchlists>)");
    }

    void Send(Instrument* instrument, int kind = link_kind::FromOtherWidget)
    {
        wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
        event.SetInt(kind);
        event.SetClientData(instrument);
        board->GetEventHandler()->ProcessEvent(event);
    }

    Tickerdeck* board = nullptr;
};

TEST_F(LinkReceive, AStoredWatchlistTabTakesTheInstrumentOnceLeavingACallersGridBatchOpen)
{
    wxGridEx* grid = board->GetCurrentGrid();
    grid->BeginBatch();
    Send(tke);
    EXPECT_EQ(1, grid->GetBatchCount());
    grid->EndBatch();
    EXPECT_EQ((std::vector<Instrument*>{cdg, tke}), InstrumentsShown(grid));
    EXPECT_EQ(2, grid->GetNumberRows());
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}}), Stored("Core"));

    const std::string before = StoreBytes();
    const ino_t identity = StoreIdentity();
    Send(tke);
    EXPECT_EQ(before, StoreBytes());
    EXPECT_EQ(identity, StoreIdentity());
    EXPECT_EQ(2, grid->GetNumberRows()) << "no second row for the same instrument";
    EXPECT_TRUE(log.str().empty()) << log.str();

    // The tab holds what it stored: saving leaves another program's addition.
    WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="KTX" code="TKE"/>)"
               R"(<instrument exchange="KTX" code="KSM"/></watchlist>)");
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}, {"KTX", "KSM"}}), Stored("Core"));
}

TEST_F(LinkReceive, StoreErrorsAreLoggedAndTheStoreKept)
{
    testing_support::WriteBytes(host.applicationFilePath, "<application>");
    Send(tke);
    EXPECT_EQ("<application>", StoreBytes());
    EXPECT_EQ(0u, log.str().find("[Tickerdeck] write watchlist config error:")) << log.str();
    EXPECT_EQ(1, board->GetCurrentGrid()->GetNumberRows()) << "a failed write leaves the tab as it was";
}

}  // namespace
