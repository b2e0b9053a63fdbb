// The cell, grid-area and column menus: what they offer for each kind of tab
// and selection, and what their dynamic items do.

#include <algorithm>

#include <wx/toolbar.h>

#include "commands/GridMenus.h"
#include "commands/RowCommands.h"
#include "kit/BoardNotice.h"
#include "model/SortHold.h"
#include "store/WatchlistStoreService.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

class GridMenusTest : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="ARPI"/><instrument exchange="AMX" code="BDI"/>)"
                   R"(<instrument exchange="AMX" code="CDG"/></watchlist><watchlist name="Spare"/><watchlist name="R&amp;D"/>)");
        host.profile.permissions = UserProfile::kAllowTrading;
        host.widgetList = {&ladder, nullptr, &tape, &hidden, &fillscope};
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
        grid = board->Tabs().CurrentGrid();
        menus = board->Features().FindFeature<GridMenus>();
        menus->SetPopup([this](Tickerdeck&, wxMenu& menu) { inspect(menu); });
    }

    void RightClick(int row, int col) { SendGridEvent(grid, wxEVT_GRID_CELL_RIGHT_CLICK, row, col); }

    static wxString Label(wxMenu& menu, int id)
    {
        wxMenuItem* item = menu.FindItem(id);
        return item ? item->GetItemLabel() : wxString("<absent>");
    }

    static bool Enabled(wxMenu& menu, int id) { return menu.FindItem(id) && menu.FindItem(id)->IsEnabled(); }

    FakeWidget ladder{"Ladder", "./icon/ladder.png"};
    FakeWidget tape{"Tape", "./icon/tape.png"};
    FakeWidget hidden{"Hidden", "", false};
    FakeWidget fillscope{"Fillscope", "", false};
    GridMenus* menus = nullptr;
    std::function<void(wxMenu&)> inspect = [](wxMenu&) {};
};

TEST_F(GridMenusTest, CellMenuOnAWatchlistTabSettlesTheSelectionAndLeavesOutTheOwnWatchlist)
{
    inspect = [&](wxMenu& menu) {
        for (int id : {cmd::RowCommandFirst, cmd::RowCommandSecond, cmd::EditWatchlist, cmd::DeleteInstrument})
            EXPECT_TRUE(Enabled(menu, id)) << id;
        EXPECT_NE("<absent>", Label(menu, cmd::WatchlistCommand));
        EXPECT_EQ("Bookmark", Label(menu, cmd::ToggleBookmark));
        EXPECT_EQ("<absent>", Label(menu, cmd::ClearBookmarks));
        EXPECT_EQ("<absent>", Label(menu, cmd::OpenCharting)) << "the host has no such widget";
        std::vector<int> views;  // in the order of their keys, F12, F13, F14
        for (const wxMenuItem* item : menu.GetMenuItems())
            if (item->GetId() == cmd::OpenLadder || item->GetId() == cmd::OpenFillscope || item->GetId() == cmd::OpenTape)
                views.push_back(item->GetId());
        EXPECT_EQ((std::vector<int>{cmd::OpenLadder, cmd::OpenFillscope, cmd::OpenTape}), views);
        EXPECT_EQ((std::vector<wxString>{"Spare", "R&D"}), MenuLabels(Submenu(menu, "Move to Watchlist")))
            << "a name's & is no mnemonic";
        EXPECT_EQ((std::vector<wxString>{"Ladder", "-", "Tape"}), MenuLabels(Submenu(menu, "Widget")));
    };
    grid->SelectRow(0);
    // The boards' first reading of the store rebuilds their tab menus.
    board->GetStore()->Refresh();
    const int prepared = host.preparedMenus;
    RightClick(2, column::Last);
    EXPECT_EQ(prepared + 1, host.preparedMenus) << "the menu went to the host, then up";
    ASSERT_EQ(1u, grid->GetSelectedRows().size()) << "a click outside the selection selects that row alone";
    EXPECT_EQ(2, grid->GetSelectedRows()[0]);

    grid->SelectRow(0, true);
    Tickerdeck::TableOf(grid)->Members().Bookmarks().insert(arpi);
    inspect = [&](wxMenu& menu) {
        EXPECT_FALSE(Enabled(menu, cmd::RowCommandFirst)) << "two rows selected";
        EXPECT_EQ("Remove Bookmark", Label(menu, cmd::ToggleBookmark)) << "follows the clicked row";
        EXPECT_NE("<absent>", Label(menu, cmd::ClearBookmarks));
    };
    RightClick(0, column::Name);
    EXPECT_EQ(2u, grid->GetSelectedRows().size()) << "clicking inside a selection keeps it";
}

TEST_F(GridMenusTest, AnExchangeTabOffersAddButNotEditMoveRemoveOrRefresh)
{
    Tickerdeck::TableOf(grid)->Identity().tabType = layout::kExchangeTab;
    host.profile.permissions = 0;
    inspect = [&](wxMenu& menu) {
        for (int id : {cmd::RowCommandFirst, cmd::EditWatchlist, cmd::DeleteInstrument})
            EXPECT_FALSE(Enabled(menu, id)) << id << " (Buy: no trading right)";
        EXPECT_EQ("<absent>", Label(menu, cmd::WatchlistCommand));
        EXPECT_FALSE(Enabled(menu, menu.FindItem("Move to Watchlist")));
        EXPECT_EQ((std::vector<wxString>{"Core", "Spare", "R&D"}), MenuLabels(Submenu(menu, "Add to Watchlist")));
    };
    RightClick(0, column::Name);

    // The host's delete key reaches Remove all the same, which leaves the tab alone.
    bool asked = false;
    board->Features().FindFeature<RowCommands>()->SetConfirmation([&](Tickerdeck&, const wxString&) { return asked = true; });
    grid->SelectRow(0);
    PostCommand(board, cmd::DeleteInstrument);
    EXPECT_FALSE(asked);
}

TEST_F(GridMenusTest, AddToWatchlistItemReachesTheStoreAndMoreOpensTheChooser)
{
    std::vector<wxString> offered;
    menus->SetChooser([&](Tickerdeck&, const wxString&, std::vector<wxString> names,
                          std::function<void(const wxString&)> chosen) {
        offered = names;
        chosen("Other");
    });
    std::string many;
    for (int i = 0; i < GridMenus::kListedWatchlists + 5; ++i)
        many += "<watchlist name=\"W" + std::to_string(i) + "\"/>";
    WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="ARPI"/></watchlist><watchlist name="Other"/>)" +
               many);
    inspect = [&](wxMenu& menu) {
        wxMenu* add = Submenu(menu, "Add to Watchlist");
        ASSERT_EQ(static_cast<size_t>(GridMenus::kListedWatchlists + 1), add->GetMenuItemCount());
        EXPECT_EQ(nullptr, menu.FindItem(GridMenus::kFirstMoveId + GridMenus::kListedWatchlists))
            << "the move range stops before the tab menu's";
        add->SendEvent(add->FindItemByPosition(add->GetMenuItemCount() - 1)->GetId());  // More...
    };
    RightClick(1, column::Name);
    EXPECT_EQ(static_cast<size_t>(GridMenus::kListedWatchlists + 6), offered.size());
    EXPECT_EQ((std::vector<layout::InstrumentRef>{{"AMX", "BDI"}}), Stored("Other"));
}

TEST_F(GridMenusTest, CommandsFromTheCellMenuActOnTheRowsItOpenedOnThoughQuotesMoveThemMeanwhile)
{
    HideInstruments filter;
    Tickerdeck::TableOf(grid)->Filter().Set(&filter);
    grid->SelectRow(0);
    grid->SelectRow(1, true);
    inspect = [&](wxMenu& menu) {
        // While the menu is open ARPI leaves the filtered tab and BDI moves up into its row.
        filter.hidden.insert(arpi);
        PostQuote(board, host.PriceOf(arpi), kLastMask);
        Flush();
        ASSERT_EQ(bdi, Tickerdeck::TableOf(grid)->RowPrice(0)->instrument);
        Submenu(menu, "Add to Watchlist")->SendEvent(GridMenus::kFirstAddId);
        wxCommandEvent bookmark(wxEVT_MENU, cmd::ToggleBookmark);
        board->ProcessWindowEvent(bookmark);
    };
    RightClick(1, column::Name);
    EXPECT_EQ((std::vector<layout::InstrumentRef>{{"AMX", "ARPI"}, {"AMX", "BDI"}}), Stored("Spare"));
    EXPECT_EQ((std::set<Instrument*>{arpi}), Tickerdeck::TableOf(grid)->Members().Bookmarks());
}

TEST_F(GridMenusTest, ASortedTabKeepsItsOrderUnderAMenuAndAMomentAfterAndPauseSortingHoldsIt)
{
    int64_t now = 100000;
    board->Sorting().SetSteadyClock([&now] { return now; });
    SetLasts({{arpi, 3}, {bdi, 2}, {cdg, 1}});
    SortByLast(grid, false);
    ASSERT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), InstrumentsShown(grid));
    wxString firstLine;
    inspect = [&](wxMenu& menu) {
        firstLine = menu.FindItemByPosition(0)->GetItemLabelText();
        QuoteLast(board, cdg, 9);
        EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), InstrumentsShown(grid)) << "rows hold under the menu";
    };
    RightClick(1, column::Name);
    EXPECT_EQ("BDI  " + wxString::FromUTF8(bdi->name), firstLine) << "the menu names what it acts on";
    PostQuote(board, host.PriceOf(cdg), kLastMask);
    Flush();
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), InstrumentsShown(grid)) << "and for a moment after";
    now += SortHold::kAfterClickMs;
    board->Sorting().UpdateSortHold();
    EXPECT_EQ((std::vector<Instrument*>{cdg, arpi, bdi}), InstrumentsShown(grid)) << "then the sort catches up";

    // A dialog that opens long after any click, as an export's notice does.
    auto* notice = new wxDialog(wxGetTopLevelParent(board), wxID_ANY, "Notice");
    notice->Show();
    EXPECT_TRUE(PumpUntil([&] { return Tickerdeck::TableOf(grid)->Order().IsSortHeld(); })) << "the board notices the dialog itself";
    QuoteLast(board, arpi, 10);
    EXPECT_EQ((std::vector<Instrument*>{cdg, arpi, bdi}), InstrumentsShown(grid)) << "rows hold under the dialog";
    notice->Destroy();
    EXPECT_TRUE(PumpUntil([&] { return !Tickerdeck::TableOf(grid)->Order().IsSortHeld(); }));
    EXPECT_EQ((std::vector<Instrument*>{arpi, cdg, bdi}), InstrumentsShown(grid)) << "and catch up once it is gone";

    bool checked = false;
    inspect = [&](wxMenu& menu) { checked = menu.FindItem(cmd::PauseSorting)->IsChecked(); };
    PostCommand(board, cmd::PauseSorting);
    now += 10 * SortHold::kAfterClickMs;
    QuoteLast(board, bdi, 20);
    board->Sorting().UpdateSortHold();
    EXPECT_EQ((std::vector<Instrument*>{arpi, cdg, bdi}), InstrumentsShown(grid)) << "paused until resumed";
    EXPECT_NE(wxString(), board->Looks().TabToolTip(0));
    RightClick(0, column::Name);
    EXPECT_TRUE(checked) << "the grid menu shows the pause";
    PostCommand(board, cmd::PauseSorting);
    now += 10 * SortHold::kAfterClickMs;
    board->Sorting().UpdateSortHold();
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), InstrumentsShown(grid));
}

TEST_F(GridMenusTest, BuyAndSellAreRefusedForAnIndexOrAHaltedInstrumentBeforeAnyTicketOpens)
{
    FakeWidget ticket{"Ticket"};
    host.widgetList.push_back(&ticket);
    bdi->assetId = "index";
    host.PriceOf(cdg)->statusNote = "Halted";
    wxString line;
    bool buy = true;
    bool sell = true;
    wxString help;
    inspect = [&](wxMenu& menu) {
        line = menu.FindItemByPosition(0)->GetItemLabelText();
        buy = menu.FindItem(cmd::RowCommandFirst)->IsEnabled();
        sell = menu.FindItem(cmd::RowCommandSecond)->IsEnabled();
        help = menu.FindItem(cmd::RowCommandFirst)->GetHelp();
    };
    RightClick(1, column::Name);
    EXPECT_FALSE(buy);
    EXPECT_FALSE(sell);
    EXPECT_EQ("BDI is an index: it cannot be traded.", help);
    EXPECT_NE(wxNOT_FOUND, line.Find(help)) << "the reason shows in the menu itself";
    RightClick(0, column::Name);
    EXPECT_TRUE(buy) << "a traded instrument is offered";

    host.hotkeys[{WXK_F2, false}] = 1;
    grid->ClearSelection();
    grid->SelectRow(2);
    SendKey(grid->GetGridWindow(), wxEVT_KEY_DOWN, WXK_F2, wxMOD_NONE);
    EXPECT_TRUE(ticket.dispatched.empty()) << "no ticket that could only refuse at Send";
    EXPECT_EQ("Trading in CDG is halted: no orders can be sent.", board->Toolbar().Notice()->Text());
    EXPECT_TRUE(board->Toolbar().Notice()->IsShown());
}

TEST_F(GridMenusTest, NoticesLieOverTheToolbarAndDraggingAColumnEdgeTurnsAutoFitOffSaying)
{
    frame->SetClientSize(900, 400);
    Flush();
    const wxPoint rowsAt = grid->GetGridWindow()->GetScreenPosition();
    board->Toolbar().Notice()->Set("test", "No quotes since 12:00:05");
    Flush();
    EXPECT_TRUE(board->Toolbar().Notice()->IsShown());
    EXPECT_EQ(rowsAt, grid->GetGridWindow()->GetScreenPosition()) << "a notice never moves the rows";
    const wxRect notice = board->Toolbar().Notice()->GetScreenRect();
    const wxRect bar = board->Toolbar().Bar()->GetScreenRect();
    EXPECT_TRUE(bar.Contains(notice)) << "over the toolbar's free space";
    EXPECT_GT(notice.width, 0);

    ASSERT_TRUE(board->Settings().autoFitColumns);
    // A click on a column edge ends in a size event too, the edge moved to
    // the pointer by a pixel or two.
    const int fitted = grid->GetColSize(column::Name);
    wxMouseEvent press(wxEVT_LEFT_DOWN);
    press.SetEventObject(grid->GetGridColLabelWindow());
    press.m_x = 300;
    wxMouseEvent release(press);
    release.SetEventType(wxEVT_LEFT_UP);
    board->Fitter().OnColumnLabelsPressed(press);
    board->Fitter().OnColumnLabelsReleased(release);
    grid->SetColSize(column::Name, fitted + 2);
    wxGridSizeEvent dragged(grid->GetId(), wxEVT_GRID_COL_SIZE, grid, column::Name);
    grid->ProcessWindowEvent(dragged);
    EXPECT_TRUE(board->Settings().autoFitColumns) << "a click gives no width of the user's";
    EXPECT_EQ(fitted, grid->GetColSize(column::Name));
    board->Fitter().OnColumnLabelsPressed(press);
    release.m_x = 340;
    board->Fitter().OnColumnLabelsReleased(release);
    grid->SetColSize(column::Name, 200);
    grid->ProcessWindowEvent(dragged);
    EXPECT_FALSE(board->Settings().autoFitColumns) << "the drag says the user wants widths of their own";
    EXPECT_NE(wxNOT_FOUND, board->Toolbar().Notice()->Text().Find("Auto Fit"));
    frame->SetClientSize(800, 400);
    Flush();
    EXPECT_EQ(200, grid->GetColSize(column::Name)) << "no fit takes the width back";
}

TEST_F(GridMenusTest, ColumnMenuTogglesColumnsAndTheGridAreaMenuClearsTheSelection)
{
    grid->HideCol(column::Code);
    inspect = [&](wxMenu& menu) {
        EXPECT_FALSE(menu.IsChecked(GridMenus::kFirstColumnId + column::Code));
        EXPECT_TRUE(menu.IsChecked(GridMenus::kFirstColumnId + column::Last));
        menu.SendEvent(GridMenus::kFirstColumnId + column::Code);
        menu.SendEvent(GridMenus::kFirstColumnId + column::Last);
    };
    SendGridEvent(grid, wxEVT_GRID_LABEL_RIGHT_CLICK, -1, column::Code);
    EXPECT_NE(0, grid->GetColSize(column::Code));
    EXPECT_EQ(0, grid->GetColSize(column::Last));

    // The grid area's menu clears the selection and offers Refresh on a watchlist tab.
    grid->SelectRow(1);
    std::vector<wxString> labels;
    inspect = [&](wxMenu& menu) { labels = MenuLabels(&menu); };
    SendMouse(grid->GetGridWindow(), wxEVT_RIGHT_UP, {});
    EXPECT_TRUE(grid->GetSelectedRows().empty());
    EXPECT_NE(std::find(labels.begin(), labels.end(), "Refresh"), labels.end());
}

}  // namespace
