// The quote table inside a real grid: moves under quotes, selection, flashes,
// removal, filtering and cell attributes.

#include <deque>
#include <memory>
#include <set>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/grid.h>

#include "board/ColumnSpec.h"
#include "board/TickerdeckTable.h"
#include "board/WatchlistGridCellRenderer.h"
#include "plugin/Records.h"
#include "support/EventLoop.h"
#include "watchlist/FilterSet.h"

namespace {

using testing_support::Flush;
using testing_support::PumpUntil;

constexpr int kLastMask = 1 << 12;
constexpr int kBuyMask = 1 << 4;

/// Accepts only the quotes it is told to.
class ListFilter : public FilterSet
{
public:
    bool Accepts(const Price& price) const override { return accepted.count(&price) > 0; }
    std::set<const Price*> accepted;
};

class TableGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "table", wxPoint(0, 0), wxSize(1400, 500));
        grid = new wxGrid(frame, wxID_ANY);
        table = new TickerdeckTable;
        table->SetHighlightColour(*wxYELLOW);
        table->SetBookmarkColour(wxColour(10, 20, 30));
        table->SetUpColour(*wxRED);
        table->SetDownColour(*wxGREEN);
        grid->SetDefaultRenderer(new WatchlistGridCellRenderer);
        grid->SetTable(table, true, wxGrid::wxGridSelectRows);
        grid->SetDefaultColSize(40, true);
        grid->SetBackgroundColour(*wxWHITE);
        grid->SetForegroundColour(wxColour(1, 2, 3));
        grid->Bind(wxEVT_TIMER, &TickerdeckTable::OnFlashTimer, table);
        frame->Show();
        Flush();
    }

    void TearDown() override
    {
        table->DeleteFlashTimers();
        frame->Destroy();
        Flush();
    }

    Price* Add(double last, double prevClose = 0.0)
    {
        instruments.emplace_back();
        prices.emplace_back();
        prices.back().instrument = &instruments.back();
        prices.back().last = last;
        prices.back().prevClose = prevClose;
        table->AppendMember(&prices.back());
        wxGridTableMessage appended(table, wxGRIDTABLE_NOTIFY_ROWS_APPENDED, 1);
        grid->ProcessTableMessage(appended);
        return &prices.back();
    }

    void AddLasts(std::initializer_list<double> lasts)
    {
        for (double last : lasts)
            Add(last);
    }

    void Quote(Price* price, int mask, bool flash = true)
    {
        wxCommandEvent event(wxEVT_MENU, 7011);
        event.SetClientData(price);
        event.SetInt(mask);
        event.SetExtraLong(flash ? 1 : 0);
        table->UpdateRow(event);
    }

    void SortByLast(bool ascending)
    {
        table->SortRows(column::Last, ascending);
        grid->SetSortingColumn(column::Last, ascending);
    }

    std::vector<double> Lasts() const
    {
        std::vector<double> lasts;
        for (const Price* price : table->Rows())
            lasts.push_back(price->last);
        return lasts;
    }

    wxGridCellAttr* StoredAttr(int row, int col) const
    {
        wxGridCellAttr* attr = table->GetAttrProvider()->GetAttr(row, col, wxGridCellAttr::Cell);
        if (attr)
            attr->DecRef();  // still referenced by the provider
        return attr;
    }

    wxFrame* frame = nullptr;
    wxGrid* grid = nullptr;
    TickerdeckTable* table = nullptr;
    std::deque<Instrument> instruments;
    std::deque<Price> prices;
};

TEST_F(TableGridTest, QuoteMovesRowUpAndDisplacedSelectionFollows)
{
    AddLasts({50, 40, 30, 20, 10});
    SortByLast(false);
    grid->SelectRow(1);  // 40
    Price* moved = table->RowPrice(3);
    moved->last = 45;
    Quote(moved, kLastMask);
    EXPECT_EQ(Lasts(), (std::vector<double>{50, 45, 40, 30, 10}));
    EXPECT_EQ(table->RowOf(moved), 1);
    EXPECT_TRUE(grid->IsInSelection(2, 0));
    EXPECT_FALSE(grid->IsInSelection(1, 0));
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(table->RowOf(table->RowPrice(row)), row);
}

TEST_F(TableGridTest, SelectedRowKeepsSelectionWhenItMovesDown)
{
    AddLasts({50, 40, 30, 20, 10});
    SortByLast(false);
    grid->SelectRow(0);
    Price* moved = table->RowPrice(0);
    moved->last = 15;
    Quote(moved, kLastMask);
    EXPECT_EQ(Lasts(), (std::vector<double>{40, 30, 20, 15, 10}));
    EXPECT_TRUE(grid->IsInSelection(3, 0));
    EXPECT_FALSE(grid->IsInSelection(0, 0));
}

TEST_F(TableGridTest, AscendingSortMovesTheOtherWayAndEqualValuesDoNotMove)
{
    AddLasts({10, 20, 30, 40});
    SortByLast(true);
    Price* moved = table->RowPrice(0);
    moved->last = 35;
    Quote(moved, kLastMask);
    EXPECT_EQ(Lasts(), (std::vector<double>{20, 30, 35, 40}));

    moved->last = 30;  // ties stay where they are
    Quote(moved, kLastMask);
    EXPECT_EQ(Lasts(), (std::vector<double>{20, 30, 30, 40}));
    EXPECT_EQ(table->RowOf(moved), 2);
}

TEST_F(TableGridTest, QuoteNotTouchingSortColumnDoesNotMove)
{
    AddLasts({50, 40, 30});
    SortByLast(false);
    Price* price = table->RowPrice(2);
    price->last = 60;
    Quote(price, kBuyMask);
    EXPECT_EQ(table->RowOf(price), 2);
    grid->UnsetSortingColumn();
    Quote(price, kLastMask);
    EXPECT_EQ(table->RowOf(price), 2);
}

TEST_F(TableGridTest, SecondQuoteWithinASecondRestartsTheSameFlash)
{
    AddLasts({50, 40, 30});
    Quote(table->RowPrice(2), kBuyMask);
    ASSERT_EQ(table->FlashCount(), 1u);
    wxTimer* timer = table->FlashTimerAt(2, column::Buy);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetId(), column::Buy + 31 * 2);
    EXPECT_TRUE(timer->IsRunning());
    EXPECT_TRUE(timer->IsOneShot());
    EXPECT_EQ(timer->GetOwner(), grid);

    wxGridCellAttr* attr = StoredAttr(2, column::Buy);
    ASSERT_NE(attr, nullptr);
    EXPECT_EQ(attr->GetClientData(), timer);
    EXPECT_EQ(timer->GetClientData(), attr);
    EXPECT_EQ(attr->GetBackgroundColour(), *wxYELLOW);

    Quote(table->RowPrice(2), kBuyMask);
    EXPECT_EQ(table->FlashCount(), 1u);
    EXPECT_EQ(table->FlashTimerAt(2, column::Buy), timer);
    EXPECT_TRUE(timer->IsRunning());
    EXPECT_EQ(StoredAttr(2, column::Buy), attr);

    Quote(table->RowPrice(2), kBuyMask, false);  // no flash flag, no timer
    EXPECT_EQ(table->FlashCount(), 1u);
}

TEST_F(TableGridTest, FlashTimerEndsTheFlashAndDropsTheCellState)
{
    AddLasts({50, 40, 30});
    Quote(table->RowPrice(1), kBuyMask | (1 << 5));
    ASSERT_EQ(table->FlashCount(), 2u);
    wxTimer* timer = table->FlashTimerAt(1, column::Buy);
    wxTimerEvent event(*timer);
    table->OnFlashTimer(event);
    EXPECT_EQ(table->FlashCount(), 1u);
    EXPECT_EQ(table->FlashTimerAt(1, column::Buy), nullptr);
    EXPECT_EQ(StoredAttr(1, column::Buy), nullptr);
    wxGridCellAttrPtr painted(table->GetAttr(1, column::Buy, wxGridCellAttr::Any));
    EXPECT_EQ(painted->GetBackgroundColour(), grid->GetBackgroundColour());
    EXPECT_EQ(painted->GetClientData(), nullptr);

    // The remaining flash runs out by itself through the grid's timer event.
    EXPECT_TRUE(PumpUntil([&] { return table->FlashCount() == 0; }, 4000));
    EXPECT_EQ(StoredAttr(1, column::BuyVolume), nullptr);
}

TEST_F(TableGridTest, MovedRowFlashesEveryVisibleColumnWithChangeBit)
{
    AddLasts({50, 40, 30});
    SortByLast(false);
    Price* moved = table->RowPrice(2);
    moved->last = 60;
    Quote(moved, kLastMask);
    ASSERT_EQ(table->RowOf(moved), 0);
    EXPECT_EQ(table->FlashCount(), 26u);
    EXPECT_NE(table->FlashTimerAt(0, column::Exchange), nullptr);
    EXPECT_EQ(table->FlashTimerAt(0, column::Flag), nullptr);
    EXPECT_EQ(table->FlashTimerAt(0, column::No), nullptr);

    table->DeleteFlashTimers();
    EXPECT_EQ(table->FlashCount(), 0u);
    EXPECT_EQ(StoredAttr(0, column::Last), nullptr);
}

TEST_F(TableGridTest, CellsOutOfSightAreNotFlashed)
{
    for (int i = 0; i < 300; ++i)
        Add(1000 - i);
    grid->SetColSize(column::Sell, 0);  // hidden column
    Quote(table->RowPrice(250), kBuyMask);
    EXPECT_EQ(table->FlashCount(), 0u);
    Quote(table->RowPrice(0), kBuyMask | (1 << 6));
    EXPECT_EQ(table->FlashCount(), 1u);
    EXPECT_EQ(table->FlashTimerAt(0, column::Sell), nullptr);

    grid->MakeCellVisible(250, 0);
    Flush();
    Quote(table->RowPrice(250), kBuyMask);
    EXPECT_NE(table->FlashTimerAt(250, column::Buy), nullptr);
}

TEST_F(TableGridTest, RemoveRowEndsItsFlashesAndShiftsTheOnesBelow)
{
    AddLasts({50, 40, 30, 20});
    Quote(table->RowPrice(1), kBuyMask);
    Quote(table->RowPrice(3), kBuyMask);
    wxTimer* below = table->FlashTimerAt(3, column::Buy);
    ASSERT_NE(below, nullptr);
    wxGridCellAttr* belowAttr = StoredAttr(3, column::Buy);

    Price* removed = table->RowPrice(1);
    table->RemoveRow(removed);
    wxGridTableMessage deleted(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, 1, 1);
    grid->ProcessTableMessage(deleted);

    EXPECT_EQ(table->FlashCount(), 1u);
    EXPECT_FALSE(table->IsMember(removed));
    EXPECT_EQ(grid->GetNumberRows(), 3);
    EXPECT_EQ(table->FlashTimerAt(2, column::Buy), below);
    EXPECT_EQ(below->GetId(), column::Buy + 31 * 2);
    EXPECT_EQ(StoredAttr(2, column::Buy), belowAttr);

    wxTimerEvent event(*below);
    table->OnFlashTimer(event);
    EXPECT_EQ(StoredAttr(2, column::Buy), nullptr);
    EXPECT_EQ(table->FlashCount(), 0u);
}

TEST_F(TableGridTest, FilterVerdictDeletesOrAppendsRowsInTheGrid)
{
    AddLasts({50, 40, 30});
    SortByLast(false);
    ListFilter filter;
    for (const Price* price : table->Rows())
        filter.accepted.insert(price);
    table->SetFilter(&filter);

    Price* middle = table->RowPrice(1);
    Quote(middle, kBuyMask);  // flashing when it goes
    filter.accepted.erase(middle);
    Quote(middle, kBuyMask);
    EXPECT_EQ(grid->GetNumberRows(), 2);
    EXPECT_EQ(table->RowOf(middle), -1);
    EXPECT_EQ(table->FlashCount(), 0u);
    EXPECT_EQ(Lasts(), (std::vector<double>{50, 30}));

    filter.accepted.insert(middle);
    middle->last = 55;
    Quote(middle, kLastMask);
    EXPECT_EQ(grid->GetNumberRows(), 3);
    EXPECT_EQ(Lasts(), (std::vector<double>{55, 50, 30}));
    table->SetFilter(nullptr);
}

TEST_F(TableGridTest, AttributesCarryColourRulesAndAlignment)
{
    Price* price = Add(11.0, 10.0);
    price->buy = 9.0;
    price->sell = 10.0 + 5e-9;
    price->open = 10.5;
    auto colourAt = [&](int col) { return wxGridCellAttrPtr(table->GetAttr(0, col, wxGridCellAttr::Any))->GetTextColour(); };
    EXPECT_EQ(colourAt(column::Last), *wxRED);
    EXPECT_EQ(colourAt(column::Buy), *wxGREEN);
    EXPECT_EQ(colourAt(column::Sell), wxColour(1, 2, 3));
    EXPECT_EQ(colourAt(column::Open), *wxRED);

    price->open = 10.0;  // exact tie keeps the previous colour
    EXPECT_EQ(colourAt(column::Open), *wxRED);
    price->open = 9.0;
    EXPECT_EQ(colourAt(column::Open), *wxGREEN);
    price->open = 10.0;
    EXPECT_EQ(colourAt(column::Open), *wxGREEN);

    price->prevClose = 0.0;
    EXPECT_EQ(colourAt(column::Last), wxColour(1, 2, 3));
    EXPECT_EQ(colourAt(column::Open), wxColour(1, 2, 3));

    int horizontal = -2;
    int vertical = -2;
    wxGridCellAttrPtr(table->GetAttr(0, column::Amplitude, wxGridCellAttr::Any))->GetNonDefaultAlignment(&horizontal, &vertical);
    EXPECT_EQ(horizontal, wxALIGN_RIGHT);
    EXPECT_EQ(vertical, wxALIGN_CENTRE);
    horizontal = vertical = -2;
    wxGridCellAttrPtr(table->GetAttr(0, column::Date, wxGridCellAttr::Any))->GetNonDefaultAlignment(&horizontal, &vertical);
    EXPECT_EQ(horizontal, wxALIGN_CENTRE);
    EXPECT_EQ(vertical, -2);  // left to the grid
}

TEST_F(TableGridTest, BookmarkedRowNumberCellsGetTheBookmarkBackground)
{
    Add(1.0);
    Price* marked = Add(2.0);
    table->Bookmarks().insert(marked->instrument);
    auto backgroundAt = [&](int row, int col) {
        return wxGridCellAttrPtr(table->GetAttr(row, col, wxGridCellAttr::Any))->GetBackgroundColour();
    };
    EXPECT_EQ(backgroundAt(1, column::No), wxColour(10, 20, 30));
    EXPECT_EQ(backgroundAt(0, column::No), *wxWHITE);
    EXPECT_EQ(backgroundAt(1, column::Name), *wxWHITE);
}

TEST_F(TableGridTest, AttributesHeldTogetherAreIndependent)
{
    Add(11.0, 10.0);
    Add(9.0, 10.0);
    Add(11.0, 10.0);
    Quote(table->RowPrice(2), kLastMask);  // a stored, flashing cell
    wxGridCellAttrPtr up(table->GetAttr(0, column::Last, wxGridCellAttr::Any));
    wxGridCellAttrPtr down(table->GetAttr(1, column::Last, wxGridCellAttr::Any));
    wxGridCellAttrPtr flashing(table->GetAttr(2, column::Last, wxGridCellAttr::Any));
    EXPECT_NE(up.get(), down.get());
    EXPECT_EQ(up->GetTextColour(), *wxRED);
    EXPECT_EQ(down->GetTextColour(), *wxGREEN);
    EXPECT_EQ(flashing->GetBackgroundColour(), *wxYELLOW);
    EXPECT_EQ(up->GetBackgroundColour(), *wxWHITE);

    // Released attributes are reused rather than piling up.
    up.reset(nullptr);
    down.reset(nullptr);
    wxGridCellAttr* first = table->GetAttr(0, column::Name, wxGridCellAttr::Any);
    first->DecRef();
    for (int i = 0; i < 100; ++i)
    {
        wxGridCellAttr* again = table->GetAttr(i % 2, column::Name, wxGridCellAttr::Any);
        EXPECT_EQ(again, first);
        again->DecRef();
    }
}

TEST_F(TableGridTest, ExplicitCellAttributesAreKept)
{
    Add(1.0);
    grid->SetCellTextColour(0, column::Name, *wxBLUE);
    Flush();
    EXPECT_EQ(grid->GetCellTextColour(0, column::Name), *wxBLUE);
}

}  // namespace

namespace {

TEST(TableGridTeardownTest, DestroyingTheGridMidFlashLeavesNoTimerBehind)
{
    Instrument instrument;
    Price price;
    price.instrument = &instrument;
    price.buy = 5.0;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "teardown", wxPoint(0, 0), wxSize(800, 300));
    auto* grid = new wxGrid(frame, wxID_ANY);
    auto* table = new TickerdeckTable;
    table->AppendMember(&price);
    grid->SetTable(table, true);
    grid->SetDefaultColSize(40, true);
    int timerEvents = 0;
    grid->Bind(wxEVT_TIMER, [&](wxTimerEvent& event) {
        ++timerEvents;
        table->OnFlashTimer(event);
    });
    frame->Show();
    Flush();
    wxCommandEvent quote(wxEVT_MENU, 7011);
    quote.SetClientData(&price);
    quote.SetInt(kBuyMask);
    quote.SetExtraLong(1);
    table->UpdateRow(quote);
    ASSERT_EQ(table->FlashCount(), 1u);

    // The table goes with the grid; its running timer must go with it.
    frame->Destroy();
    Flush();
    const auto start = wxGetLocalTimeMillis();
    while (wxGetLocalTimeMillis() - start < 1300)
        Flush(1);
    EXPECT_EQ(timerEvents, 0);
}

}  // namespace
