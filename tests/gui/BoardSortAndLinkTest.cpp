// Header clicks cycle a column through both directions and the stored
// order; a cell click hands the row's instrument to linked windows.

#include "BoardFixture.h"
#include "board/ColumnSpec.h"
#include "controls/wxFlatNotebook.h"
#include "plugin/CommandIds.h"
#include "watchlist/FilterSet.h"

namespace {

using testing_support::BoardFixture;
using testing_support::Flush;

/// Presses and releases the left button over a column header, the way a
/// user click arrives at the grid's label window.
void ClickHeader(wxGrid* grid, int col)
{
    wxWindow* labels = grid->GetGridColLabelWindow();
    const wxRect cell = grid->CellToRect(0, col);
    const wxPoint at(cell.x + cell.width / 2, grid->GetColLabelSize() / 2);
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetPosition(at);
    down.m_leftDown = true;
    down.SetEventObject(labels);
    labels->GetEventHandler()->ProcessEvent(down);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetPosition(at);
    up.SetEventObject(labels);
    labels->GetEventHandler()->ProcessEvent(up);
}

class SortCycle : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        a = host.AddInstrument("AAA");
        b = host.AddInstrument("BBB");
        c = host.AddInstrument("CCC");
        host.PriceOf(a)->last = 2.0;
        host.PriceOf(b)->last = 3.0;
        host.PriceOf(c)->last = 1.0;
        board = CreateBoard();
        grid = AddTab(board, {a, b, c}, "Stocks");
        frame->SendSizeEvent();
        Flush();
    }

    std::vector<Instrument*> Shown() const { return InstrumentsShown(grid); }
    Instrument* SelectedInstrument() const
    {
        const wxArrayInt rows = grid->GetSelectedRows();
        return rows.empty() ? nullptr : Tickerdeck::TableOf(grid)->RowPrice(rows[0])->instrument;
    }

    Instrument* a = nullptr;
    Instrument* b = nullptr;
    Instrument* c = nullptr;
    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
};

TEST_F(SortCycle, ClicksCycleThroughDescendingAscendingAndStoredOrder)
{
    ASSERT_EQ(1, board->GetSortClickCount());

    ClickHeader(grid, column::Last);
    EXPECT_EQ(column::Last, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{b, a, c}), Shown()) << "rows follow the grid's arrow";

    ClickHeader(grid, column::Last);
    EXPECT_TRUE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{c, a, b}), Shown());

    ClickHeader(grid, column::Last);
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn()) << "the third click is vetoed";
    EXPECT_EQ((std::vector<Instrument*>{a, b, c}), Shown());
    EXPECT_EQ(1, board->GetSortClickCount());

    ClickHeader(grid, column::Last);
    EXPECT_EQ((std::vector<Instrument*>{b, a, c}), Shown()) << "the cycle starts again";
}

TEST_F(SortCycle, DescendingFlagGivesAscendingFirst)
{
    grid->SetSortingColumn(column::Last, false);
    grid->UnsetSortingColumn();
    ClickHeader(grid, column::Last);
    EXPECT_TRUE(grid->IsSortOrderAscending());
    EXPECT_EQ((std::vector<Instrument*>{c, a, b}), Shown());
    ClickHeader(grid, column::Last);
    EXPECT_EQ((std::vector<Instrument*>{b, a, c}), Shown());
    ClickHeader(grid, column::Last);
    EXPECT_EQ((std::vector<Instrument*>{a, b, c}), Shown());
}

TEST_F(SortCycle, SelectedInstrumentStaysSelected)
{
    grid->SelectRow(1);  // b
    ClickHeader(grid, column::Last);  // descending: b a c
    EXPECT_EQ(b, SelectedInstrument());
    EXPECT_EQ(0, grid->GetSelectedRows()[0]);
    ClickHeader(grid, column::Last);  // ascending: c a b
    EXPECT_EQ(b, SelectedInstrument());
    EXPECT_EQ(2, grid->GetSelectedRows()[0]);
    ClickHeader(grid, column::Last);
    EXPECT_EQ(b, SelectedInstrument());
    EXPECT_EQ(1, grid->GetSelectedRows()[0]);
}

TEST_F(SortCycle, ActivatingASortedTabResortsAndNextClickRestoresStoredOrder)
{
    AddTab(board, {a}, "Other");
    board->GetNotebook()->SetSelection(0);
    ClickHeader(grid, column::Last);  // descending: b a c
    ASSERT_EQ((std::vector<Instrument*>{b, a, c}), Shown());

    board->GetNotebook()->SetSelection(1);
    host.PriceOf(c)->last = 10.0;  // moves while its tab is in the background
    grid->SelectRow(2);            // c
    board->GetNotebook()->SetSelection(0);

    EXPECT_EQ(grid, board->GetCurrentGrid());
    EXPECT_EQ(0, board->GetSortClickCount());
    EXPECT_EQ((std::vector<Instrument*>{c, b, a}), Shown());
    EXPECT_EQ(c, SelectedInstrument());

    host.PriceOf(c)->last = 1.0;
    ClickHeader(grid, column::Last);
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn());
    EXPECT_EQ((std::vector<Instrument*>{a, b, c}), Shown());
}

TEST_F(SortCycle, ActivatingAnUnsortedTabLeavesTheCounter)
{
    ClickHeader(grid, column::Last);
    AddTab(board, {a}, "Other");
    EXPECT_EQ(2, board->GetSortClickCount());
}

/// Hides every quote whose instrument code is in `hidden`.
class HideCodes : public FilterSet
{
public:
    bool Accepts(const Price& price) const override { return !hidden.count(price.instrument->code); }
    std::set<std::string> hidden;
};

TEST_F(SortCycle, ActivatingAFilteredTabReappliesItsFilter)
{
    HideCodes filter;
    Tickerdeck::TableOf(grid)->SetFilter(&filter);
    AddTab(board, {a}, "Other");
    filter.hidden = {"BBB"};

    board->GetNotebook()->SetSelection(0);
    EXPECT_EQ((std::vector<Instrument*>{a, c}), Shown());
    EXPECT_EQ(2, grid->GetNumberRows());
    Tickerdeck::TableOf(grid)->SetFilter(nullptr);
}

class CellLink : public BoardFixture
{
protected:
    void ClickCell(wxGridEx* grid, int row, int col)
    {
        wxGridEvent click(grid->GetId(), wxEVT_GRID_CELL_LEFT_CLICK, grid, row, col);
        grid->GetEventHandler()->ProcessEvent(click);
    }
};

TEST_F(CellLink, ClickBroadcastsTheRowInstrumentWhenAllowed)
{
    Tickerdeck* board = CreateBoard(0, 9);
    Instrument* a = host.AddInstrument("AAA");
    Instrument* b = host.AddInstrument("BBB");
    wxGridEx* grid = AddTab(board, {a, b}, "Stocks");
    board->Settings().controlsOthers = true;

    ClickCell(grid, 1, column::Code);

    ASSERT_EQ(1u, host.posts.size());
    const auto& post = host.posts[0];
    EXPECT_EQ(cmd::InstrumentLink, post.id);
    EXPECT_EQ(b, post.clientData);
    EXPECT_EQ(SenderTag(board), post.clientObject);
    EXPECT_EQ(link_kind::FromCellClick, post.intValue);
    EXPECT_EQ(&application, post.source);
    EXPECT_EQ(9u, post.group);
    EXPECT_EQ(nullptr, post.target);
}

TEST_F(CellLink, NothingIsSentWhenNotAllowedOrOutsideTheRows)
{
    Tickerdeck* board = CreateBoard();
    wxGridEx* grid = AddTab(board, {host.AddInstrument("AAA")}, "Stocks");
    ClickCell(grid, 0, column::Code);
    EXPECT_TRUE(host.posts.empty()) << "controlsOthers is off";

    board->Settings().controlsOthers = true;
    ClickCell(grid, 5, column::Code);
    EXPECT_TRUE(host.posts.empty()) << "no row 5";
}

TEST_F(CellLink, TheGridStillSelectsTheClickedRow)
{
    Tickerdeck* board = CreateBoard();
    board->Settings().controlsOthers = true;
    wxGridEx* grid = AddTab(board, {host.AddInstrument("AAA"), host.AddInstrument("BBB")}, "Stocks");
    frame->SendSizeEvent();
    Flush();
    const wxRect cell = grid->CellToRect(1, column::Code);
    wxWindow* cells = grid->GetGridWindow();
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetPosition(cell.GetPosition() + wxPoint(3, 3));
    down.m_leftDown = true;
    down.SetEventObject(cells);
    cells->GetEventHandler()->ProcessEvent(down);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetPosition(down.GetPosition());
    up.SetEventObject(cells);
    cells->GetEventHandler()->ProcessEvent(up);

    EXPECT_EQ(1u, host.posts.size());
    EXPECT_EQ(1, grid->GetGridCursorRow());
}

}  // namespace
