// Computed columns on a board: the dialog's refusals, and a column that
// sorts, follows quotes, filters, survives a save and goes again.

#include <algorithm>

#include <wx/textctrl.h>

#include "board/ComputedColumnGrid.h"
#include "commands/ComputedColumnDialog.h"
#include "commands/GridMenus.h"
#include "layout/WindowNodeReader.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

constexpr int kSpread = column::Count;  // the first computed column

class ComputedColumnsGui : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        Quote(arpi, 10.0, 10.5, 10.0);  // 5 %
        Quote(bdi, 20.0, 20.2, 20.0);   // 1 %
        Quote(cdg, 0.0, 5.0, 5.0);      // no bid: blank
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="ARPI"/>)"
                   R"(<instrument exchange="AMX" code="BDI"/><instrument exchange="AMX" code="CDG"/></watchlist>)");
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
        grid = board->Tabs().CurrentGrid();
        table = Tickerdeck::TableOf(grid);
    }

    void Quote(Instrument* instrument, double buy, double sell, double last)
    {
        Price* price = host.PriceOf(instrument);
        price->buy = buy;
        price->sell = sell;
        price->last = last;
    }

    wxString Cell(Instrument* instrument) { return table->GetValue(table->Index().RowOf(host.PriceOf(instrument)), kSpread); }

    TickerdeckTable* table = nullptr;
};

TEST_F(ComputedColumnsGui, TheDialogRefusesTakenNamesAndUnreadableFormulasWithWhereAndWhyAndAddsNothing)
{
    ComputedColumnDialog* dialog = board->Features().FindFeature<GridMenus>()->OpenColumnDialog(*board, 0);
    ASSERT_NE(nullptr, dialog);
    dialog->GetNameField()->SetValue("last");
    dialog->GetFormulaField()->SetValue("(Sell - Buy) / Last * 100");
    PressButton(dialog, wxID_OK);
    EXPECT_EQ("A column is already called \"last\"", dialog->GetRefusal());
    dialog->GetNameField()->SetValue("Spread %");
    dialog->GetFormulaField()->SetValue("(Sell - Buy) / Lst * 100");
    PressButton(dialog, wxID_OK);
    EXPECT_EQ("At character 16: \"Lst\" is no column or function", dialog->GetRefusal());
    EXPECT_EQ(15, dialog->GetFormulaField()->GetInsertionPoint()) << "the caret stands where reading stopped";
    EXPECT_EQ(column::Count, grid->GetNumberCols());

    dialog->GetFormulaField()->SetValue("(sell - buy) / last * 100");
    PressButton(dialog, wxID_OK);
    EXPECT_EQ("", dialog->GetRefusal());
    ASSERT_EQ(column::Count + 1, grid->GetNumberCols());
    EXPECT_EQ("Spread %", table->GetColLabelValue(kSpread));
    EXPECT_EQ((ComputedColumnDef{"Spread %", "(Sell - Buy) / Last * 100", 2}), table->Format().computed.Def(0));
    EXPECT_EQ("5.00", Cell(arpi));
}

TEST_F(ComputedColumnsGui, AComputedColumnSortsFollowsQuotesFiltersIsSavedAndRemovedWithItsFilterAndSort)
{
    FormulaRefusal why;
    ASSERT_TRUE(computed_columns::Set(*board, grid, 0, {"Spread %", "(Sell - Buy) / Last * 100", 2}, &why));
    grid->SetSortingColumn(kSpread, false);
    table->Order().SortRows(kSpread, false);
    EXPECT_EQ((std::vector<Instrument*>{arpi, bdi, cdg}), InstrumentsShown(grid)) << "the blank sorts last going down";

    host.PriceOf(bdi)->sell = 22.0;  // 10 %
    table->UpdateRow(QuoteEvent(host.PriceOf(bdi), 1 << ColumnAt(column::Sell).changeBit));
    EXPECT_EQ((std::vector<Instrument*>{bdi, arpi, cdg}), InstrumentsShown(grid));
    EXPECT_EQ("10.00", Cell(bdi));

    auto filter = std::make_unique<FilterSet>(FilterSet::Columns{{kSpread, {{filter_op::Above, "6", 0}}}});
    ApplyFilter(grid, filter.get());
    board->Looks().TabFilters()[grid->GetSplitter()] = std::move(filter);
    EXPECT_EQ((std::vector<Instrument*>{bdi}), InstrumentsShown(grid));

    const Tree saved = Saved(board);
    const Tree& tab = saved.get_child("watchlists.watchlist");
    EXPECT_EQ("(Sell - Buy) / Last * 100", tab.get("computed.column.<xmlattr>.formula", ""));
    Tickerdeck* again = LoadBoard(nullptr, &saved);
    wxGridEx* restored = again->Tabs().CurrentGrid();
    ASSERT_EQ(column::Count + 1, restored->GetNumberCols());
    EXPECT_EQ(kSpread, restored->GetSortingColumn());
    EXPECT_EQ((std::vector<Instrument*>{bdi}), InstrumentsShown(restored)) << "filtered on the column as it was left";

    computed_columns::Remove(*board, grid, 0);
    EXPECT_EQ(column::Count, grid->GetNumberCols());
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn());
    EXPECT_EQ(nullptr, table->Filter().Get());
    EXPECT_EQ(3u, InstrumentsShown(grid).size());
}

TEST_F(ComputedColumnsGui, AFormulaThatCannotBeReadIsKeptBlankMarkedNamedAndStoredBackUnchanged)
{
    Tickerdeck* edited = LoadNode(
        R"(<watchlists><watchlist name="Core" type="1"><columns/><computed first="32">)"
        R"(<column name="Broken" formula="(Sell - Buy" decimals="3"/>)"
        R"(<column name="Spread %" formula="(Sell - Buy) / Last * 100" decimals="2"/>)"
        R"(</computed></watchlist></watchlists>)");
    wxGridEx* opened = edited->Tabs().CurrentGrid();
    TickerdeckTable* shown = Tickerdeck::TableOf(opened);
    ASSERT_EQ(column::Count + 2, opened->GetNumberCols()) << "the column stays in its place";
    EXPECT_EQ("Broken (formula unreadable)", shown->GetColLabelValue(kSpread));
    EXPECT_EQ("", shown->GetValue(shown->Index().RowOf(host.PriceOf(arpi)), kSpread));
    EXPECT_EQ("Spread %", shown->GetColLabelValue(kSpread + 1));
    EXPECT_EQ("5.00", shown->GetValue(shown->Index().RowOf(host.PriceOf(arpi)), kSpread + 1));
    EXPECT_NE(std::string::npos, Notices().find("keeps the column \"Broken\" blank")) << Notices();

    const Tree saved = Saved(edited);
    const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(saved.get_child("watchlists"));
    ASSERT_EQ(1u, tabs.size());
    EXPECT_EQ((std::vector<ComputedColumnDef>{{"Broken", "(Sell - Buy", 3}, {"Spread %", "(Sell - Buy) / Last * 100", 2}}),
              tabs[0].computed);
    for (const auto& [key, column] : saved.get_child("watchlists.watchlist.columns"))
        EXPECT_EQ(std::string::npos, column.get("<xmlattr>.name", "").find("unreadable")) << "no shown text is stored";
}

}  // namespace
