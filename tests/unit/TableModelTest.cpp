// The quote table without a grid: membership, order, removal and filtering.

#include <deque>
#include <set>

#include <gtest/gtest.h>

#include "board/ColumnSpec.h"
#include "board/TickerdeckTable.h"
#include "plugin/Records.h"
#include "watchlist/FilterSet.h"

namespace {

/// Accepts only the quotes it is told to.
class ListFilter : public FilterSet
{
public:
    bool Accepts(const Price& price) const override { return accepted.count(&price) > 0; }
    std::set<const Price*> accepted;
};

class TableModelTest : public ::testing::Test
{
protected:
    Price* Add(double last, const std::string& name = "")
    {
        instruments.emplace_back();
        instruments.back().name = name;
        instruments.back().decimals = 2;
        prices.emplace_back();
        prices.back().instrument = &instruments.back();
        prices.back().last = last;
        table.AppendMember(&prices.back());
        return &prices.back();
    }

    static wxCommandEvent QuoteEvent(Price* price, int mask, bool flash = false)
    {
        wxCommandEvent event(wxEVT_MENU, 7011);
        event.SetClientData(price);
        event.SetInt(mask);
        event.SetExtraLong(flash ? 1 : 0);
        return event;
    }

    void ExpectIndexConsistent() const
    {
        for (int row = 0; row < static_cast<int>(table.Rows().size()); ++row)
            EXPECT_EQ(table.RowOf(table.Rows()[row]), row);
    }

    std::deque<Instrument> instruments;
    std::deque<Price> prices;
    TickerdeckTable table;
};

TEST_F(TableModelTest, AppendedRowsAreIndexedAndFormatted)
{
    Price* a = Add(1.5, "A");
    Price* b = Add(2.5, "B");
    EXPECT_EQ(table.GetNumberRows(), 2);
    EXPECT_EQ(table.GetNumberCols(), 31);
    EXPECT_EQ(table.RowOf(a), 0);
    EXPECT_EQ(table.RowOf(b), 1);
    EXPECT_TRUE(table.IsMember(b));
    Price outsider;
    EXPECT_FALSE(table.IsMember(&outsider));
    EXPECT_EQ(table.RowOf(&outsider), -1);
    EXPECT_EQ(table.RowPrice(1), b);
    EXPECT_EQ(table.RowPrice(2), nullptr);
    EXPECT_EQ(table.RowPrice(-1), nullptr);
    EXPECT_EQ(table.GetValue(1, column::Name), "B");
    EXPECT_EQ(table.GetValue(1, column::No), "2");
    EXPECT_EQ(table.GetValue(2, column::Name), "");
    EXPECT_EQ(table.GetColLabelValue(column::Last), "Last");
    EXPECT_FALSE(table.IsEmptyCell(0, 0));
    table.SetValue(0, column::Name, "changed");
    EXPECT_EQ(table.GetValue(0, column::Name), "A");
    EXPECT_EQ(table.GetAttr(2, 0, wxGridCellAttr::Any), nullptr);
}

TEST_F(TableModelTest, AscendingSortIsStable)
{
    Price* a = Add(2.0, "a");
    Price* b = Add(1.0, "b");
    Price* c = Add(2.0, "c");
    Price* d = Add(1.0, "d");
    table.SortRows(column::Last, true);
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{b, d, a, c}));
    ExpectIndexConsistent();
    EXPECT_EQ(table.Members(), (std::vector<Price*>{a, b, c, d}));
}

TEST_F(TableModelTest, DescendingSortReversesEqualRows)
{
    Price* a = Add(2.0, "a");
    Price* b = Add(1.0, "b");
    Price* c = Add(2.0, "c");
    Price* d = Add(1.0, "d");
    table.SortRows(column::Last, false);
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{c, a, d, b}));
    ExpectIndexConsistent();
    table.SortRows(column::No, false);  // no key: descending only reverses
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{b, d, a, c}));
    ExpectIndexConsistent();
}

TEST_F(TableModelTest, RemoveRowDropsRowAndMembershipAndReindexes)
{
    Price* a = Add(1.0);
    Price* b = Add(2.0);
    Price* c = Add(3.0);
    table.SortRows(column::Last, false);  // c b a
    table.RemoveRow(b);
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{c, a}));
    EXPECT_EQ(table.Members(), (std::vector<Price*>{a, c}));
    EXPECT_FALSE(table.IsMember(b));
    EXPECT_EQ(table.RowOf(b), -1);
    ExpectIndexConsistent();

    Price outsider;
    table.RemoveRow(&outsider);
    EXPECT_EQ(table.GetNumberRows(), 2);
}

TEST_F(TableModelTest, DuplicateMembersStayConsistent)
{
    Price* a = Add(1.0);
    Price* b = Add(2.0);
    table.AppendMember(a);
    EXPECT_EQ(table.GetNumberRows(), 3);
    EXPECT_EQ(table.RowOf(a), 0);
    table.RemoveRow(a);
    EXPECT_TRUE(table.IsMember(a));
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{b, a}));
    EXPECT_EQ(table.RowOf(a), 1);
    table.RemoveRow(a);
    EXPECT_FALSE(table.IsMember(a));
    EXPECT_EQ(table.RowOf(a), -1);
}

TEST_F(TableModelTest, RebuildKeepsStoredOrderOfAcceptedMembers)
{
    Price* a = Add(3.0);
    Price* b = Add(1.0);
    Price* c = Add(2.0);
    table.SortRows(column::Last, true);
    ListFilter filter;
    filter.accepted = {a, c};
    table.SetFilter(&filter);
    EXPECT_EQ(table.GetFilter(), &filter);
    table.RebuildRowsFromMembers();
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{a, c}));
    EXPECT_EQ(table.RowOf(b), -1);
    ExpectIndexConsistent();
    table.SetFilter(nullptr);
    table.RebuildRowsFromMembers();
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{a, b, c}));

    table.ClearRowsAndMembers();
    EXPECT_EQ(table.GetNumberRows(), 0);
    EXPECT_TRUE(table.Members().empty());
    EXPECT_FALSE(table.IsMember(a));
}

TEST_F(TableModelTest, QuoteEventsFollowTheFilter)
{
    Price* a = Add(1.0);
    Price* b = Add(2.0);
    Price stranger;
    ListFilter filter;
    filter.accepted = {a, b, &stranger};
    table.SetFilter(&filter);

    filter.accepted.erase(a);
    table.UpdateRow(QuoteEvent(a, 1 << 12));
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{b}));
    EXPECT_TRUE(table.IsMember(a));
    ExpectIndexConsistent();

    table.UpdateRow(QuoteEvent(a, 1 << 12));  // still rejected, nothing to remove
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{b}));

    filter.accepted.insert(a);
    table.UpdateRow(QuoteEvent(a, 1 << 12));
    EXPECT_EQ(table.Rows(), (std::vector<Price*>{b, a}));
    ExpectIndexConsistent();

    table.UpdateRow(QuoteEvent(&stranger, 1 << 12));  // accepted but not a member
    EXPECT_EQ(table.GetNumberRows(), 2);
    table.UpdateRow(QuoteEvent(nullptr, 1 << 12));
    EXPECT_EQ(table.GetNumberRows(), 2);
}

TEST_F(TableModelTest, ChangeBitsOfColumns)
{
    EXPECT_TRUE(TickerdeckTable::ColumnChanged(column::Last, 4096));
    EXPECT_TRUE(TickerdeckTable::ColumnChanged(column::Buy, 16));
    EXPECT_TRUE(TickerdeckTable::ColumnChanged(column::BuyVolume, 32));
    EXPECT_TRUE(TickerdeckTable::ColumnChanged(column::Sell, 64));
    EXPECT_TRUE(TickerdeckTable::ColumnChanged(column::SellVolume, 128));
    EXPECT_TRUE(TickerdeckTable::ColumnChanged(column::Exchange, static_cast<int>(0x80000000u)));
    EXPECT_FALSE(TickerdeckTable::ColumnChanged(column::Last, ~4096));
    for (int col : {0, 24, 25, 26, 30, 31, -1})
        EXPECT_FALSE(TickerdeckTable::ColumnChanged(col, ~0)) << "column " << col;
    int withBit = 0;
    for (int col = 0; col < 31; ++col)
        withBit += TickerdeckTable::ColumnChanged(col, ~0) ? 1 : 0;
    EXPECT_EQ(withBit, 26);
}

TEST_F(TableModelTest, SettingsHaveDesignedDefaults)
{
    EXPECT_EQ(table.GetTabType(), 1);
    EXPECT_FALSE(table.GetVolumeInThousands());
    EXPECT_EQ(table.GetFilter(), nullptr);
    EXPECT_TRUE(table.Accepts(nullptr));
    Price* a = Add(1.0);
    a->buyVolume = 2000.0;
    table.SetVolumeInThousands(true);
    EXPECT_EQ(table.GetValue(0, column::BuyVolume), "2");
}

}  // namespace
