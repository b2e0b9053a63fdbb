// The board's window shell: toolbar variants, title, notebook, theme and
// the host commands that need no tab logic.

#include <wx/datectrl.h>
#include <wx/toolbar.h>

#include "BoardFixture.h"
#include "board/ColumnSpec.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxStaticTextEx.h"
#include "plugin/CommandIds.h"

namespace {

using testing_support::BoardFixture;
using testing_support::Flush;

void Post(wxWindow* window, int id, const wxString& text = wxString())
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetString(text);
    wxPostEvent(window, event);
}

class BoardShell : public BoardFixture
{
};

TEST_F(BoardShell, DockedToolbarHasTitleAndHistoryTool)
{
    Tickerdeck* board = CreateBoard(0);
    wxToolBar* toolbar = board->GetToolbar();
    for (int id : {cmd::NewWatchlist, cmd::AlertList, cmd::FitColumns, cmd::OpenAnotherWindow,
                   cmd::Settings})
        EXPECT_NE(nullptr, toolbar->FindById(id)) << id;
    EXPECT_EQ(nullptr, board->GetDatePicker());
    EXPECT_EQ(nullptr, board->FindWindow(cmd::DatePicker));

    wxStaticTextEx* title = board->GetTitleLabel();
    ASSERT_NE(nullptr, title);
    EXPECT_EQ(toolbar, title->GetParent());
    EXPECT_EQ("Ticker Deck", title->GetLabel());
    EXPECT_EQ(host.theme.text, title->GetForegroundColour());
    ASSERT_FALSE(host.theme.fontRequests.empty());
    const auto& request = host.theme.fontRequests.back();
    EXPECT_EQ(0, request.sizeChange);
    EXPECT_EQ(700, request.weight);
    EXPECT_EQ(90, request.style);
    EXPECT_FALSE(request.underline);
    // Settings is the last tool, after the history tool.
    EXPECT_EQ(cmd::Settings, toolbar->GetToolByPos(static_cast<int>(toolbar->GetToolsCount()) - 1)->GetId());
}

TEST_F(BoardShell, FramedToolbarHasDatePickerInsteadOfTitle)
{
    Tickerdeck* board = CreateBoard(window_flag::OwnFrame);
    wxToolBar* toolbar = board->GetToolbar();
    for (int id : {cmd::NewWatchlist, cmd::AlertList, cmd::FitColumns, cmd::Settings})
        EXPECT_NE(nullptr, toolbar->FindById(id)) << id;
    EXPECT_EQ(nullptr, toolbar->FindById(cmd::OpenAnotherWindow));
    EXPECT_EQ(nullptr, board->GetTitleLabel());

    wxDatePickerCtrl* picker = board->GetDatePicker();
    ASSERT_NE(nullptr, picker);
    EXPECT_EQ(cmd::DatePicker, picker->GetId());
    EXPECT_EQ("datectrl", picker->GetName());
    EXPECT_EQ(picker, wxWindow::FindWindowByName("datectrl", board));
    EXPECT_TRUE(frame->GetIcon().IsOk());
}

TEST_F(BoardShell, TitleRightClickReachesTheHostWindows)
{
    Tickerdeck* board = CreateBoard(0);
    int seenByContainer = 0;
    container->Bind(wxEVT_RIGHT_UP, [&](wxMouseEvent&) { ++seenByContainer; });
    wxMouseEvent click(wxEVT_RIGHT_UP);
    click.SetEventObject(board->GetTitleLabel());
    board->GetTitleLabel()->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(1, seenByContainer);
}

TEST_F(BoardShell, TitleGoesToTheLabelOrTheOwnFrame)
{
    Tickerdeck* docked = CreateBoard(0);
    docked->ApplyTitle("Morning list");
    EXPECT_EQ("Morning list", docked->GetTitleLabel()->GetLabel());
    EXPECT_EQ("Board", frame->GetTitle());

    Tickerdeck* framed = CreateBoard(window_flag::OwnFrame);
    framed->ApplyTitle("Evening list");
    EXPECT_EQ("Evening list", frame->GetTitle());
}

TEST_F(BoardShell, NotebookIsBuiltFromTheTheme)
{
    Tickerdeck* board = CreateBoard(0);
    wxFlatNotebook* notebook = board->GetNotebook();
    EXPECT_EQ(cmd::Notebook, notebook->GetId());
    EXPECT_EQ("Flat Notebook", notebook->GetName());
    EXPECT_EQ(72, notebook->GetWindowStyleFlag() & 0xFF);
    EXPECT_EQ(wxSize(10, 10), notebook->GetPadding());
    EXPECT_EQ(host.theme.border, notebook->GetBorderColour());
    EXPECT_EQ(host.theme.background, notebook->GetTabAreaColour());
    EXPECT_EQ(host.theme.activeTab, notebook->GetActiveTabColour());
    EXPECT_EQ(host.theme.text, notebook->GetActiveTabTextColour());
    EXPECT_EQ(host.theme.labelText, notebook->GetNonActiveTabTextColour());
    ASSERT_NE(nullptr, notebook->GetImageList());
    EXPECT_EQ(1, notebook->GetImageList()->GetCount());
    EXPECT_EQ(nullptr, board->GetCurrentGrid());
}

TEST_F(BoardShell, SettingsStartWithTheirConstructionValues)
{
    const TickerdeckSettings& settings = CreateBoard(0)->Settings();
    EXPECT_FALSE(settings.controlledByOrders);
    EXPECT_FALSE(settings.controlledByPositions);
    EXPECT_FALSE(settings.controlledByInstruments);
    EXPECT_FALSE(settings.controlsOthers);
    EXPECT_FALSE(settings.autoAddInstrument);
    EXPECT_FALSE(settings.volumeInThousands);
    EXPECT_TRUE(settings.f1Only);
    EXPECT_TRUE(settings.autoFitColumns);
    EXPECT_TRUE(settings.title.empty());
}

TEST_F(BoardShell, TabGridIsConfiguredAndThemed)
{
    Tickerdeck* board = CreateBoard(0);
    wxGridEx* grid = AddTab(board, {host.AddInstrument("AAA")}, "List");
    EXPECT_EQ(TickerdeckTable::kColumnCount, grid->GetNumberCols());
    EXPECT_EQ(1, grid->GetNumberRows());
    EXPECT_EQ(0, grid->GetRowLabelSize());
    EXPECT_EQ(24, grid->GetColLabelSize());
    EXPECT_EQ(22, grid->GetDefaultRowSize());
    EXPECT_FALSE(grid->IsEditable());
    EXPECT_TRUE(grid->CanDragColMove());
    EXPECT_TRUE(grid->CanDragColSize(0));
    EXPECT_FALSE(grid->CanDragRowSize(0));
    EXPECT_EQ(wxGrid::wxGridSelectRows, grid->GetSelectionMode());
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn());
    EXPECT_TRUE(grid->IsSortOrderAscending()) << "so the first header click sorts descending";
    EXPECT_EQ(host.theme.cellBackground, grid->GetDefaultCellBackgroundColour());
    EXPECT_EQ(host.theme.text, grid->GetDefaultCellTextColour());
    EXPECT_EQ(host.theme.gridLine, grid->GetGridLineColour());
    EXPECT_EQ(host.theme.labelText, grid->GetLabelTextColour());
    EXPECT_EQ(host.theme.selection, grid->GetSelectionBackground());
    EXPECT_EQ(host.theme.margin, grid->GetMarginColour());
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    EXPECT_EQ(host.theme.up, table->GetUpColour());
    EXPECT_EQ(host.theme.bookmark, table->GetBookmarkColour());
    EXPECT_NE(nullptr, table->GetAttrProvider());
    EXPECT_EQ(grid, board->GetCurrentGrid());
}

TEST_F(BoardShell, ThemeChangeRecoloursEverything)
{
    Tickerdeck* board = CreateBoard(0);
    wxGridEx* grid = AddTab(board, {host.AddInstrument("AAA")}, "List");
    host.theme.background = wxColour(200, 201, 202);
    host.theme.text = wxColour(10, 11, 12);
    host.theme.cellBackground = wxColour(240, 241, 242);
    host.theme.border = wxColour(1, 2, 3);
    host.theme.down = wxColour(90, 0, 0);

    Post(board, cmd::ThemeChanged);
    Flush();

    EXPECT_EQ(host.theme.background, board->GetToolbar()->GetBackgroundColour());
    EXPECT_EQ(host.theme.text, board->GetTitleLabel()->GetForegroundColour());
    EXPECT_EQ(host.theme.border, board->GetNotebook()->GetBorderColour());
    EXPECT_EQ(host.theme.text, board->GetNotebook()->GetActiveTabTextColour());
    EXPECT_EQ(host.theme.cellBackground, grid->GetDefaultCellBackgroundColour());
    EXPECT_EQ(host.theme.text, grid->GetDefaultCellTextColour());
    EXPECT_EQ(host.theme.background, grid->GetScrollBarColour());
    EXPECT_EQ(host.theme.down, Tickerdeck::TableOf(grid)->GetDownColour());
    EXPECT_EQ("Ticker Deck", board->GetTitleLabel()->GetLabel()) << "no title set yet: keep the label";
}

TEST_F(BoardShell, ThemeChangeShowsTheTitleAgain)
{
    Tickerdeck* board = CreateBoard(0);
    board->Settings().title = "Desk A";
    board->ApplyTitle("something else");
    Post(board, cmd::ThemeChanged);
    Flush();
    EXPECT_EQ("Desk A", board->GetTitleLabel()->GetLabel());
}

TEST_F(BoardShell, QuoteBeforeAnyTabIsIgnored)
{
    Tickerdeck* board = CreateBoard(0);
    Instrument* instrument = host.AddInstrument("AAA");
    wxCommandEvent quote(wxEVT_MENU, cmd::QuoteUpdate);
    quote.SetClientData(host.PriceOf(instrument));
    quote.SetInt(4096);
    wxPostEvent(board, quote);
    Flush();
    EXPECT_EQ(nullptr, board->GetCurrentGrid());
    EXPECT_TRUE(board->GetSubscriptions().empty());
}

TEST_F(BoardShell, QuoteReachesOnlyTheCurrentTab)
{
    Tickerdeck* board = CreateBoard(0);
    Instrument* a = host.AddInstrument("AAA");
    Instrument* b = host.AddInstrument("BBB");
    host.PriceOf(a)->last = 1.0;
    host.PriceOf(b)->last = 2.0;
    wxGridEx* background = AddTab(board, {a, b}, "One");
    wxGridEx* current = AddTab(board, {a, b}, "Two");
    for (wxGridEx* grid : {background, current})
    {
        grid->SetSortingColumn(column::Last, true);
        Tickerdeck::TableOf(grid)->SortRows(column::Last, true);
    }
    ASSERT_EQ(current, board->GetCurrentGrid());

    host.PriceOf(a)->last = 3.0;
    wxCommandEvent quote(wxEVT_MENU, cmd::QuoteUpdate);
    quote.SetClientData(host.PriceOf(a));
    quote.SetInt(4096);
    wxPostEvent(board, quote);
    Flush();

    EXPECT_EQ((std::vector<Instrument*>{b, a}), InstrumentsShown(current));
    EXPECT_EQ((std::vector<Instrument*>{a, b}), InstrumentsShown(background))
        << "other tabs are put in order only when activated";
}

TEST_F(BoardShell, OpenAnotherWindowFindsItselfByName)
{
    Tickerdeck* board = CreateBoard(0, 42);
    host.widgetsByName["Ticker Deck"] = &application;
    Post(board, cmd::OpenAnotherWindow);
    Flush();
    ASSERT_EQ(1u, host.opens.size());
    EXPECT_EQ(&application, host.opens[0].widget);
    EXPECT_EQ(42u, host.opens[0].group);
    EXPECT_EQ(42u, host.opens[0].sameGroup);
    EXPECT_EQ(open_mode::Plain, host.opens[0].mode);
}

TEST_F(BoardShell, OpenAnotherWindowDoesNothingWhenTheHostLacksIt)
{
    Tickerdeck* board = CreateBoard(0);
    Post(board, cmd::OpenAnotherWindow);
    Flush();
    EXPECT_EQ(std::vector<std::string>{"Ticker Deck"}, host.foundWidgets);
    EXPECT_TRUE(host.opens.empty());
}

}  // namespace
