// The quote table inside a real grid: rows moving under quotes with the
// selection, flashes, removal and reloads, filtering and cell colours.

#include <chrono>
#include <set>
#include <vector>

#include "model/ColumnSpec.h"
#include "support/HideInstruments.h"
#include "support/QuoteGridFixture.h"

namespace {

using testing_support::Flush;
using testing_support::PumpUntil;
using testing_support::kBuyMask;
using testing_support::kLastMask;

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

    /// Whether the instruments selected in the grid are exactly `expected`.
    ::testing::AssertionResult SelectionIs(const std::set<const Price*>& expected) const
    {
        for (int row = 0; row < grid->GetNumberRows(); ++row)
        {
            const bool shouldBe = expected.count(table->RowPrice(row)) > 0;
            if (grid->IsInSelection(row, 0) != shouldBe)
                return ::testing::AssertionFailure() << "row " << row << " (last " << table->RowPrice(row)->last
                                                     << ") is " << (shouldBe ? "not " : "") << "selected";
        }
        return ::testing::AssertionSuccess();
    }

    /// Empties the table and tells the grid, as a reload does, then adds the quotes back.
    void Reload(const std::vector<Price*>& quotes, int rowsDeletedAt = 0)
    {
        const int shown = grid->GetNumberRows();
        table->ClearRowsAndMembers();
        wxGridTableMessage deleted(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, rowsDeletedAt, shown - rowsDeletedAt);
        grid->ProcessTableMessage(deleted);
        for (Price* price : quotes)
            table->AppendMember(price);
        wxGridTableMessage appended(table, wxGRIDTABLE_NOTIFY_ROWS_APPENDED, static_cast<int>(quotes.size()));
        grid->ProcessTableMessage(appended);
    }

    wxGridCellAttrPtr Painted(int row, int col) const { return wxGridCellAttrPtr(table->GetAttr(row, col, wxGridCellAttr::Any)); }
};

TEST_F(TableGrid, ASelectionOfSeveralRowsKeepsEveryInstrumentThroughMoves)
{
    AddLasts({60, 50, 40, 30, 20, 10});
    SortByLast(false);
    const std::vector<Price*> byLast(table->Rows().begin(), table->Rows().end());
    const std::set<const Price*> selected{byLast[1], byLast[4], byLast[5]};  // 50, 20, 10
    grid->SelectRow(1);
    grid->SelectRow(4, true);
    grid->SelectRow(5, true);
    ASSERT_TRUE(SelectionIs(selected));

    const auto move = [&](Price* price, double last) {
        price->last = last;
        Quote(price, kLastMask);
        return SelectionIs(selected);
    };
    EXPECT_TRUE(move(byLast[5], 55)) << "a selected row past selected and unselected ones";
    // The moved row flashes every visible column that has a change bit.
    EXPECT_EQ(table->FlashCount(), 26u);
    EXPECT_TRUE(table->IsFlashing(1, column::Exchange));
    EXPECT_FALSE(table->IsFlashing(1, column::Flag));
    EXPECT_TRUE(move(byLast[3], 58)) << "an unselected row up past a selected one";
    EXPECT_TRUE(move(byLast[2], 5)) << "an unselected row down past selected ones";
    EXPECT_TRUE(move(byLast[0], 15)) << "an unselected row down past a run of selected ones";
    EXPECT_TRUE(move(byLast[4], 70)) << "a selected row up to the top";
    EXPECT_TRUE(move(byLast[1], 1)) << "a selected row down to the bottom";
    EXPECT_EQ(grid->GetSelectedRows().size(), 3u);
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

TEST_F(TableGrid, AFlashMarksOnlyItsCellRestartsOnAQuoteAndEndsWithAReloadOrItsTime)
{
    AddLasts({50, 40, 30});
    const std::vector<Price*> quotes(table->Rows().begin(), table->Rows().end());
    Quote(quotes[2], kBuyMask);
    ASSERT_EQ(table->FlashCount(), 1u);
    const auto firstEnd = table->FlashEndAt(2, column::Buy);
    ASSERT_TRUE(firstEnd.has_value());
    EXPECT_EQ(Painted(2, column::Buy)->GetBackgroundColour(), kHighlight);
    EXPECT_EQ(Painted(2, column::Sell)->GetBackgroundColour(), kBackground);

    wxMilliSleep(5);
    Quote(quotes[2], kBuyMask);
    EXPECT_EQ(table->FlashCount(), 1u);
    EXPECT_GT(table->FlashEndAt(2, column::Buy).value_or(*firstEnd), *firstEnd) << "the flash was not restarted";

    Quote(quotes[1], kBuyMask, false);  // no flash flag
    EXPECT_EQ(table->FlashCount(), 1u);

    Reload(quotes);
    EXPECT_EQ(table->FlashCount(), 0u);
    EXPECT_EQ(Painted(2, column::Buy)->GetBackgroundColour(), kBackground);
    Quote(quotes[2], kBuyMask);
    EXPECT_EQ(Painted(2, column::Buy)->GetBackgroundColour(), kHighlight) << "a changed cell flashes again";

    Reload(quotes);
    table->SetFlashDuration(std::chrono::milliseconds(1));
    Quote(quotes[1], kBuyMask | (1 << 5));
    ASSERT_EQ(table->FlashCount(), 2u);
    ASSERT_TRUE(PumpUntil([&] { return table->FlashCount() == 0; }));
    EXPECT_EQ(Painted(1, column::Buy)->GetBackgroundColour(), kBackground) << "an ended flash";
    EXPECT_EQ(Painted(1, column::BuyVolume)->GetBackgroundColour(), kBackground);
}

TEST_F(TableGrid, OnlyCellsOnScreenFlashWhereverTheViewHasMoved)
{
    for (int n = 0; n < 200; ++n)
        Add(1000.0 - n);
    const auto flashesAt = [this](int row) {
        Quote(table->RowPrice(row), kBuyMask);
        return table->IsFlashing(row, column::Buy);
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

TEST_F(TableGrid, RemovedRowsTakeTheirFlashesAndTheOnesBelowMoveUpHoweverTheGridIsTold)
{
    for (const bool atTheTail : {false, true})
    {
        Reload({});
        AddLasts({50, 40, 30, 20});
        const std::vector<Price*> quotes(table->Rows().begin(), table->Rows().end());
        Quote(quotes[1], kBuyMask);
        Quote(quotes[3], kBuyMask);

        table->RemoveRow(quotes[0]);
        if (!atTheTail)
        {
            wxGridTableMessage deleted(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, 1);
            grid->ProcessTableMessage(deleted);
        }
        table->RemoveRow(quotes[1]);
        wxGridTableMessage deleted(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, atTheTail ? 2 : 0, atTheTail ? 2 : 1);
        grid->ProcessTableMessage(deleted);

        SCOPED_TRACE(atTheTail ? "told once at the tail" : "told row by row");
        ASSERT_EQ(table->RowOf(quotes[3]), 1);
        EXPECT_FALSE(table->IsMember(quotes[1]));
        EXPECT_EQ(table->FlashCount(), 1u);
        EXPECT_EQ(Painted(1, column::Buy)->GetBackgroundColour(), kHighlight);
        EXPECT_EQ(Painted(0, column::Buy)->GetBackgroundColour(), kBackground);
    }
}

TEST_F(TableGrid, FilterVerdictsDeleteOrAppendRowsInTheGrid)
{
    testing_support::HideInstruments filter;
    AddLasts({50, 40, 30});
    SortByLast(false);
    table->SetFilter(&filter);

    Price* middle = table->RowPrice(1);
    Quote(middle, kBuyMask);  // flashing when it goes
    filter.hidden.insert(middle->instrument);
    Quote(middle, kBuyMask);
    EXPECT_EQ(grid->GetNumberRows(), 2);
    EXPECT_EQ(table->FlashCount(), 0u);
    EXPECT_EQ(Lasts(), (std::vector<double>{50, 30}));

    filter.hidden.clear();
    middle->last = 45;
    Quote(middle, kBuyMask);  // admitted again by a change of another column
    EXPECT_EQ(grid->GetNumberRows(), 3);
    EXPECT_EQ(Lasts(), (std::vector<double>{50, 45, 30})) << "an admitted row takes its place in the sort";
    table->SetFilter(nullptr);
}

TEST_F(TableGrid, AttributesCarryColourRulesBookmarksAndFlashesEachOnItsOwn)
{
    Price* price = Add(11.0, 10.0);
    price->buy = 9.0;
    price->open = 10.5;
    const auto colourAt = [&](int col) { return Painted(0, col)->GetTextColour(); };
    EXPECT_EQ(colourAt(column::Last), kUp);
    EXPECT_EQ(colourAt(column::Buy), kDown);
    EXPECT_EQ(colourAt(column::Open), kUp);
    price->open = 10.0;  // an exact tie keeps the previous colour
    EXPECT_EQ(colourAt(column::Open), kUp);
    price->open = 9.0;
    EXPECT_EQ(colourAt(column::Open), kDown);
    price->open = 10.0;
    EXPECT_EQ(colourAt(column::Open), kDown);

    Price* marked = Add(9.0, 10.0);
    table->Bookmarks().insert(marked->instrument);
    EXPECT_EQ(Painted(1, column::No)->GetBackgroundColour(), kBookmark);
    EXPECT_EQ(Painted(0, column::No)->GetBackgroundColour(), kBackground);
    EXPECT_EQ(Painted(1, column::Name)->GetBackgroundColour(), kBackground) << "only the row number is marked";

    // Attributes held together are independent.
    Add(11.0, 10.0);
    Quote(table->RowPrice(2), kLastMask);  // a flashing cell
    wxGridCellAttrPtr up = Painted(0, column::Last);
    wxGridCellAttrPtr down = Painted(1, column::Last);
    EXPECT_NE(up.get(), down.get());
    EXPECT_EQ(up->GetTextColour(), kUp);
    EXPECT_EQ(down->GetTextColour(), kDown);
    EXPECT_EQ(Painted(2, column::Last)->GetBackgroundColour(), kHighlight);
    EXPECT_EQ(up->GetBackgroundColour(), kBackground);
    price->prevClose = 0.0;
    EXPECT_EQ(colourAt(column::Last), kText);

    grid->SetCellTextColour(0, column::Name, *wxBLUE);
    Flush();
    EXPECT_EQ(grid->GetCellTextColour(0, column::Name), *wxBLUE) << "explicit cell attributes are kept";
}

}  // namespace
