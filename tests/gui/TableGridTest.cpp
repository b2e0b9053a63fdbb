// The quote table inside a real grid: rows moving under quotes with the
// selection, flashes and their timers, removal, filtering and cell attributes.

#include <chrono>
#include <set>
#include <vector>

#include "model/ColumnSpec.h"
#include "support/QuoteGridFixture.h"
#include "model/FilterSet.h"

namespace {

using testing_support::Flush;
using testing_support::PumpUntil;

constexpr int kLastMask = 1 << 12;
constexpr int kBuyMask = 1 << 4;

class TableGrid : public testing_support::QuoteGridFixture
{
protected:
    void AddLasts(std::initializer_list<double> lasts)
    {
        for (double last : lasts)
            Add(last);
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

    /// The attribute the table stores for a flashing cell, or null.
    wxGridCellAttr* StoredAttr(int row, int col) const
    {
        wxGridCellAttr* attr = table->GetAttrProvider()->GetAttr(row, col, wxGridCellAttr::Cell);
        if (attr)
            attr->DecRef();  // still referenced by the provider
        return attr;
    }

    wxGridCellAttrPtr Painted(int row, int col) const { return wxGridCellAttrPtr(table->GetAttr(row, col, wxGridCellAttr::Any)); }
};

TEST_F(TableGrid, AQuoteMovesItsRowAndTheSelectionFollowsTheSelectedInstrument)
{
    AddLasts({50, 40, 30, 20, 10});
    SortByLast(false);
    grid->SelectRow(1);  // 40, displaced by the row moving up past it
    Price* moved = table->RowPrice(3);
    moved->last = 45;
    Quote(moved, kLastMask);
    EXPECT_EQ(Lasts(), (std::vector<double>{50, 45, 40, 30, 10}));
    EXPECT_EQ(table->RowOf(moved), 1);
    EXPECT_TRUE(grid->IsInSelection(2, 0));
    EXPECT_FALSE(grid->IsInSelection(1, 0));

    grid->SelectRow(0);  // the selected row itself moves down
    moved = table->RowPrice(0);
    moved->last = 15;
    Quote(moved, kLastMask);
    EXPECT_EQ(Lasts(), (std::vector<double>{45, 40, 30, 15, 10}));
    EXPECT_TRUE(grid->IsInSelection(3, 0));
    EXPECT_FALSE(grid->IsInSelection(0, 0));
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(table->RowOf(table->RowPrice(row)), row);
}

TEST_F(TableGrid, AscendingMovesTheOtherWayAndTiesAndOtherFieldsDoNotMove)
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

    moved->last = 5;
    Quote(moved, kBuyMask);
    EXPECT_EQ(table->RowOf(moved), 2) << "the sort column did not change";
    grid->UnsetSortingColumn();
    Quote(moved, kLastMask);
    EXPECT_EQ(table->RowOf(moved), 2) << "no sort column";
}

TEST_F(TableGrid, ASecondQuoteRestartsTheSameFlash)
{
    AddLasts({50, 40, 30});
    Quote(table->RowPrice(2), kBuyMask);
    ASSERT_EQ(table->FlashCount(), 1u);
    wxTimer* timer = table->FlashTimerAt(2, column::Buy);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetId(), column::Buy + 31 * 2);
    const auto firstEnd = table->FlashEndAt(2, column::Buy);
    ASSERT_TRUE(firstEnd.has_value());
    EXPECT_LE(*firstEnd - std::chrono::steady_clock::now(), std::chrono::milliseconds(1000));
    EXPECT_EQ(timer->GetOwner(), grid);
    wxGridCellAttr* attr = StoredAttr(2, column::Buy);
    ASSERT_NE(attr, nullptr);
    EXPECT_EQ(attr->GetBackgroundColour(), kHighlight);

    wxMilliSleep(5);
    Quote(table->RowPrice(2), kBuyMask);
    EXPECT_EQ(table->FlashCount(), 1u);
    EXPECT_EQ(table->FlashTimerAt(2, column::Buy), timer);
    EXPECT_GT(table->FlashEndAt(2, column::Buy).value_or(*firstEnd), *firstEnd) << "the flash was not restarted";
    EXPECT_EQ(StoredAttr(2, column::Buy), attr);

    Quote(table->RowPrice(2), kBuyMask, false);  // no flash flag, no timer
    EXPECT_EQ(table->FlashCount(), 1u);
}

TEST_F(TableGrid, OnlyCellsOnScreenFlashWhereverTheViewHasMoved)
{
    for (int n = 0; n < 200; ++n)
        Add(1000.0 - n);
    const auto flashesAt = [this](int row) {
        Quote(table->RowPrice(row), kBuyMask);
        return table->FlashTimerAt(row, column::Buy) != nullptr;
    };
    EXPECT_TRUE(flashesAt(0));
    EXPECT_FALSE(flashesAt(150));

    grid->MakeCellVisible(150, 0);
    EXPECT_TRUE(flashesAt(150));
    EXPECT_FALSE(flashesAt(1));

    grid->Scroll(0, 0);
    EXPECT_FALSE(flashesAt(149));
    EXPECT_TRUE(flashesAt(2));

    // A taller window shows more rows; a shorter one fewer.
    const int lastShown = grid->YToRow(grid->GetGridWindow()->GetClientSize().y - 1);
    ASSERT_GT(lastShown, 3);
    EXPECT_FALSE(flashesAt(lastShown + 3));
    frame->SetSize(wxSize(1400, 900));
    Flush();
    EXPECT_TRUE(flashesAt(lastShown + 3));
    frame->SetSize(wxSize(1400, 200));
    Flush();
    EXPECT_FALSE(flashesAt(lastShown - 1));
}

TEST_F(TableGrid, AnEndedFlashDropsItsCellStateAndTheOthersRunOut)
{
    AddLasts({50, 40, 30});
    Quote(table->RowPrice(1), kBuyMask | (1 << 5));
    ASSERT_EQ(table->FlashCount(), 2u);
    wxTimerEvent event(*table->FlashTimerAt(1, column::Buy));
    table->OnFlashTimer(event);
    EXPECT_EQ(table->FlashCount(), 1u);
    EXPECT_EQ(table->FlashTimerAt(1, column::Buy), nullptr);
    EXPECT_EQ(StoredAttr(1, column::Buy), nullptr);
    EXPECT_EQ(Painted(1, column::Buy)->GetBackgroundColour(), kBackground);

    EXPECT_TRUE(PumpUntil([&] { return table->FlashCount() == 0; }, 4000)) << "through the grid's timer event";
    EXPECT_EQ(StoredAttr(1, column::BuyVolume), nullptr);
}

TEST_F(TableGrid, AMovedRowFlashesEveryVisibleColumnWithAChangeBit)
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

    table->DeleteFlashTimers();
    EXPECT_EQ(table->FlashCount(), 0u);
    EXPECT_EQ(StoredAttr(0, column::Last), nullptr);
}

TEST_F(TableGrid, RemoveRowEndsItsFlashesAndShiftsTheOnesBelow)
{
    AddLasts({50, 40, 30, 20});
    Quote(table->RowPrice(1), kBuyMask);
    Quote(table->RowPrice(3), kBuyMask);
    wxTimer* below = table->FlashTimerAt(3, column::Buy);
    wxGridCellAttr* belowAttr = StoredAttr(3, column::Buy);
    ASSERT_NE(below, nullptr);

    Price* removed = table->RowPrice(1);
    table->RemoveRow(removed);
    wxGridTableMessage deleted(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, 1, 1);
    grid->ProcessTableMessage(deleted);

    EXPECT_EQ(table->FlashCount(), 1u);
    EXPECT_FALSE(table->IsMember(removed));
    EXPECT_EQ(table->FlashTimerAt(2, column::Buy), below);
    EXPECT_EQ(below->GetId(), column::Buy + 31 * 2);
    EXPECT_EQ(StoredAttr(2, column::Buy), belowAttr);

    wxTimerEvent event(*below);
    table->OnFlashTimer(event);
    EXPECT_EQ(StoredAttr(2, column::Buy), nullptr);
    EXPECT_EQ(table->FlashCount(), 0u);
}

TEST_F(TableGrid, FilterVerdictsDeleteOrAppendRowsInTheGrid)
{
    /// Accepts only the quotes it is told to.
    struct ListFilter : FilterSet
    {
        bool Accepts(const Price& price) const override { return accepted.count(&price) > 0; }
        std::set<const Price*> accepted;
    } filter;
    AddLasts({50, 40, 30});
    SortByLast(false);
    filter.accepted.insert(table->Rows().begin(), table->Rows().end());
    table->SetFilter(&filter);

    Price* middle = table->RowPrice(1);
    Quote(middle, kBuyMask);  // flashing when it goes
    filter.accepted.erase(middle);
    Quote(middle, kBuyMask);
    EXPECT_EQ(grid->GetNumberRows(), 2);
    EXPECT_EQ(table->FlashCount(), 0u);
    EXPECT_EQ(Lasts(), (std::vector<double>{50, 30}));

    filter.accepted.insert(middle);
    middle->last = 45;
    Quote(middle, kBuyMask);  // admitted again by a change of another column
    EXPECT_EQ(grid->GetNumberRows(), 3);
    EXPECT_EQ(Lasts(), (std::vector<double>{50, 45, 30})) << "an admitted row takes its place in the sort";
    table->SetFilter(nullptr);
}

TEST_F(TableGrid, AttributesCarryColourRulesBookmarksAndAlignment)
{
    Price* price = Add(11.0, 10.0);
    price->buy = 9.0;
    price->sell = 10.0 + 5e-9;
    price->open = 10.5;
    const auto colourAt = [&](int col) { return Painted(0, col)->GetTextColour(); };
    EXPECT_EQ(colourAt(column::Last), kUp);
    EXPECT_EQ(colourAt(column::Buy), kDown);
    EXPECT_EQ(colourAt(column::Sell), kText);
    EXPECT_EQ(colourAt(column::Open), kUp);
    price->open = 10.0;  // an exact tie keeps the previous colour
    EXPECT_EQ(colourAt(column::Open), kUp);
    price->open = 9.0;
    EXPECT_EQ(colourAt(column::Open), kDown);
    price->open = 10.0;
    EXPECT_EQ(colourAt(column::Open), kDown);
    price->prevClose = 0.0;
    EXPECT_EQ(colourAt(column::Last), kText);

    int horizontal = -2, vertical = -2;
    Painted(0, column::Amplitude)->GetNonDefaultAlignment(&horizontal, &vertical);
    EXPECT_EQ(horizontal, wxALIGN_RIGHT);
    EXPECT_EQ(vertical, wxALIGN_CENTRE);
    horizontal = vertical = -2;
    Painted(0, column::Date)->GetNonDefaultAlignment(&horizontal, &vertical);
    EXPECT_EQ(horizontal, wxALIGN_CENTRE);
    EXPECT_EQ(vertical, -2) << "left to the grid";

    Price* marked = Add(2.0);
    table->Bookmarks().insert(marked->instrument);
    EXPECT_EQ(Painted(1, column::No)->GetBackgroundColour(), kBookmark);
    EXPECT_EQ(Painted(0, column::No)->GetBackgroundColour(), kBackground);
    EXPECT_EQ(Painted(1, column::Name)->GetBackgroundColour(), kBackground) << "only the row number is marked";
}

TEST_F(TableGrid, AttributesHeldTogetherAreIndependentAndReleasedOnesAreReused)
{
    Add(11.0, 10.0);
    Add(9.0, 10.0);
    Add(11.0, 10.0);
    Quote(table->RowPrice(2), kLastMask);  // a stored, flashing cell
    wxGridCellAttrPtr up = Painted(0, column::Last);
    wxGridCellAttrPtr down = Painted(1, column::Last);
    EXPECT_NE(up.get(), down.get());
    EXPECT_EQ(up->GetTextColour(), kUp);
    EXPECT_EQ(down->GetTextColour(), kDown);
    EXPECT_EQ(Painted(2, column::Last)->GetBackgroundColour(), kHighlight);
    EXPECT_EQ(up->GetBackgroundColour(), kBackground);

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

    grid->SetCellTextColour(0, column::Name, *wxBLUE);
    Flush();
    EXPECT_EQ(grid->GetCellTextColour(0, column::Name), *wxBLUE) << "explicit cell attributes are kept";
}

TEST(TableGridTeardown, DestroyingTheGridMidFlashLeavesNoTimerBehind)
{
    Instrument instrument;
    Price price;
    price.instrument = &instrument;
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
    wxCommandEvent quote(wxEVT_MENU, cmd::QuoteUpdate);
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
