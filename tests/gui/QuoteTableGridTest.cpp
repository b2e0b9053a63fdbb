// The quote table inside a real grid: rows moving under quotes with the
// selection, flashes, removal and reloads, cell colours, and a large sorted
// tab under a long stream of quotes checked against a plain re-sort.

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "model/ColumnSpec.h"
#include "model/FilterSet.h"
#include "model/RowComparator.h"
#include "support/QuoteGridFixture.h"

namespace {

using namespace testing_support;

class TableGrid : public QuoteGridFixture
{
protected:
    void AddLasts(std::initializer_list<double> lasts)
    {
        for (double last : lasts)
            Add(last);
    }

    void SortBy(int col, bool ascending)
    {
        grid->SetSortingColumn(col, ascending);
        table->Order().SortRows(col, ascending);
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
    void Reload(const std::vector<Price*>& quotes)
    {
        const int shown = grid->GetNumberRows();
        table->ClearRowsAndMembers();
        TellGrid(wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, shown);
        for (Price* price : quotes)
            table->AppendMember(price);
        TellGrid(wxGRIDTABLE_NOTIFY_ROWS_APPENDED, static_cast<int>(quotes.size()));
    }

    wxGridCellAttrPtr Painted(int row, int col) const { return wxGridCellAttrPtr(table->GetAttr(row, col, wxGridCellAttr::Any)); }
};

TEST_F(TableGrid, ASelectionOfSeveralRowsKeepsEveryInstrumentThroughMoves)
{
    AddLasts({60, 50, 40, 30, 20, 10});
    SortBy(column::Last, false);
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
    EXPECT_TRUE(table->View().IsFlashing(1, column::Exchange));
    EXPECT_FALSE(table->View().IsFlashing(1, column::Flag));
    EXPECT_TRUE(move(byLast[3], 58)) << "an unselected row up past a selected one";
    EXPECT_TRUE(move(byLast[2], 5)) << "an unselected row down past selected ones";
    EXPECT_TRUE(move(byLast[4], 70)) << "a selected row up to the top";
    EXPECT_TRUE(move(byLast[1], 1)) << "a selected row down to the bottom";
    EXPECT_EQ(grid->GetSelectedRows().size(), 3u);
}

TEST_F(TableGrid, AFlashMarksOnlyItsCellRestartsOnAQuoteAndEndsWithAReloadOrItsTime)
{
    AddLasts({50, 40, 30});
    const std::vector<Price*> quotes(table->Rows().begin(), table->Rows().end());
    Quote(quotes[2], kBuyMask);
    ASSERT_EQ(table->View().FlashCount(), 1u);
    const auto firstEnd = table->View().FlashEndAt(2, column::Buy);
    ASSERT_TRUE(firstEnd.has_value());
    EXPECT_EQ(Painted(2, column::Buy)->GetBackgroundColour(), kHighlight);
    EXPECT_EQ(Painted(2, column::Sell)->GetBackgroundColour(), kBackground);

    wxMilliSleep(5);
    Quote(quotes[2], kBuyMask);
    EXPECT_EQ(table->View().FlashCount(), 1u);
    EXPECT_GT(table->View().FlashEndAt(2, column::Buy).value_or(*firstEnd), *firstEnd) << "the flash was not restarted";

    Reload(quotes);
    EXPECT_EQ(table->View().FlashCount(), 0u);
    EXPECT_EQ(Painted(2, column::Buy)->GetBackgroundColour(), kBackground);
    Quote(quotes[2], kBuyMask);
    EXPECT_EQ(Painted(2, column::Buy)->GetBackgroundColour(), kHighlight) << "a changed cell flashes again";

    Reload(quotes);
    table->View().SetFlashDuration(std::chrono::milliseconds(1));
    Quote(quotes[1], kBuyMask | (1 << 5));
    ASSERT_EQ(table->View().FlashCount(), 2u);
    ASSERT_TRUE(PumpUntil([&] { return table->View().FlashCount() == 0; }));
    EXPECT_EQ(Painted(1, column::Buy)->GetBackgroundColour(), kBackground) << "an ended flash";
    EXPECT_EQ(Painted(1, column::BuyVolume)->GetBackgroundColour(), kBackground);
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
            TellGrid(wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, 1);
        table->RemoveRow(quotes[1]);
        TellGrid(wxGRIDTABLE_NOTIFY_ROWS_DELETED, atTheTail ? 2 : 0, atTheTail ? 2 : 1);

        SCOPED_TRACE(atTheTail ? "told once at the tail" : "told row by row");
        ASSERT_EQ(table->Index().RowOf(quotes[3]), 1);
        EXPECT_FALSE(table->Members().Contains(quotes[1]));
        EXPECT_EQ(table->View().FlashCount(), 1u);
        EXPECT_EQ(Painted(1, column::Buy)->GetBackgroundColour(), kHighlight);
        EXPECT_EQ(Painted(0, column::Buy)->GetBackgroundColour(), kBackground);
    }
}

TEST_F(TableGrid, AttributesCarryColourRulesBookmarksAndFlashesEachOnItsOwn)
{
    Add(11.0, 10.0);
    Price* marked = Add(9.0, 10.0);
    table->Members().Bookmarks().insert(marked->instrument);
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

    grid->SetCellTextColour(0, column::Name, *wxBLUE);
    Flush();
    EXPECT_EQ(grid->GetCellTextColour(0, column::Name), *wxBLUE) << "explicit cell attributes are kept";
}

int ChangeBit(int col)
{
    return 1 << ColumnAt(col).changeBit;
}

class SortedUpdatesTest : public TableGrid
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

    /// Moves one random quote's `col` value the way a feed does, then tells the table.
    /// With `anyMember`, hidden rows move too and the change takes a new sign, which a
    /// filter on it may turn either way.
    void Tick(int col, bool anyMember = false)
    {
        const std::vector<Price*>& pool = anyMember ? table->Members().List() : table->Rows();
        Price& price = *pool[std::uniform_int_distribution<size_t>(0, pool.size() - 1)(random)];
        std::uniform_int_distribution<int> cents(-300, 300);
        (col == column::Last ? price.last : price.change) += cents(random) / 100.0;
        if (anyMember)
            price.change = cents(random) / 100.0;
        Quote(&price, ChangeBit(col) | (anyMember ? ChangeBit(column::Change) : 0));
    }

    /// `twice` is a quote listed twice: found at its first row, and moved by it alone.
    ::testing::AssertionResult InOrderAndIndexed(int col, bool ascending, const Price* twice = nullptr) const
    {
        const std::vector<Price*>& rows = table->Rows();
        for (size_t row = 0; row < rows.size(); ++row)
        {
            const bool first = std::find(rows.begin(), rows.begin() + row, rows[row]) == rows.begin() + row;
            if (first && table->Index().RowOf(rows[row]) != static_cast<int>(row))
                return ::testing::AssertionFailure() << "row " << row << " is indexed at " << table->Index().RowOf(rows[row]);
            if (row == 0 || rows[row] == twice || rows[row - 1] == twice)
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
    // Each column both ways, as header clicks do, then back: the remembered
    // keys must follow, and values that moved meanwhile are read afresh.
    const std::pair<int, bool> sorts[] = {
        {column::Last, false}, {column::Last, true}, {column::Change, true}, {column::Last, true}};
    for (const auto& [col, ascending] : sorts)
    {
        SortBy(col, ascending);
        for (int i = 0; i < 1000; ++i)
            Tick(col);
        EXPECT_TRUE(InOrderAndIndexed(col, ascending)) << "column " << col << ", ascending " << ascending;
    }

    // Removed rows take their keys with them.
    for (int i = 0; i < 50; ++i)
    {
        table->RemoveRow(table->Rows()[(i * 37) % table->Rows().size()]);
        TellGrid(wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, 1);
        Tick(column::Last);
    }
    EXPECT_EQ(table->Rows().size(), static_cast<size_t>(kRows - 50));
    EXPECT_TRUE(InOrderAndIndexed(column::Last, true)) << "after removals";

    // A quote listed twice is found at its first row however its rows move.
    Price* twice = table->Rows()[5];
    table->AppendMember(twice);
    TellGrid(wxGRIDTABLE_NOTIFY_ROWS_APPENDED, 1);
    SortBy(column::Last, false);
    for (int i = 0; i < 1000; ++i)
        Tick(column::Last);
    EXPECT_TRUE(InOrderAndIndexed(column::Last, false, twice)) << "with a quote listed twice";

    // A change the sort column does not see moves nothing.
    const std::vector<Price*> before = table->Rows();
    Price& untouched = *table->Rows()[10];
    untouched.change += 100.0;
    Quote(&untouched, ChangeBit(column::Change));
    EXPECT_EQ(table->Rows(), before);
}

TEST_F(SortedUpdatesTest, RowsLeavingAndComingBackToAFilteredTabKeepItOrderedAndIndexed)
{
    table->Filter().Set(&rising);
    table->RebuildRowsFromMembers();
    TellGrid(wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, kRows - table->GetNumberRows());
    SortBy(column::Last, false);
    // Far more turns than the index lets pass before it catches up, many of
    // them under rows that are not looked up again for a long while.
    for (int i = 0; i < 3000; ++i)
        Tick(column::Last, true);
    EXPECT_TRUE(InOrderAndIndexed(column::Last, false));
    const auto passes = [this](const Price* price) { return rising.Accepts(*price); };
    EXPECT_EQ(std::count_if(table->Members().List().begin(), table->Members().List().end(), passes), table->GetNumberRows());
    EXPECT_TRUE(std::all_of(table->Rows().begin(), table->Rows().end(), passes));
    EXPECT_EQ(table->GetNumberRows(), grid->GetNumberRows());

    // A flash stays on its quote's cell while a row comes in above it and leaves again.
    Quote(table->Rows()[5], ChangeBit(column::Last));
    const auto flashEnd = table->View().FlashEndAt(5, column::Last);
    ASSERT_TRUE(flashEnd);
    Price& comeback = **std::find_if_not(table->Members().List().begin(), table->Members().List().end(), passes);
    comeback.last = 1e6;
    comeback.change = 1.0;
    const int bits = ChangeBit(column::Last) | ChangeBit(column::Change);
    Quote(&comeback, bits);
    ASSERT_EQ(0, table->Index().RowOf(&comeback));
    EXPECT_EQ(flashEnd, table->View().FlashEndAt(6, column::Last));
    comeback.change = -1.0;
    Quote(&comeback, bits);
    EXPECT_EQ(flashEnd, table->View().FlashEndAt(5, column::Last));
    EXPECT_FALSE(table->View().FlashEndAt(0, column::Change) > flashEnd)
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
        const int row = table->Index().RowOf(&comeback);
        ASSERT_GT(row, 3) << "ascending " << ascending;
        EXPECT_EQ(tie, table->Rows()[row - 1]->last);
        EXPECT_TRUE(row + 1 == table->GetNumberRows() || table->Rows()[row + 1]->last != tie);
        comeback.change = -1.0;
        Quote(&comeback, bits);
    }
}

TEST_F(SortedUpdatesTest, TextKeysOrderRowsExactlyAsTheComparatorBothWaysKeepingTies)
{
    // Texts that share their first eight bytes, end inside them, hold a zero
    // byte or bytes past 0x7f, and rows without an instrument.
    const std::vector<std::string> texts{"", "A", "AB", "ABCDEFGH", "ABCDEFGHI", "ABCDEFGHJ", "ABCDEFGH\xc3\xa4",
                                         std::string("AB\0", 3), std::string("AB\0C", 4), "\xe2\x82\xac", "a", "ABCDEFG",
                                         "A\xc3\xa4", "BA"};
    std::uniform_int_distribution<size_t> pick(0, texts.size() - 1);
    for (int i = 0; i < 80; ++i)
    {
        Price* price = Add(0.0);
        price->instrument->name = texts[pick(random)];
        price->statusNote = texts[pick(random)];
        if (i % 9 == 0)
            price->instrument = nullptr;
    }
    for (int col : {int(column::Name), int(column::Status)})
        for (bool ascending : {true, false})
        {
            ASSERT_TRUE(HasTextSortKey(col));
            std::vector<Price*> expected(table->Rows().begin(), table->Rows().end());
            if (!ascending)
                std::reverse(expected.begin(), expected.end());
            std::stable_sort(expected.begin(), expected.end(), [&](const Price* a, const Price* b) {
                return ascending ? CompareRows(col, *a, *b) : CompareRows(col, *b, *a);
            });
            table->Order().SortRows(col, ascending);
            EXPECT_EQ(expected, table->Rows()) << "column " << col << (ascending ? " up" : " down");
            for (size_t row = 0; row < expected.size(); ++row)
                ASSERT_EQ(static_cast<int>(row), table->Index().RowOf(expected[row])) << "the index follows the sort";
        }
}

// The keys sorted tabs remember stand for the comparator; no table is needed to check that.
TEST(NumericSortKeys, OrderQuotesExactlyAsTheComparator)
{
    std::mt19937 random{7};
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
