// Colour rules as a user sets them: the dialog's refusals, the rules reaching
// the painted cells of one tab or all, and rules that cannot be used named.

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "kit/BoardNotice.h"
#include "board/ComputedColumnGrid.h"
#include "colours/ColourRulesDialog.h"
#include "colours/ColourRulesFeature.h"
#include "support/BoardFixture.h"
#include "support/RuleSpec.h"

namespace {

using namespace testing_support;

wxColour Rgb(uint32_t rgb)
{
    return wxColour(static_cast<unsigned char>(rgb >> 16), static_cast<unsigned char>(rgb >> 8),
                    static_cast<unsigned char>(rgb));
}

class ColourRulesUse : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        SetLasts({{arpi, 1.0}, {bdi, 3.0}, {cdg, 2.0}});
        board = CreateBoard(0, reinterpret_cast<uintptr_t>(frame));
        grid = AddTab(board, {arpi, bdi, cdg}, "Core");
        other = AddTab(board, {arpi}, "Other");
        board->Tabs().Notebook()->SetSelection(0);
        Flush();
        feature = board->Features().FindFeature<ColourRulesFeature>();
        ASSERT_NE(nullptr, feature);
    }

    wxColour BackgroundAt(wxGridEx* on, Instrument* instrument, int col)
    {
        int row = 0;
        while (Tickerdeck::TableOf(on)->RowPrice(row)->instrument != instrument)
            ++row;
        return on->GetCellBackgroundColour(row, col);
    }

    wxGridEx* other = nullptr;
    ColourRulesFeature* feature = nullptr;
};

TEST_F(ColourRulesUse, NumbersThatDoNotReadAreRefusedAndConfirmedRulesColourEveryTabAsked)
{
    ColourRulesDialog* dialog = feature->OpenRulesDialog(*board);
    ASSERT_NE(nullptr, dialog);
    dialog->AddRule();
    Choose(dialog->GetColumnChoice(), dialog->GetColumnChoice()->FindString(ColumnLabel(column::TradeType)));
    EXPECT_FALSE(dialog->GetAgainstChoice()->IsEnabled()) << "the trade's direction is a code, not a quantity";
    Choose(dialog->GetColumnChoice(), dialog->GetColumnChoice()->FindString(ColumnLabel(column::Last)));
    Choose(dialog->GetConditionChoice(),
           dialog->GetConditionChoice()->FindString(wxGetTranslation(RuleOperatorText(filter_op::Above))));
    EXPECT_TRUE(dialog->GetAgainstChoice()->IsEnabled());
    EXPECT_NE(wxNOT_FOUND, dialog->GetAgainstChoice()->FindString(ColumnLabel(column::Vwap), true));
    EXPECT_EQ(wxNOT_FOUND, dialog->GetAgainstChoice()->FindString(ColumnLabel(column::TradeType), true));
    dialog->GetValueField()->SetValue("abc");
    EXPECT_FALSE(dialog->GetOkButton()->IsEnabled()) << "\"abc\" would read as 0";
    EXPECT_FALSE(dialog->Refusal().empty());
    EXPECT_EQ(dialog->Refusal(), dialog->GetValueField()->GetToolTipText()) << "the reason stays on the field";
    dialog->GetValueField()->SetValue("1.5");
    EXPECT_TRUE(dialog->GetOkButton()->IsEnabled());
    Choose(dialog->GetConditionChoice(),
           dialog->GetConditionChoice()->FindString(wxGetTranslation(RuleOperatorText(rule_op::Between))));
    dialog->GetUpperField()->SetValue("2..5");
    EXPECT_FALSE(dialog->GetOkButton()->IsEnabled()) << "the upper bound is checked too";
    dialog->GetUpperField()->SetValue("2.5");
    Choose(dialog->GetTargetChoice(), 1);
    Choose(dialog->GetBackgroundChoice(), 2); // the palette's second colour
    ClickAndFlush(dialog, wxID_OK);

    const uint32_t green = ColourRulesDialog::Palette()[1];
    ASSERT_EQ(1u, Tickerdeck::TableOf(grid)->Styler().GetColourRules().size());
    const ColourRuleSpec& rule = Tickerdeck::TableOf(grid)->Styler().GetColourRules()[0];
    EXPECT_EQ("1.5", rule.value);
    EXPECT_EQ("2.5", rule.upper);
    EXPECT_TRUE(rule.wholeRow);
    EXPECT_EQ(Rgb(green), BackgroundAt(grid, cdg, column::Code)) << "2 lies between";
    EXPECT_NE(Rgb(green), BackgroundAt(grid, bdi, column::Code));
    EXPECT_TRUE(Tickerdeck::TableOf(other)->Styler().GetColourRules().empty()) << "only this tab was asked for";

    dialog = feature->OpenRulesDialog(*board);
    ASSERT_EQ(1u, dialog->GetList()->GetCount());
    dialog->GetList()->SetSelection(0);
    dialog->AddRule();  // a cell rule below the row rule still wins on its cell
    Choose(dialog->GetColumnChoice(), dialog->GetColumnChoice()->FindString(ColumnLabel(column::Code)));
    Choose(dialog->GetConditionChoice(),
           dialog->GetConditionChoice()->FindString(wxGetTranslation(RuleOperatorText(filter_op::Equals))));
    dialog->GetValueField()->SetValue("CDG");
    Choose(dialog->GetBackgroundChoice(), 1);
    ASSERT_TRUE(dialog->GetOkButton()->IsEnabled()) << "texts are no numbers to refuse";
    dialog->MoveRule(-1);
    EXPECT_EQ(column::Code, dialog->Rules()[0].column);
    dialog->GetAllTabsBox()->SetValue(true);
    ASSERT_TRUE(dialog->ForAllTabs());
    ClickAndFlush(dialog, wxID_OK);
    EXPECT_EQ(Rgb(ColourRulesDialog::Palette()[0]), BackgroundAt(grid, cdg, column::Code));
    EXPECT_EQ(Rgb(green), BackgroundAt(grid, cdg, column::Name));
    EXPECT_EQ(2u, Tickerdeck::TableOf(other)->Styler().GetColourRules().size());
}

TEST_F(ColourRulesUse, RulesThatCannotBeUsedAreKeptMarkedAndNamed)
{
    ColourRuleSpec unread;
    unread.verbatim = {{"column", "Last"}, {"condition", "above"}};
    ColourRuleSpec noNumber;
    noNumber.value = "1,5";
    noNumber.style.bold = true;
    board->Looks().SetColourRules(grid, {unread, noNumber});
    const wxString notice = board->Toolbar().Notice()->Text();
    EXPECT_NE(wxNOT_FOUND, notice.Find("Core")) << notice;
    EXPECT_NE(wxNOT_FOUND, notice.Find("rule 1")) << notice;
    EXPECT_NE(wxNOT_FOUND, notice.Find("rule 2")) << notice;

    ColourRulesDialog* dialog = feature->OpenRulesDialog(*board);
    ASSERT_EQ(2u, dialog->GetList()->GetCount());
    EXPECT_TRUE(dialog->GetList()->GetString(0).StartsWith("(unreadable)"));
    EXPECT_NE(wxNOT_FOUND, dialog->GetList()->GetString(0).Find("column=\"Last\""));
    EXPECT_FALSE(dialog->GetColumnChoice()->IsEnabled()) << "an unread rule is kept, not edited";
    dialog->Close();
    Flush();
    EXPECT_EQ(2u, Tickerdeck::TableOf(grid)->Styler().GetColourRules().size());

    board->Looks().SetColourRules(grid, {});
    EXPECT_TRUE(board->Toolbar().Notice()->Text().empty()) << "the notice goes with the rules";
}

TEST_F(ColourRulesUse, ASetBringsItsComputedColumnsToATabLackingThemAndAddsThemOnce)
{
    const ComputedColumnDef doubled{"Doubled", "Last * 2", 1};
    FormulaRefusal why;
    ASSERT_TRUE(computed_columns::Set(*board, grid, 0, doubled, &why));
    const int col = column::Count;
    grid->SetColSize(col, 95);
    grid->SetSortingColumn(col, false);
    board->Looks().SetColourRules(grid, {Rule(col, filter_op::Above, "3", {{}, RuleColour::Of(0xC62828)})});
    const layout::ColumnSet set = ColourRulesFeature::SetOfTab(grid, "Doubling");
    EXPECT_EQ(std::vector<ComputedColumnDef>{doubled}, set.computed);

    // The other tab has a column of its own: the set's comes after it.
    ASSERT_TRUE(computed_columns::Set(*board, other, 0, {"Range", "High - Low", 2}, &why));
    board->Looks().ApplyColumnSet(other, set);
    board->Looks().ApplyColumnSet(other, set);
    ASSERT_EQ(column::Count + 2, other->GetNumberCols()) << "applied twice, added once";
    TickerdeckTable* table = Tickerdeck::TableOf(other);
    EXPECT_EQ("Doubled", table->GetColLabelValue(col + 1));
    EXPECT_EQ("2.0", table->GetValue(0, col + 1));
    EXPECT_EQ(col + 1, other->GetSortingColumn());
    EXPECT_FALSE(other->IsSortOrderAscending());
    EXPECT_EQ(95, other->GetColSize(col + 1));
    EXPECT_TRUE(other->IsColShown(col));
    ASSERT_EQ(1u, table->Styler().GetColourRules().size());
    EXPECT_EQ(col + 1, table->Styler().GetColourRules()[0].column);
    layout::ColumnSet finer = set;
    finer.computed[0].decimals = 3;
    board->Looks().ApplyColumnSet(other, finer);
    EXPECT_EQ(column::Count + 2, other->GetNumberCols());
    EXPECT_EQ("2.000", table->GetValue(0, col + 1)) << "the set's decimals";

    board->Looks().ApplyColumnSet(grid, set);
    EXPECT_EQ(column::Count + 1, grid->GetNumberCols()) << "the tab it came from has it already";
    EXPECT_EQ(Rgb(0xC62828), BackgroundAt(grid, bdi, col)) << "3 doubled is above 3";
    EXPECT_NE(Rgb(0xC62828), BackgroundAt(grid, arpi, col));
}

}  // namespace
