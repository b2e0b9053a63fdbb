// How a board is wired to the host and its neighbours: the factory puts boards
// into the host's containers, link events travel between boards by group,
// target and sender, a cell click sends the row's instrument and a received
// one joins a stored watchlist, and commands and grid events reach the feature
// that claimed them first.

#include <algorithm>

#include <wx/sizer.h>

#include "board/BoardFeature.h"
#include "board/LinkSender.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

using BoardWiring = BoardFixture;

// Through its slot the host creates boards in the terminal tests; here is
// how a board takes its container, and the frame when it owns one.
TEST_F(BoardWiring, ABoardFillsItsContainerAndLimitsItOrItsOwnFrameToTheSizesItAnswers)
{
    Tickerdeck* board = CreateBoard(0, 7);
    EXPECT_EQ(board, application.FindPanel(container));
    wxSizerItem* item = container->GetSizer() ? container->GetSizer()->GetItem(board) : nullptr;
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(1, item->GetProportion());
    EXPECT_TRUE(item->GetFlag() & wxEXPAND);
    EXPECT_EQ(application.GetMinSize(), container->GetMinSize());
    EXPECT_EQ(application.GetMaxSize(), container->GetMaxSize());
    EXPECT_EQ(wxDefaultSize, frame->GetMinSize()) << "the frame is not ours without the own-frame flag";

    CreateBoard(window_flag::OwnFrame);
    EXPECT_EQ(application.GetMinSize(), frame->GetMinSize());
    EXPECT_EQ(application.GetMaxSize(), frame->GetMaxSize());
}

/// Boards in several containers, each recording the link events it handles.
class LinkRouting : public BoardFixture
{
protected:
    Tickerdeck* AddBoard(uint64_t group)
    {
        auto* board = static_cast<Tickerdeck*>(application.CreateWindow(group, new wxPanel(frame), nullptr, nullptr, 0));
        board->Bind(wxEVT_MENU, [this, board](wxCommandEvent& event) {
            received.push_back(board);
            event.Skip();
        }, cmd::InstrumentLink);
        return board;
    }

    std::vector<Tickerdeck*> received;
};

TEST_F(LinkRouting, GroupAndTargetChooseTheReceiversAndTheSenderIsAlwaysSkipped)
{
    // Boards 0..2 in group 1, board 3 in group 2.
    const std::vector<Tickerdeck*> boards = {AddBoard(1), AddBoard(1), AddBoard(1), AddBoard(2)};
    const struct
    {
        const char* name;
        int sender;  // -1: none
        uint64_t group;
        int target;  // -1: none
        std::vector<int> receivers;
    } cases[] = {
        {"group without target", 1, 1, -1, {0, 2}},
        {"target in the group", -1, 1, 1, {1}},
        {"target outside the group", -1, 1, 3, {}},
        {"sender as the target", 0, 1, 0, {}},
        {"group zero ignores the target", 3, 0, 0, {0, 1, 2}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        received.clear();
        wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
        event.SetClientObject(SenderTag(c.sender < 0 ? nullptr : boards[c.sender]));
        application.Dispatch(event, c.group, c.target < 0 ? nullptr : boards[c.target]);
        EXPECT_TRUE(received.empty()) << "delivered from the event loop, not inside Dispatch";
        Flush();
        std::vector<Tickerdeck*> expected;
        for (int index : c.receivers)
            expected.push_back(boards[index]);
        std::sort(expected.begin(), expected.end());
        std::sort(received.begin(), received.end());
        EXPECT_EQ(expected, received);
    }
}

TEST_F(BoardWiring, ClickBroadcastsTheRowInstrumentOnlyWhenAllowed)
{
    Tickerdeck* board = CreateBoard(0, 9);
    wxGridEx* grid = AddTab(board, {arpi, bdi}, "Stocks");
    board->Settings().controlsOthers = false;
    SendGridEvent(grid, wxEVT_GRID_CELL_LEFT_CLICK, 1, column::Code);
    EXPECT_TRUE(host.posts.empty()) << "controlsOthers is off";

    board->Settings().controlsOthers = true;
    SendGridEvent(grid, wxEVT_GRID_CELL_LEFT_CLICK, 5, column::Code);
    EXPECT_TRUE(host.posts.empty()) << "no row 5";
    SendGridEvent(grid, wxEVT_GRID_CELL_LEFT_CLICK, 1, column::Code);
    ASSERT_EQ(1u, host.posts.size());
    const auto& post = host.posts[0];
    EXPECT_EQ(cmd::InstrumentLink, post.id);
    EXPECT_EQ(bdi, post.clientData);
    EXPECT_EQ(SenderTag(board), post.clientObject);
    EXPECT_EQ(link_kind::FromCellClick, post.intValue);
    EXPECT_EQ(&application, post.source);
    EXPECT_EQ(9u, post.group);
    EXPECT_EQ(nullptr, post.target);
}

using layout::InstrumentRef;

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
};

TEST_F(LinkReceive, AStoredWatchlistTabTakesTheInstrumentOnceLeavingACallersGridBatchOpenAndAFailedWriteAddsNothing)
{
    wxGridEx* grid = board->Tabs().CurrentGrid();
    Send(tke, link_kind::FromCellClick);
    EXPECT_EQ(1, grid->GetNumberRows()) << "a cell clicked on another board adds nothing";
    grid->BeginBatch();
    Send(tke);
    EXPECT_EQ(1, grid->GetBatchCount());
    grid->EndBatch();
    EXPECT_EQ((std::vector<Instrument*>{cdg, tke}), InstrumentsShown(grid));
    EXPECT_EQ(2, grid->GetNumberRows());
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "CDG"}, {"KTX", "TKE"}}), Stored("Core"));

    const std::string before = StoreBytes();
    Send(tke);
    EXPECT_EQ(before, StoreBytes());
    EXPECT_EQ(2, grid->GetNumberRows()) << "no second row for the same instrument";

    log.str("");
    WriteBytes(host.applicationFilePath, "<application>");
    Send(ksm);
    EXPECT_EQ("<application>", StoreBytes());
    EXPECT_FALSE(log.str().empty()) << "the failed write is logged";
    EXPECT_EQ(2, grid->GetNumberRows()) << "a failed write leaves the tab as it was";
}

/// Records the commands and key presses of what it claims.
class RecordingFeature : public BoardFeature
{
public:
    RecordingFeature(std::vector<int> commands, std::vector<BoardEventKind> kinds)
        : m_commands(std::move(commands)), m_kinds(std::move(kinds))
    {
    }
    std::vector<int> Commands() const override { return m_commands; }
    std::vector<BoardEventKind> EventKinds() const override { return m_kinds; }
    void OnCommand(Tickerdeck& /*board*/, wxCommandEvent& event) override { commands.push_back(event.GetId()); }
    void OnGridKey(Tickerdeck& /*board*/, wxKeyEvent& event) override { keys.push_back(event.GetKeyCode()); }

    std::vector<int> commands;
    std::vector<int> keys;

private:
    std::vector<int> m_commands;
    std::vector<BoardEventKind> m_kinds;
};

class BoardFeatures : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        // Without the shipped features, whose claims would come first.
        board = new Tickerdeck(&application, 1, container, nullptr, nullptr, 0, {});
        grid = AddTab(board, {arpi}, "Core");
        // A command the board lets go travels on up to its container; its
        // notices for the user are meant to (this board has no layout file).
        container->Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
            if (event.GetId() != cmd::UserNotice)
                escaped.push_back(event.GetId());
        });
    }

    RecordingFeature* Install(std::vector<int> commands, std::vector<BoardEventKind> kinds)
    {
        auto feature = std::make_unique<RecordingFeature>(std::move(commands), std::move(kinds));
        RecordingFeature* installed = feature.get();
        board->Features().AddFeature(std::move(feature));
        return installed;
    }

    void PressKey(int code) { SendKey(grid->GetGridWindow(), wxEVT_KEY_DOWN, code); }

    std::vector<int> escaped;
};

TEST_F(BoardFeatures, EachCommandAndEventReachesItsFirstClaimantOnlyOnce)
{
    RecordingFeature* first = Install({cmd::ExportExcel, cmd::PrintPreview}, {BoardEventKind::GridKeyDown});
    RecordingFeature* second = Install({cmd::ExportExcel, cmd::Settings}, {BoardEventKind::GridKeyDown});
    for (int id : {cmd::ExportExcel, cmd::PrintPreview, cmd::Settings, cmd::EditFilter})
        PostCommand(board, id);
    PressKey('K');

    // Settings, a toolbar command, is listed twice in the board's table.
    EXPECT_EQ((std::vector<int>{cmd::ExportExcel, cmd::PrintPreview}), first->commands);
    EXPECT_EQ(std::vector<int>{cmd::Settings}, second->commands);
    EXPECT_EQ(std::vector<int>{'K'}, first->keys);
    EXPECT_TRUE(second->keys.empty());
    EXPECT_TRUE(escaped.empty()) << "claimed or not, the board's commands end at the board";
}

}  // namespace
