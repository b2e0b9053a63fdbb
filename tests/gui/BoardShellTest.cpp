// The board's window shell: a theme switch recolours it as starting in that
// theme would, and quotes reach only the tab on show, through the event
// filters a host adds, each as if handled alone however many were queued.

#include <wx/eventfilter.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include "controls/wxStaticTextEx.h"
#include "model/FilterSet.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

class BoardShell : public BoardFixture
{
protected:
    /// The colours a board shows, as its controls report them.
    static std::vector<std::string> Appearance(Tickerdeck* board)
    {
        wxGridEx* grid = board->Tabs().Grids().front();
        const TickerdeckTable* table = Tickerdeck::TableOf(grid);
        const wxFlatNotebook* notebook = board->Tabs().Notebook();
        std::vector<std::string> shown;
        for (const wxColour& colour :
             {board->Toolbar().Bar()->GetBackgroundColour(), board->Toolbar().TitleLabel()->GetForegroundColour(),
              notebook->GetBorderColour(), notebook->GetTabAreaColour(), notebook->GetActiveTabColour(),
              notebook->GetActiveTabTextColour(), notebook->GetNonActiveTabTextColour(),
              grid->GetLabelBackgroundColour(), grid->GetLabelTextColour(), grid->GetMarginColour(),
              grid->GetScrollBarColour(), grid->GetDefaultCellBackgroundColour(), grid->GetDefaultCellTextColour(),
              grid->GetGridLineColour(), grid->GetSelectionBackground(), table->Styler().GetHighlightColour(),
              table->Styler().GetBookmarkColour(), table->Styler().GetUpColour(), table->Styler().GetDownColour()})
            shown.push_back(colour.GetAsString(wxC2S_HTML_SYNTAX).ToStdString());
        return shown;
    }
};

TEST_F(BoardShell, TabGridsTakeTheThemeAndFollowItsSwitch)
{
    Tickerdeck* board = CreateBoard(0);
    AddTab(board, {arpi}, "List");

    // Switched to a light theme, a board looks as one started in it, and
    // no part of it stays as it was (nor could have missed either theme).
    const std::vector<std::string> dark = Appearance(board);
    ThemePalette inverted = host.theme.Palette();
    for (wxColour* colour : {&inverted.background, &inverted.activeTab, &inverted.margin, &inverted.border,
                             &inverted.gridLine, &inverted.cellBackground, &inverted.selection, &inverted.bookmark,
                             &inverted.up, &inverted.down, &inverted.labelText, &inverted.text, &inverted.button})
        *colour = wxColour(255 - colour->Red(), 255 - colour->Green(), 255 - colour->Blue());
    host.theme = PaletteTheme("light", inverted);
    PostCommand(board, cmd::ThemeChanged);
    Tickerdeck* startedLight = CreateBoard(0);
    AddTab(startedLight, {arpi}, "List");
    const std::vector<std::string> light = Appearance(startedLight);
    EXPECT_EQ(light, Appearance(board));
    for (size_t part = 0; part < dark.size(); ++part)
        EXPECT_NE(dark[part], light[part]) << "part " << part << " keeps its colour through a theme switch";
    for (Tickerdeck* shown : {board, startedLight})
    {
        const wxGridEx* grid = shown->Tabs().Grids().front();
        EXPECT_NE(grid->GetSelectionBackground(), Tickerdeck::TableOf(grid)->Styler().GetHighlightColour())
            << "a flash would look like the selection";
    }
}

/// Runs the quote tests with the board taking queued quotes itself (true)
/// and with the toolkit dispatching each one (false).
class BoardQuotes : public BoardFixture, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        if (GetParam() && !QuoteDrain::QuoteDrainBuiltIn())
            GTEST_SKIP() << "this toolkit version gets the toolkit's dispatch only";
        BoardFixture::SetUp();
        QuoteDrain::UseQuoteDrain(GetParam());
        board = CreateBoard(0);
    }
    void TearDown() override
    {
        BoardFixture::TearDown();
        QuoteDrain::UseQuoteDrain(true);
    }

    /// Queues the quotes between two of an instrument no tab shows, so that
    /// the board takes all of them off its queue together, then handles them.
    void HandleQueuedTogether(Tickerdeck* board, const std::vector<Instrument*>& quoted, bool flash = false)
    {
        PostQuote(board, &stranger, kLastMask);
        for (Instrument* instrument : quoted)
            PostQuote(board, host.PriceOf(instrument), kLastMask, flash);
        PostQuote(board, &stranger, kLastMask);
        Flush();
    }

    Price stranger;
};

TEST_F(BoardShell, ARightClickOnTheTitleReachesTheHostAndOneOnTheToolsDoesNot)
{
    Tickerdeck* board = CreateBoard(0);
    int heard = 0;
    container->Bind(wxEVT_RIGHT_UP, [&heard](wxMouseEvent&) { ++heard; });
    wxUIActionSimulator mouse;
    const auto rightClickAt = [&](const wxPoint& at) {
        mouse.MouseMove(at);
        Flush();
        mouse.MouseClick(wxMOUSE_BTN_RIGHT);
        Flush();
    };
    const wxWindow* title = board->Toolbar().TitleLabel();
    rightClickAt(title->GetScreenRect().GetLeftTop() + wxPoint(4, title->GetSize().y / 2));
    EXPECT_EQ(1, heard) << "the host shows its window menu";
    const wxToolBar* bar = board->Toolbar().Bar();
    rightClickAt(bar->GetScreenRect().GetRightTop() + wxPoint(-6, bar->GetSize().y / 2));
    EXPECT_EQ(1, heard) << "a click on a tool stays the toolbar's";
}

INSTANTIATE_TEST_SUITE_P(Dispatch, BoardQuotes, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "BoardTakesTheQueue" : "ToolkitDispatchesEach";
                         });

TEST_P(BoardQuotes, EveryQueuedQuotePassesTheEventFiltersAddedToTheToolkit)
{
    // Ignores the quotes of one record, as a filter a host adds may.
    struct IgnoreQuotesOf : wxEventFilter
    {
        explicit IgnoreQuotesOf(Price* price) : ignored(price) { wxEvtHandler::AddFilter(this); }
        ~IgnoreQuotesOf() override { wxEvtHandler::RemoveFilter(this); }
        int FilterEvent(wxEvent& event) override
        {
            const bool quote = event.GetEventType() == wxEVT_MENU && event.GetId() == cmd::QuoteUpdate;
            return quote && static_cast<wxCommandEvent&>(event).GetClientData() == ignored ? Event_Ignore : Event_Skip;
        }
        Price* ignored;
    };
    SetLasts({{arpi, 1.0}, {bdi, 2.0}, {cdg, 3.0}});
    wxGridEx* grid = AddTab(board, {arpi, bdi, cdg}, "Sorted");
    SortByLast(grid, true);
    PostQuote(board, host.PriceOf(arpi), kLastMask);  // no change: the board learns the order
    Flush();
    IgnoreQuotesOf filter(host.PriceOf(bdi));
    SetLasts({{arpi, 10.0}, {bdi, 20.0}});
    PostQuote(board, host.PriceOf(arpi), kLastMask);
    PostQuote(board, host.PriceOf(bdi), kLastMask);  // queued behind the first: the board may take it
    PostQuote(board, host.PriceOf(cdg), kLastMask);
    Flush();
    EXPECT_EQ((std::vector<Instrument*>{bdi, cdg, arpi}), InstrumentsShown(grid)) << "the ignored quote moved its row";
}

TEST_P(BoardQuotes, QuotesReachOnlyTheCurrentTab)
{
    PostQuote(board, host.PriceOf(arpi), kLastMask);
    Flush();
    EXPECT_EQ(nullptr, board->Tabs().CurrentGrid()) << "a quote before any tab is ignored";

    SetLasts({{arpi, 1.0}, {bdi, 2.0}});
    wxGridEx* background = AddTab(board, {arpi, bdi}, "One");
    wxGridEx* current = AddTab(board, {arpi, bdi}, "Two");
    for (wxGridEx* grid : {background, current})
        SortByLast(grid, true);
    QuoteLast(board, arpi, 3.0);
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi}), InstrumentsShown(current));
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi}), InstrumentsShown(background))
        << "other tabs are put in order only when activated";

    // Quotes queued together, among events of other kinds, a quote without
    // a record and one for an instrument no tab shows, all come through in
    // order.
    host.PriceOf(bdi)->last = 5.0;
    PostQuote(board, host.PriceOf(bdi), kLastMask);
    PostQuote(board, nullptr, kLastMask);
    wxPostEvent(board, wxCommandEvent(wxEVT_MENU, cmd::ScrollToTop));
    PostQuote(board, &stranger, kLastMask);
    PostQuote(board, host.PriceOf(arpi), 0);
    PostQuote(board, host.PriceOf(bdi), kLastMask);
    Flush();
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi}), InstrumentsShown(current));
    host.PriceOf(arpi)->last = 6.0;
    HandleQueuedTogether(board, {arpi});
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi}), InstrumentsShown(current));

    // Someone else listening to the board's quotes still hears every one.
    std::vector<Price*> heard;
    const auto listen = [&heard](wxCommandEvent& event) {
        heard.push_back(static_cast<Price*>(event.GetClientData()));
        event.Skip();
    };
    board->Bind(wxEVT_MENU, listen, cmd::QuoteUpdate);
    host.PriceOf(bdi)->last = 7.0;
    for (int n = 0; n < 3; ++n)
        PostQuote(board, &stranger, kLastMask);
    PostQuote(board, host.PriceOf(bdi), kLastMask);
    Flush();
    board->Unbind(wxEVT_MENU, listen, cmd::QuoteUpdate);
    EXPECT_EQ((std::vector<Price*>{&stranger, &stranger, &stranger, host.PriceOf(bdi)}), heard);
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi}), InstrumentsShown(current));

    board->Tabs().Remove(background);
    board->Tabs().Remove(current);
    PostQuote(board, host.PriceOf(arpi), kLastMask);
    Flush();
    EXPECT_EQ(nullptr, board->Tabs().CurrentGrid()) << "a quote after the last tab closed finds no tab";
}

TEST_P(BoardQuotes, QueuedQuotesCarryTheSelectionOneAfterAnotherAndFollowTheSortSetBetweenRuns)
{
    SetLasts({{arpi, 1.0}, {bdi, 2.0}, {cdg, 3.0}, {ai, 4.0}});
    wxGridEx* grid = AddTab(board, {arpi, bdi, cdg, ai}, "Sorted");
    SortByLast(grid, true);
    PostQuote(board, host.PriceOf(arpi), kLastMask);  // no change: the board learns the order
    Flush();
    grid->SelectRow(1);
    // BDI leaves the selected row for the bottom, passing AI as last
    // quoted; AI's own quote then passes it there.
    SetLasts({{bdi, 10.0}, {ai, 20.0}});
    HandleQueuedTogether(board, {bdi, ai});
    EXPECT_EQ((std::vector<Instrument*>{arpi, cdg, bdi, ai}), InstrumentsShown(grid));
    EXPECT_EQ((std::vector<int>{2}), SelectedRows(grid)) << "the selection stays with BDI through both moves";

    // Nothing selected, a run ends having read the sort last.
    grid->ClearSelection();
    SetLasts({{cdg, 0.5}});
    HandleQueuedTogether(board, {cdg});
    ASSERT_EQ((std::vector<Instrument*>{cdg, arpi, bdi, ai}), InstrumentsShown(grid));
    SortByLast(grid, false);
    SetLasts({{arpi, 15.0}});
    HandleQueuedTogether(board, {arpi});
    EXPECT_EQ((std::vector<Instrument*>{ai, arpi, bdi, cdg}), InstrumentsShown(grid))
        << "the quote follows the direction set since the last ones";
}

TEST_P(BoardQuotes, ASortChangedBySomeoneHearingTheSelectionMoveHoldsForTheNextQueuedQuote)
{
    SetLasts({{arpi, 1.0}, {bdi, 2.0}, {cdg, 3.0}, {ai, 4.0}});
    wxGridEx* grid = AddTab(board, {arpi, bdi, cdg, ai}, "Sorted");
    SortByLast(grid, true);
    grid->SelectRow(0);
    // A host's window may sort the board when its selection changes.
    bool turned = false;
    grid->Bind(wxEVT_GRID_RANGE_SELECTED, [&](wxGridRangeSelectEvent& event) {
        if (!turned && event.Selecting())
        {
            turned = true;
            SortByLast(grid, false);
        }
        event.Skip();
    });
    SetLasts({{arpi, 5.0}, {cdg, 0.5}});
    HandleQueuedTogether(board, {arpi, cdg});
    ASSERT_TRUE(turned);
    EXPECT_EQ((std::vector<Instrument*>{arpi, ai, bdi, cdg}), InstrumentsShown(grid))
        << "the quote after the selection moved went by the order it found";
}

TEST_P(BoardQuotes, ARowComingBackAmongQueuedQuotesOrScrolledIntoViewBetweenThemFlashesOnScreen)
{
    std::vector<Instrument*> listed;
    for (int i = 0; i < 80; ++i)
        host.PriceOf(listed.emplace_back(host.AddInstrument("R" + std::to_string(i), "AMX")))->last = 20.0;
    wxGridEx* grid = AddTab(board, listed, "Risers");
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    Flush();
    const int onScreen = grid->GetGridWindow()->GetClientSize().y / grid->GetDefaultRowSize();
    ASSERT_GT(onScreen, 10);
    ASSERT_LT(onScreen + 10, 80) << "the tab must be longer than the screen";

    // Unsorted, a row coming back goes last: make last a row on screen.
    FilterSet risers(FilterSet::Columns{{column::Last, {{filter_op::Above, "10"}}}});
    for (size_t i = 5; i < listed.size(); ++i)
        host.PriceOf(listed[i])->last = 5.0;
    ApplyFilter(grid, &risers);
    ASSERT_EQ(5, grid->GetNumberRows());
    host.PriceOf(listed[40])->last = 30.0;
    HandleQueuedTogether(board, {listed[0], listed[40]}, true);
    ASSERT_EQ(6, grid->GetNumberRows());
    EXPECT_EQ(listed[40], table->Rows()[5]->instrument);
    EXPECT_TRUE(table->View().IsFlashing(5, column::Last)) << "the row came back onto the screen";
    EXPECT_TRUE(table->View().IsFlashing(0, column::Last));

    // Every row shown, the screen scrolled down by more than it holds.
    ApplyFilter(grid, nullptr);
    for (Instrument* instrument : listed)
        host.PriceOf(instrument)->last = 20.0;
    table->View().DropFlashes();
    HandleQueuedTogether(board, {listed[1]}, true);
    ASSERT_TRUE(table->View().IsFlashing(1, column::Last));
    grid->MakeCellVisible(79, 0);
    Flush();
    ASSERT_FALSE(grid->IsVisible(1, 0, false));
    ASSERT_TRUE(grid->IsVisible(78, 0, false));
    HandleQueuedTogether(board, {listed[1], listed[78]}, true);
    EXPECT_TRUE(table->View().IsFlashing(78, column::Last)) << "the row scrolled onto the screen";
}

}  // namespace
