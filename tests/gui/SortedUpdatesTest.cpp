// A large sorted tab under a long stream of quote events, against a plain
// re-sort of the live quotes: rows must stay in order and every quote must
// be found at its row, whatever happened to the tab in between.

#include <algorithm>
#include <random>
#include <vector>

#include "model/ColumnSpec.h"
#include "model/FilterSet.h"
#include "model/RowComparator.h"
#include "support/QuoteGridFixture.h"

namespace {

int ChangeBit(int col)
{
    return 1 << ColumnAt(col).changeBit;
}

class SortedUpdatesTest : public testing_support::QuoteGridFixture
{
protected:
    void SetUp() override
    {
        QuoteGridFixture::SetUp();
        std::uniform_int_distribution<int> cents(1, 4000);
        for (int i = 0; i < kRows; ++i)
        {
            // Whole cents in a narrow band make ties common.
            Price* price = Add(cents(random) / 100.0);
            price->change = cents(random) / 100.0 - 20.0;
        }
    }

    void SortBy(int col, bool ascending)
    {
        grid->SetSortingColumn(col, ascending);
        table->SortRows(col, ascending);
    }

    /// Moves one random quote's `col` value the way a feed does, then tells the table.
    void Tick(int col)
    {
        Price& price = *table->Rows()[std::uniform_int_distribution<size_t>(0, table->Rows().size() - 1)(random)];
        const double step = std::uniform_int_distribution<int>(-300, 300)(random) / 100.0;
        (col == column::Last ? price.last : price.change) += step;
        Quote(&price, ChangeBit(col));
    }

    ::testing::AssertionResult InOrderAndIndexed(int col, bool ascending) const
    {
        const std::vector<Price*>& rows = table->Rows();
        for (size_t row = 0; row < rows.size(); ++row)
        {
            if (table->RowOf(rows[row]) != static_cast<int>(row))
                return ::testing::AssertionFailure() << "row " << row << " is indexed at " << table->RowOf(rows[row]);
            if (row == 0)
                continue;
            const Price& above = *rows[row - 1];
            const Price& below = *rows[row];
            if (ascending ? CompareRows(col, below, above) : CompareRows(col, above, below))
                return ::testing::AssertionFailure() << "rows " << row - 1 << " and " << row << " are out of order";
        }
        return ::testing::AssertionSuccess();
    }

    static constexpr int kRows = 400;
    std::mt19937 random{7};
    FilterSet rising{FilterSet::Columns{{column::Change, {FilterCondition{filter_op::Above, "0"}}}}};
};

TEST_F(SortedUpdatesTest, RowsStayOrderedAndIndexedThroughEveryKindOfChange)
{
    SortBy(column::Last, false);
    ASSERT_TRUE(InOrderAndIndexed(column::Last, false));
    for (int i = 0; i < 3000; ++i)
        Tick(column::Last);
    EXPECT_TRUE(InOrderAndIndexed(column::Last, false)) << "descending by Last";

    // The same column re-sorted the other way round, as a header click does.
    SortBy(column::Last, true);
    for (int i = 0; i < 1000; ++i)
        Tick(column::Last);
    EXPECT_TRUE(InOrderAndIndexed(column::Last, true)) << "ascending by Last";

    // Another column, then back: the remembered keys must follow.
    SortBy(column::Change, true);
    for (int i = 0; i < 1000; ++i)
        Tick(column::Change);
    EXPECT_TRUE(InOrderAndIndexed(column::Change, true)) << "ascending by Change";

    // Values that moved while another column was sorted are read afresh.
    SortBy(column::Last, true);
    for (int i = 0; i < 1000; ++i)
        Tick(column::Last);
    EXPECT_TRUE(InOrderAndIndexed(column::Last, true)) << "ascending by Last after Change";

    // Removed rows take their keys with them.
    for (int i = 0; i < 50; ++i)
    {
        table->RemoveRow(table->Rows()[(i * 37) % table->Rows().size()]);
        wxGridTableMessage deleted(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, 1);
        grid->ProcessTableMessage(deleted);
        Tick(column::Last);
    }
    EXPECT_EQ(table->Rows().size(), static_cast<size_t>(kRows - 50));
    EXPECT_TRUE(InOrderAndIndexed(column::Last, true)) << "after removals";

    // A change the sort column does not see moves nothing.
    const std::vector<Price*> before = table->Rows();
    Price& untouched = *table->Rows()[10];
    untouched.change += 100.0;
    Quote(&untouched, ChangeBit(column::Change));
    EXPECT_EQ(table->Rows(), before);
}

TEST_F(SortedUpdatesTest, RowsLeavingAndComingBackToAFilteredTabKeepItOrderedAndIndexed)
{
    table->SetFilter(&rising);
    table->RebuildRowsFromMembers();
    wxGridTableMessage hidden(table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, kRows - table->GetNumberRows());
    grid->ProcessTableMessage(hidden);
    SortBy(column::Last, false);
    // Far more turns than the index lets pass before it catches up, many of
    // them under rows that are not looked up again for a long while.
    std::uniform_int_distribution<size_t> any(0, kRows - 1);
    std::uniform_int_distribution<int> cents(-300, 300);
    for (int i = 0; i < 3000; ++i)
    {
        Price& price = *table->Members()[any(random)];
        price.last += cents(random) / 100.0;
        price.change = cents(random) / 100.0;
        Quote(&price, ChangeBit(column::Last) | ChangeBit(column::Change));
    }
    EXPECT_TRUE(InOrderAndIndexed(column::Last, false));
    const auto passes = [this](const Price* price) { return rising.Accepts(*price); };
    EXPECT_EQ(std::count_if(table->Members().begin(), table->Members().end(), passes), table->GetNumberRows());
    EXPECT_TRUE(std::all_of(table->Rows().begin(), table->Rows().end(), passes));
    EXPECT_EQ(table->GetNumberRows(), grid->GetNumberRows());

    // A flash stays on its quote's cell while a row comes in above it and leaves again.
    Quote(table->Rows()[5], ChangeBit(column::Last));
    const auto flashEnd = table->FlashEndAt(5, column::Last);
    ASSERT_TRUE(flashEnd);
    Price& comeback = **std::find_if_not(table->Members().begin(), table->Members().end(), passes);
    comeback.last = 1e6;
    comeback.change = 1.0;
    const int bits = ChangeBit(column::Last) | ChangeBit(column::Change);
    Quote(&comeback, bits);
    ASSERT_EQ(0, table->RowOf(&comeback));
    EXPECT_EQ(flashEnd, table->FlashEndAt(6, column::Last));
    comeback.change = -1.0;
    Quote(&comeback, bits);
    EXPECT_EQ(flashEnd, table->FlashEndAt(5, column::Last));
    EXPECT_FALSE(table->FlashEndAt(0, column::Change) > flashEnd)
        << "the leaving row's flashes end with it";

    // A returning row goes below the rows it ties with, as a move from the
    // bottom would, in either order.
    for (bool ascending : {false, true})
    {
        SortBy(column::Last, ascending);
        Quote(table->Rows()[0], ChangeBit(column::Last));  // a move builds the keys a returning row is placed by
        const double tie = table->Rows()[3]->last;
        comeback.last = tie;
        comeback.change = 1.0;
        Quote(&comeback, bits);
        const int row = table->RowOf(&comeback);
        ASSERT_GT(row, 3) << "ascending " << ascending;
        EXPECT_EQ(tie, table->Rows()[row - 1]->last);
        EXPECT_TRUE(row + 1 == table->GetNumberRows() || table->Rows()[row + 1]->last != tie);
        comeback.change = -1.0;
        Quote(&comeback, bits);
    }
    table->SetFilter(nullptr);
}

TEST_F(SortedUpdatesTest, AQuoteListedTwiceIsFoundAtItsFirstRowAfterMoves)
{
    Price* twice = table->Rows()[5];
    table->AppendMember(twice);
    wxGridTableMessage appended(table, wxGRIDTABLE_NOTIFY_ROWS_APPENDED, 1);
    grid->ProcessTableMessage(appended);
    SortBy(column::Last, false);
    for (int i = 0; i < 2000; ++i)
    {
        Tick(column::Last);
        if (i % 100 == 0)
        {
            twice->last += 1.0;
            Quote(twice, ChangeBit(column::Last));
        }
    }
    const std::vector<Price*>& rows = table->Rows();
    const auto first = std::find(rows.begin(), rows.end(), twice);
    ASSERT_NE(first, rows.end());
    EXPECT_EQ(table->RowOf(twice), static_cast<int>(first - rows.begin()));
    for (size_t row = 0; row < rows.size(); ++row)
    {
        if (rows[row] == twice)
            continue;
        ASSERT_EQ(table->RowOf(rows[row]), static_cast<int>(row));
    }
}

TEST_F(SortedUpdatesTest, NumericKeysOrderRowsExactlyAsTheComparator)
{
    std::uniform_int_distribution<int> small(-3, 3);
    std::vector<Price> samples(60);
    for (Price& price : samples)
    {
        // Few distinct values, negative ones and ties included.
        price.last = price.change = price.changePercent = price.buy = price.sell = price.open = small(random) * 0.5;
        price.high = price.low = price.vwap = price.prevClose = price.closing = small(random) * 1e-9;
        price.buyVolume = price.sellVolume = price.cumVolume = price.cumValue = price.moneyFlow = small(random) * 1e6;
        price.amplitude = small(random) * 0.25;
        price.deals = small(random) * 1000;
        price.tradeType = "+- "[std::abs(small(random)) % 3];
    }
    for (int col = 0; col < TickerdeckTable::kColumnCount; ++col)
    {
        if (!HasNumericSortKey(col))
            continue;
        for (const Price& a : samples)
            for (const Price& b : samples)
                ASSERT_EQ(NumericSortKey(col, a) < NumericSortKey(col, b), CompareRows(col, a, b)) << "column " << col;
    }
}

}  // namespace
