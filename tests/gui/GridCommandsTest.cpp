// Tickets, views, keys, drag and the row commands of a board's grid, against
// a recording host and the store file.

#include <algorithm>
#include <functional>

#include "commands/GridKeys.h"
#include "commands/GridMenus.h"
#include "commands/RowCommands.h"
#include "kit/BackgroundWork.h"
#include "kit/BoardNotice.h"
#include "store/WatchlistStoreService.h"
#include "support/BoardFixture.h"

namespace {

using layout::InstrumentRef;
using namespace testing_support;

class GridCommandsTest : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="ARPI"/><instrument exchange="AMX" code="ZZZ"/>)"
                   R"(<instrument exchange="AMX" code="BDI"/><instrument exchange="AMX" code="CDG"/>)"
                   R"(<instrument exchange="AMX" code="AI"/></watchlist><watchlist name="Spare"/>)");
        host.profile.permissions = UserProfile::kAllowTrading;
        host.widgetList = {&ticket, &ladder};
        host.openedWindow = container;
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
        grid = board->Tabs().CurrentGrid();
        board->Features().FindFeature<RowCommands>()->SetConfirmation([this](Tickerdeck&, const wxString& question) {
            questions.push_back(question);
            if (whileAsked)
                whileAsked();
            return answerYes;
        });
        keys = board->Features().FindFeature<GridKeys>();
        keys->SetClipboardWriter([this](const wxString& text) {
            clipboard = text;
            written.push_back(text);
            return clipboardOpens;
        });
        Price* quote = host.PriceOf(bdi);
        quote->buy = 10.25;
        quote->sell = 10.5;
        quote->sellVolume = 300;
    }

    void Key(int code, int modifiers = wxMOD_NONE)
    {
        SendKey(grid->GetGridWindow(), wxEVT_KEY_DOWN, code, modifiers);
    }

    std::vector<int> Selected() const { return SelectedRows(grid); }

    /// Waits until no copy runs on another thread, and delivers what they posted.
    static void FinishCopies()
    {
        ASSERT_TRUE(PumpUntil([] { return BackgroundWork::Module().Pending() == 0; }));
        Flush();
    }

    /// The tab shows `order`, and keeps it as its stored order.
    void ExpectOrder(const std::vector<Instrument*>& order) const
    {
        EXPECT_EQ(order, InstrumentsShown(grid));
        std::vector<Instrument*> members;
        for (Price* price : Tickerdeck::TableOf(grid)->Members().List())
            members.push_back(price->instrument);
        EXPECT_EQ(order, members) << "the stored order follows";
    }

    FakeWidget ticket{"Ticket"};
    FakeWidget ladder{"Ladder"};
    GridKeys* keys = nullptr;
    bool answerYes = true;
    std::vector<wxString> questions;
    std::function<void()> whileAsked;
    wxString clipboard;            // the latest text written
    std::vector<wxString> written; // every text written
    bool clipboardOpens = true;
};

TEST_F(GridCommandsTest, BuyFromTheMenuCarriesTheClickedSidesPriceInTicksAndQuantityAndHotkeysNeedExactlyOneRow)
{
    host.hotkeys[{WXK_F5, false}] = 12;
    host.hotkeys[{WXK_F2, true}] = 16;
    grid->SelectRow(1);
    Key(WXK_F5);
    ASSERT_EQ(1u, ladder.dispatched.size());
    EXPECT_EQ(link_kind::ForNewWindow, ladder.dispatched[0].intValue);
    EXPECT_EQ(open_mode::ForInstrument, host.openModes[0]);
    Key(WXK_F2, wxMOD_ALT);
    EXPECT_TRUE(ticket.dispatched.empty()) << "Alt+F2 is no hotkey: the host hears Alt, then Shift";
    Key(WXK_F2, wxMOD_SHIFT);
    ASSERT_EQ(1u, ticket.dispatched.size());
    EXPECT_EQ(1050, ticket.dispatched[0].intValue) << "Shift+F2 buys at the best sell price";
    grid->SelectRow(0, true);
    Key(WXK_F5);
    EXPECT_EQ(1u, ladder.dispatched.size()) << "two rows selected";

    board->Features().FindFeature<GridMenus>()->SetPopup([](Tickerdeck&, wxMenu&) {});
    grid->ClearSelection();
    SendGridEvent(grid, wxEVT_GRID_CELL_RIGHT_CLICK, 1, column::SellVolume);
    PostCommand(board, cmd::RowCommandFirst);
    EXPECT_EQ(open_mode::BuyTicket, host.openModes.back());
    ASSERT_EQ(2u, ticket.dispatched.size());
    EXPECT_EQ(1050, ticket.dispatched[1].intValue);
    EXPECT_EQ("300.00", ticket.dispatched[1].text);
    EXPECT_EQ(bdi, ticket.dispatched[1].clientData);

    bdi->decimals = -1;   // five decimals
    host.PriceOf(bdi)->sell = 50000.0;
    PostCommand(board, cmd::RowCommandFirst);
    ASSERT_EQ(3u, ticket.dispatched.size());
    EXPECT_EQ(5000000000L, ticket.dispatched.back().extraLong) << "the instrument's decimals, past 32 bits";
    EXPECT_EQ(0, ticket.dispatched.back().intValue) << "the 32-bit field says no price rather than wrap";

    host.PriceOf(bdi)->sell = 1e17;
    PostCommand(board, cmd::RowCommandFirst);
    EXPECT_EQ(3u, ticket.dispatched.size()) << "no ticket whose price does not fit";

    host.profile.permissions = 0;
    PostCommand(board, cmd::RowCommandSecond);
    EXPECT_EQ(3u, ticket.dispatched.size()) << "no ticket without the trading right";
}

TEST_F(GridCommandsTest, CtrlCCopiesTheVisibleColumnsOfTheSelectionByteForByteUpToTheClipboardsLimitALargeOneOffTheGuiThread)
{
    ShowOnly(grid, {column::Code, column::Buy});
    host.PriceOf(cdg)->buy = 7;
    grid->SelectRow(0);
    grid->SelectRow(2, true);
    const wxString text = "Code\tBuy\r\nARPI\t\r\nCDG\t7.00\r\n";
    keys->SetClipboardLimit(text.length());
    Key('C', wxMOD_CONTROL);
    EXPECT_EQ(text, clipboard) << "a text exactly at the limit is copied";
    EXPECT_EQ("", Notices());

    // A longer one is refused with a word, and the clipboard keeps what it had.
    clipboard = "before";
    keys->SetClipboardLimit(text.length() - 1);
    Key('C', wxMOD_CONTROL);
    EXPECT_EQ("before", clipboard);
    EXPECT_EQ(0u, Notices().find("The rows were not copied: their text of ")) << Notices();
    notices.clear();
    keys->SetClipboardLimit(GridKeys::kClipboardLimit);

    // A clipboard that cannot be opened is told, not passed over.
    clipboardOpens = false;
    Key('C', wxMOD_CONTROL);
    EXPECT_EQ("The rows could not be copied: the clipboard cannot be opened.\n", Notices());

    // A large copy is made off the GUI thread, from the rows at the key press,
    // each with its own row number.
    clipboardOpens = true;
    notices.clear();
    grid->ShowCol(column::No);
    grid->SelectAll();
    Key('C', wxMOD_CONTROL);
    const wxString atOnce = clipboard;
    ASSERT_NE(std::string::npos, atOnce.find("7.00"));
    ASSERT_NE(std::string::npos, atOnce.find("\n2\t"));
    const int rows = grid->GetNumberRows();
    ASSERT_GT(rows, 2);

    keys->SetRowsCopiedAtOnce(1);
    clipboard.clear();
    Key('C', wxMOD_CONTROL);
    EXPECT_EQ("", clipboard) << "the text arrives later, the window goes on meanwhile";
    EXPECT_EQ(wxString::Format("Copying %d rows... (Esc stops)", rows), board->Toolbar().Notice()->Get("copy"));
    host.PriceOf(cdg)->buy = 8;  // after the key press: not copied
    ASSERT_TRUE(PumpUntil([&] { return !clipboard.empty(); }));
    EXPECT_EQ(atOnce, clipboard);
    EXPECT_EQ("", board->Toolbar().Notice()->Get("copy"));

    // Copies overlapping: only the latest reaches the clipboard.
    written.clear();
    Key('C', wxMOD_CONTROL);
    grid->SelectRow(0);
    Key('C', wxMOD_CONTROL);
    grid->SelectAll();
    clipboardOpens = false;
    Key('C', wxMOD_CONTROL);
    FinishCopies();
    ASSERT_EQ(2u, written.size());
    EXPECT_EQ(2, written[0].Freq('\n')) << "a copy of one row goes at once, ahead of the first";
    EXPECT_NE(std::string::npos, written[1].find("8.00"));
    EXPECT_EQ("The rows could not be copied: the clipboard cannot be opened.\n", Notices());

    // Escape drops a copy under way; the clipboard keeps what it had.
    written.clear();
    clipboardOpens = true;
    Key('C', wxMOD_CONTROL);
    Key(WXK_ESCAPE);
    EXPECT_EQ("", board->Toolbar().Notice()->Get("copy"));
    FinishCopies();
    EXPECT_TRUE(written.empty());
    Key('C', wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return !written.empty(); })) << "the next copy lands";

    // A large copy learns its size only when its text is made.
    notices.clear();
    clipboard = "before";
    keys->SetClipboardLimit(text.length());
    Key('C', wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return !Notices().empty(); }));
    EXPECT_EQ("before", clipboard);
    EXPECT_EQ(0u, Notices().find("The rows were not copied: their text of ")) << Notices();
    EXPECT_EQ("", board->Toolbar().Notice()->Get("copy"));
    keys->SetClipboardLimit(GridKeys::kClipboardLimit);

    // A board closed before its text arrives writes nothing.
    written.clear();
    Key('C', wxMOD_CONTROL);
    boards.erase(std::remove(boards.begin(), boards.end(), board), boards.end());
    application.CloseWindow(container, true);
    FinishCopies();
    EXPECT_TRUE(written.empty());
}

TEST_F(GridCommandsTest, ALargeCopyTakesItsRowsASliceAtATimeLeavingOutRowsRemovedMeanwhile)
{
    ShowOnly(grid, {column::Code});
    keys->SetRowsCopiedAtOnce(1);
    keys->SetCopySliceBounds(1, std::chrono::hours(1));
    const auto copied = [&] {
        return PumpUntil([&] { return !written.empty(); }) ? written.back() : wxString("(nothing)");
    };
    grid->SelectAll();
    const wxString whole = GridKeys::CopyText(grid);
    ASSERT_EQ("Code\r\nARPI\r\nBDI\r\nCDG\r\nAI\r\n", whole);

    Key('C', wxMOD_CONTROL);
    EXPECT_EQ("Copying 4 rows... (Esc stops)", board->Toolbar().Notice()->Get("copy"));
    int slices = 1;  // the first at the key press
    while (keys->TakeCopySlice())
        ++slices;
    EXPECT_EQ(4, slices);
    EXPECT_EQ(whole, copied()) << "byte for byte the text of a copy made at once";
    EXPECT_EQ("", board->Toolbar().Notice()->Get("copy"));

    written.clear();
    grid->SelectAll();
    Key('C', wxMOD_CONTROL);
    board->Rows().DropRows(grid, {host.PriceOf(cdg)});
    while (keys->TakeCopySlice())
        ;
    EXPECT_EQ("Code\r\nARPI\r\nBDI\r\nAI\r\n", copied());

    // Escape, or the tab closing, before every row was taken: nothing lands.
    written.clear();
    grid->SelectAll();
    Key('C', wxMOD_CONTROL);
    Key(WXK_ESCAPE);
    EXPECT_EQ("", board->Toolbar().Notice()->Get("copy"));
    EXPECT_FALSE(keys->TakeCopySlice());
    Key('C', wxMOD_CONTROL);
    board->Tabs().Remove(grid);
    EXPECT_TRUE(keys->TakeCopySlice());
    EXPECT_FALSE(keys->TakeCopySlice());
    EXPECT_EQ("", board->Toolbar().Notice()->Get("copy"));
    RunFor(50);
    FinishCopies();
    EXPECT_TRUE(written.empty());
}

TEST_F(GridCommandsTest, UpDownMoveAVisibleSelectionAndShiftOrDraggingReordersOnlyUnsortedGrids)
{
    board->Settings().controlsOthers = true;
    board->Settings().f1Only = false;
    grid->SelectRow(3);
    Key(WXK_DOWN);
    EXPECT_EQ((std::vector<int>{3}), Selected()) << "the last row goes nowhere";
    Key(WXK_UP, wxMOD_CONTROL);
    EXPECT_EQ((std::vector<int>{0}), Selected());
    EXPECT_EQ(0, grid->GetGridCursorRow());
    ASSERT_EQ(1u, host.posts.size());
    EXPECT_EQ(arpi, host.posts[0].clientData);

    // Every reorder is in the store at once, for other boards and programs;
    // ZZZ, which the host does not know, goes along with the row before it.
    Tickerdeck* other = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
    const auto storeOf = [](const std::vector<const char*>& codes)
    {
        std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<application>\n  <watchlists>\n"
                           "    <watchlist name=\"Core\">\n";
        for (const char* code : codes)
            text += std::string("      <instrument exchange=\"AMX\" code=\"") + code + "\"/>\n";
        return text + "    </watchlist>\n    <watchlist name=\"Spare\"/>\n  </watchlists>\n</application>\n";
    };
    Key(WXK_DOWN, wxMOD_SHIFT);
    ExpectOrder({bdi, arpi, cdg, ai});
    EXPECT_EQ((std::vector<int>{1}), Selected()) << "the selection stays with the moved row";
    EXPECT_EQ(storeOf({"BDI", "ARPI", "ZZZ", "CDG", "AI"}), StoreBytes());
    // Dragging inserts the row where it is dropped.
    const auto dragTo = [this](int row) {
        const wxPoint at(0, grid->CellToRect(row, 0).GetTop() + 2);
        SendMouse(grid->GetGridWindow(), wxEVT_MOTION, at, true);
    };
    dragTo(3);
    ExpectOrder({bdi, cdg, ai, arpi});
    EXPECT_EQ((std::vector<int>{3}), Selected());
    EXPECT_EQ(storeOf({"BDI", "CDG", "AI", "ARPI", "ZZZ"}), StoreBytes());
    EXPECT_EQ((std::vector<Instrument*>{bdi, cdg, ai, arpi}), InstrumentsShown(other->Tabs().CurrentGrid()));

    // A store that cannot be written keeps the tab as it was.
    const std::string broken = "<application><watchlists><watchlist name=\"Core\">";
    WriteBytes(host.applicationFilePath, broken);
    Key(WXK_UP, wxMOD_SHIFT);
    dragTo(0);
    ExpectOrder({bdi, cdg, ai, arpi});
    EXPECT_EQ((std::vector<int>{3}), Selected());
    EXPECT_EQ(broken, StoreBytes());

    grid->SetSortingColumn(column::Code, true);
    Key(WXK_DOWN, wxMOD_SHIFT);
    dragTo(0);
    ExpectOrder({bdi, cdg, ai, arpi});  // a sorted tab keeps its order
}

TEST_F(GridCommandsTest, PageKeysAndCtrlUpDownMoveTheSelectedRowSoDownAndCopyGoOnFromIt)
{
    std::vector<Instrument*> many;
    for (int i = 0; i < 80; ++i)
        many.push_back(host.AddInstrument("P" + std::to_string(i)));
    grid = AddTab(board, many, "Long");
    grid->SelectRow(0);
    // Ctrl+Down goes to the last row shown whole, so it stays in sight at the top.
    int lastWhole = 0;
    while (grid->IsVisible(lastWhole + 1, 0, true))
        ++lastWhole;
    ASSERT_LT(lastWhole, 70) << "the tab must be taller than the window";
    const auto press = [this](int code, int modifiers, int row) {
        Key(code, modifiers);
        EXPECT_EQ(std::vector<int>{row}, Selected()) << "key " << code << " with modifiers " << modifiers;
    };
    press(WXK_DOWN, wxMOD_CONTROL, lastWhole);
    press(WXK_UP, wxMOD_CONTROL, 0);
    Key(WXK_PAGEDOWN);
    const std::vector<int> paged = Selected();
    ASSERT_EQ(1u, paged.size()) << "a page key leaves exactly one row selected";
    EXPECT_GT(paged[0], 5);
    EXPECT_EQ(paged[0], grid->GetGridCursorRow());
    press(WXK_DOWN, wxMOD_NONE, paged[0] + 1);  // Down goes on from the paged row
    press(WXK_PAGEUP, wxMOD_NONE, 1);           // not past the first row
    press(WXK_END, wxMOD_NONE, 79);
    press(WXK_HOME, wxMOD_CONTROL, 0);
    press(WXK_END, wxMOD_CONTROL, 79);
    ShowOnly(grid, {column::Code});
    Key('C', wxMOD_CONTROL);
    EXPECT_EQ("Code\r\nP79\r\n", clipboard);
    grid->ClearSelection();
    grid->SetGridCursor(10, 0);
    press(WXK_HOME, wxMOD_NONE, 0);  // without a selection the cursor's row is the start
}

TEST_F(GridCommandsTest, DeleteRemovesTheSelectedInstrumentsItNamesThoughQuotesReorderTheTabWhileItAsks)
{
    SetLasts({{arpi, 4}, {bdi, 3}, {cdg, 2}, {ai, 1}});
    SortByLast(grid, true);
    grid->SelectRow(1);
    grid->SelectRow(2, true);
    answerYes = false;
    Key(WXK_DELETE);
    ASSERT_EQ(4, grid->GetNumberRows()) << "No keeps the rows";
    answerYes = true;
    // A quote that comes while the user reads the question moves CDG to the bottom.
    whileAsked = [this] { QuoteLast(board, cdg, 10); };
    Key(WXK_DELETE);
    EXPECT_EQ("Remove CDG, BDI from Core?", questions.back());
    EXPECT_EQ((std::vector<Instrument*>{ai, arpi}), InstrumentsShown(grid));
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "ARPI"}, {"AMX", "ZZZ"}, {"AMX", "AI"}}), Stored("Core"));
}

TEST_F(GridCommandsTest, MoveReleasesItsRowsRefreshFollowsTheStoreAndABookmarkToggles)
{
    grid->SelectRow(0);
    grid->SelectRow(1, true);
    RowCommands::MoveTo(*board, SelectedTargets(grid), "Spare");
    EXPECT_EQ((std::vector<Instrument*>{cdg, ai}), InstrumentsShown(grid));
    EXPECT_EQ(0, host.ActiveSubscriptions(board, arpi, "")) << "a moved row keeps no quotes coming";

    // Another program takes CDG out, which a filter hides, and adds KSM.
    HideCode(board, grid, "CDG");
    WriteStore(
        R"(<watchlist name="Core"><instrument exchange="AMX" code="AI"/><instrument exchange="KTX" code="KSM"/>)"
        R"(</watchlist>)");
    PostCommand(board, cmd::WatchlistCommand);
    EXPECT_EQ((std::vector<Instrument*>{ai, ksm}), InstrumentsShown(grid));
    EXPECT_FALSE(Tickerdeck::TableOf(grid)->Members().Contains(host.PriceOf(cdg)));
    SetTabFilter(*board, grid, nullptr);

    grid->SelectRow(0);
    PostCommand(board, cmd::ToggleBookmark);
    EXPECT_EQ((std::set<Instrument*>{ai}), Tickerdeck::TableOf(grid)->Members().Bookmarks());
    PostCommand(board, cmd::ToggleBookmark);
    EXPECT_TRUE(Tickerdeck::TableOf(grid)->Members().Bookmarks().empty());
}

}  // namespace
