// Tab filters as a user sets them: the dialog, rows leaving and coming back
// with the quotes in their sorted place, removal, and loaded filters.

#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "filter/TabFilter.h"
#include "filter/TabFilterFeature.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

class TabFilters : public BoardFixture
{
protected:
    /// A board whose dialogs belong to the test's frame, with one tab sorted
    /// by Last, highest first.
    void SetUp() override
    {
        BoardFixture::SetUp();
        SetLasts({{arpi, 1.0}, {bdi, 3.0}, {cdg, 2.0}, {ai, 12.0}});
        board = CreateBoard(0, reinterpret_cast<uintptr_t>(frame));
        grid = AddTab(board, {arpi, bdi, cdg, ai}, "Core Holdings");
        SortByLast(grid, false);
        feature = board->Features().FindFeature<TabFilterFeature>();
        ASSERT_NE(nullptr, feature);
    }

    FilterDialog* OpenDialog()
    {
        PostCommand(board, cmd::EditFilter);
        return feature->OpenFilterDialog();
    }

    /// Fills the dialog's empty row as the user does: column first.
    static void FillRow(FilterDialog* dialog, int col, int op, const wxString& content)
    {
        Choose(dialog->EmptyRow().column, dialog->EmptyRow().column->FindString(ColumnLabel(col)));
        const FilterDialog::Row& row = dialog->FilledRows().back();
        Choose(row.condition, row.condition->FindString(wxGetTranslation(FilterOperatorText(op))));
        row.content->SetValue(content);
    }

    int PageImage() const { return board->Tabs().Notebook()->GetPageImage(0); }

    TabFilterFeature* feature = nullptr;
};

TEST_F(TabFilters, ContentThatIsNoNumberIsRefusedARangeConfirmedInItsLastFieldHidesRowsAtOnceAndAnEmptyTabSaysWhy)
{
    FilterDialog* dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(frame->IsEnabled());
    EXPECT_FALSE(dialog->GetOkButton()->IsEnabled());
    FillRow(dialog, column::Last, filter_op::Above, "abc");
    EXPECT_FALSE(dialog->GetOkButton()->IsEnabled()) << "\"abc\" would have been read as 0";
    dialog->FilledRows()[0].content->SetValue("1");
    EXPECT_TRUE(dialog->GetOkButton()->IsEnabled());
    FillRow(dialog, column::Last, filter_op::Below, "10");
    EXPECT_EQ(2u, dialog->FilledRows().size());
    // Enter confirms only from the last field: elsewhere the filter may be half typed.
    PressKey(dialog->FilledRows()[0].content, WXK_RETURN);
    PressKey(dialog->FilledRows()[1].condition, WXK_RETURN);
    Flush();
    ASSERT_FALSE(dialog->IsClosing());
    PressKey(dialog->FilledRows()[1].content, WXK_RETURN);
    Flush();
    EXPECT_TRUE(frame->IsEnabled()) << "the closed dialog gives the board back";
    EXPECT_EQ((std::vector<Instrument*>{bdi, cdg}), InstrumentsShown(grid));
    EXPECT_EQ(2, grid->GetNumberRows());
    EXPECT_EQ(0, PageImage());

    dialog = OpenDialog();
    ASSERT_EQ(2u, dialog->FilledRows().size());
    FillRow(dialog, column::Code, filter_op::In, "ARPI, CDG");
    FillRow(dialog, column::Name, filter_op::Equals, "nobody");
    ASSERT_TRUE(dialog->FilledRows()[3].clear->Click());
    ClickAndFlush(dialog, wxID_OK);
    EXPECT_EQ((std::vector<Instrument*>{cdg}), InstrumentsShown(grid)) << "list items are trimmed";

    dialog = OpenDialog();
    ASSERT_EQ(3u, dialog->FilledRows().size());
    EXPECT_EQ(ColumnLabel(column::Last), dialog->FilledRows()[0].column->GetValue()) << "the rows in the order entered";
    EXPECT_EQ(ColumnLabel(column::Code), dialog->FilledRows()[2].column->GetValue());
    FillRow(dialog, column::Last, filter_op::Above, "100");
    ClickAndFlush(dialog, wxID_OK);
    EXPECT_EQ(0, grid->GetNumberRows());
    EXPECT_EQ("No rows match the filter of this tab", grid->GetEmptyText());
    feature->SetQuestion([](wxWindow*, const wxString&, const wxString&) { return true; });
    PostCommand(board, cmd::RemoveFilter);
    EXPECT_TRUE(grid->GetEmptyText().empty());
}

TEST_F(TabFilters, BlankRowsOrARemovalTakeTheFilterAndItsImageOffCancelChangesNothing)
{
    FilterDialog* dialog = OpenDialog();
    FillRow(dialog, column::Last, filter_op::AtMost, "2");
    ClickAndFlush(dialog, wxID_OK);
    ASSERT_EQ((std::vector<Instrument*>{cdg, arpi}), InstrumentsShown(grid));

    dialog = OpenDialog();
    ASSERT_EQ(1u, dialog->FilledRows().size()) << "the dialog shows the tab's filter";
    EXPECT_EQ("2", dialog->FilledRows()[0].content->GetValue());
    EXPECT_TRUE(dialog->GetOkButton()->IsEnabled());
    Choose(dialog->FilledRows()[0].column, 0);
    ClickAndFlush(dialog, wxID_OK);
    EXPECT_TRUE(board->Looks().TabFilters().empty());
    EXPECT_EQ(-1, PageImage());
    EXPECT_EQ((std::vector<Instrument*>{ai, bdi, cdg, arpi}), InstrumentsShown(grid));

    dialog = OpenDialog();
    FillRow(dialog, column::Code, filter_op::Equals, "BDI");
    ClickAndFlush(dialog, wxID_CANCEL);
    EXPECT_TRUE(board->Looks().TabFilters().empty());

    dialog = OpenDialog();
    FillRow(dialog, column::Code, filter_op::Equals, "BDI");
    ClickAndFlush(dialog, wxID_OK);
    ASSERT_EQ((std::vector<Instrument*>{bdi}), InstrumentsShown(grid));
    int asked = 0;
    bool answer = false;
    feature->SetQuestion([&](wxWindow*, const wxString&, const wxString&) { return ++asked > 0 && answer; });
    PostCommand(board, cmd::RemoveFilter);
    EXPECT_EQ((std::vector<Instrument*>{bdi}), InstrumentsShown(grid)) << "No keeps the filter";
    answer = true;
    PostCommand(board, cmd::RemoveFilter);
    EXPECT_EQ((std::vector<Instrument*>{ai, bdi, cdg, arpi}), InstrumentsShown(grid));
    EXPECT_EQ(-1, PageImage());
    EXPECT_EQ(2, asked);
}

TEST_F(TabFilters, RowsOnScreenPassWhenPaintedAheadOfTheirQuotesAndAQuoteListedTwiceLeavesWithBothRows)
{
    std::vector<Instrument*> listed;
    for (int i = 0; i < 80; ++i)
        host.PriceOf(listed.emplace_back(host.AddInstrument("F" + std::to_string(i), "AMX")))->last = 20.0;
    listed.push_back(listed[1]);  // again, below the screen
    grid = AddTab(board, listed, "Flood");
    SetTabFilter(*board, grid, std::make_unique<FilterSet>(FilterSet::Columns{{column::Last, {{1, "10"}}}}));
    const std::vector<Price*>& rows = Tickerdeck::TableOf(grid)->Rows();
    std::vector<double> painted;
    grid->GetGridWindow()->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
        for (int row = 0; row < grid->GetNumberRows(); ++row)
            if (grid->IsVisible(row, 0, false))
                painted.push_back(rows[row]->last);
        event.Skip();
    });
    // A flood: the host wrote these quotes and holds their events till the board handled the last ones.
    for (size_t i = 2; i < 80; i += 3)
        host.PriceOf(listed[i])->last = 5.0;
    grid->GetGridWindow()->Refresh();
    ASSERT_TRUE(PumpUntil([&painted] { return painted.size() > 10; }));
    EXPECT_EQ(painted.end(), std::find(painted.begin(), painted.end(), 5.0)) << "a row painted failing";
    host.PriceOf(listed[1])->last = 5.0;  // its rows on either side of the screen's edge
    for (size_t i = 1; i < 80; i += i == 1 ? 1 : 3)
        PostQuote(board, host.PriceOf(listed[i]), kLastMask);
    Flush();
    EXPECT_EQ(53u, rows.size()) << "both rows of the quote listed twice leave";
}

}  // namespace
