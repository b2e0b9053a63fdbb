// Instruments handed over by other widgets (link event 7037, int 2).

#include <string>
#include <vector>

#include <wx/grid.h>

#include "SaveTestFixture.h"
#include "plugin/CommandIds.h"

namespace {

using layout::InstrumentRef;
using testing_support::SaveFixture;

class LinkReceive : public SaveFixture
{
protected:
    void SetUp() override
    {
        SaveFixture::SetUp();
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

TEST_F(LinkReceive, AStoredWatchlistTabTakesTheInstrumentOnce)
{
    wxGridEx* grid = board->GetCurrentGrid();
    Send(tke);
    EXPECT_EQ((std::vector<Instrument*>{cdg, tke}), InstrumentsShown(grid));
    EXPECT_EQ(2, grid->GetNumberRows());
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}}), Stored("Core"));

    const std::string before = StoreBytes();
    const ino_t identity = FileIdentity(host.applicationFilePath);
    Send(tke);
    EXPECT_EQ(before, StoreBytes());
    EXPECT_EQ(identity, FileIdentity(host.applicationFilePath));
    EXPECT_EQ(2, grid->GetNumberRows()) << "no second row for the same instrument";
    EXPECT_TRUE(log.str().empty()) << log.str();
}

TEST_F(LinkReceive, OnlyOtherWidgetsWithBothSettingsOnAddAnything)
{
    Send(tke, link_kind::FromCellClick);
    Send(tke, link_kind::ForNewWindow);
    board->Settings().autoAddInstrument = false;
    Send(tke);
    board->Settings().autoAddInstrument = true;
    board->Settings().controlledByInstruments = false;
    Send(tke);
    EXPECT_EQ(1, board->GetCurrentGrid()->GetNumberRows());
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}}), Stored("Core"));
}

TEST_F(LinkReceive, OtherTabsSelectTheInstrumentsRow)
{
    board->GetNotebook()->SetSelection(1);
    wxGridEx* grid = board->GetCurrentGrid();
    ASSERT_EQ(4, grid->GetNumberRows());
    grid->SelectRow(0);
    const std::string before = StoreBytes();
    Send(cdg);
    EXPECT_EQ((wxArrayInt{1, 2}), grid->GetSelectedRows());
    EXPECT_EQ(4, grid->GetNumberRows());
    EXPECT_EQ(before, StoreBytes());

    Send(tke);  // not on this tab
    EXPECT_EQ((wxArrayInt{1, 2}), grid->GetSelectedRows());
}

TEST_F(LinkReceive, StoreErrorsAreLoggedAndTheStoreKept)
{
    WriteFile(host.applicationFilePath, "<application>");
    Send(tke);
    EXPECT_EQ("<application>", StoreBytes());
    EXPECT_EQ(0u, log.str().find("[Tickerdeck] write watchlist config error:")) << log.str();
    EXPECT_EQ(2, board->GetCurrentGrid()->GetNumberRows()) << "the tab still shows it";
}

}  // namespace
