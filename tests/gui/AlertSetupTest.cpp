// The setup dialog: filled for a new or an existing alert, "Activate"
// creating versus editing in place, and incomplete alerts kept out.

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "alert/PriceAlertSetup.h"
#include "board/RefusalBalloon.h"
#include "support/AlertFixture.h"

namespace {

using testing_support::Flush;
using testing_support::GroupingLocale;

using AlertSetup = testing_support::AlertFixture;
using testing_support::Choose;

TEST_F(AlertSetup, ActivateWaitsForAFieldAndAReadableValueThenCreatesTheAlertAndReleasesTheOwner)
{
    GroupingLocale locale;
    PriceAlertSetup* setup = alerts->OpenSetup(&application, owner, alpha);
    ASSERT_NE(nullptr, setup);
    EXPECT_FALSE(owner->IsEnabled());
    EXPECT_EQ("ALPHA Corp", setup->GetNameText());
    EXPECT_EQ(wxNOT_FOUND, setup->GetFieldCombo()->GetSelection());
    EXPECT_TRUE(setup->GetValueText()->IsEmpty());
    wxButtonEx* activate = setup->GetActivateButton();
    EXPECT_FALSE(activate->IsEnabled());

    setup->GetValueText()->SetValue("12.5");
    EXPECT_FALSE(activate->IsEnabled()) << "no field chosen yet";
    // A click synthesised past the disabled button stores nothing either.
    wxCommandEvent forced(wxEVT_BUTTON, wxID_OK);
    forced.SetEventObject(activate);
    setup->ProcessWindowEvent(forced);
    EXPECT_TRUE(alerts->Map().empty());
    EXPECT_TRUE(setup->IsShown());

    Choose(setup->GetFieldCombo(), 2);
    EXPECT_TRUE(activate->IsEnabled());
    setup->GetValueText()->SetValue("twelve");
    EXPECT_FALSE(activate->IsEnabled()) << "an unreadable value would store a made-up threshold";
    bool told = false;
    for (wxWindow* child : setup->GetValueText()->GetChildren())
        told = told || (dynamic_cast<RefusalBalloon*>(child) && child->IsShown());
    EXPECT_TRUE(told) << "the field says why the value is refused";

    wxWeakRef<PriceAlertSetup> open(setup);
    Choose(setup->GetFieldCombo(), 1);       // BuyVol
    Choose(setup->GetComparisonCombo(), 1);  // "<="
    setup->GetValueText()->SetValue(locale.IsOk() ? "1,500.5" : "1500.5");
    setup->GetRemarkText()->SetValue("thin book");
    ASSERT_TRUE(Click(setup, wxID_OK));

    ASSERT_EQ(1u, alerts->Map().count(alpha));
    const PriceAlert& alert = *alerts->Map()[alpha];
    EXPECT_EQ(ToCode(AlertField::BuyVol), alert.field);
    EXPECT_EQ(ToCode(AlertComparison::AtMost), alert.comparison);
    EXPECT_DOUBLE_EQ(1500.5, alert.threshold);
    EXPECT_EQ("thin book", alert.remark);
    Flush();
    EXPECT_FALSE(open);
}

TEST_F(AlertSetup, ExistingAlertIsShownAndEditedInPlace)
{
    alpha->decimals = 3;
    PriceAlert* alert = AddAlert(alpha, AlertField::Sell, AlertComparison::AtMost, 12.6, "exit");
    PriceAlertSetup* setup = alerts->OpenSetup(&application, owner, alpha);
    EXPECT_EQ(3, setup->GetFieldCombo()->GetSelection());
    EXPECT_EQ(1, setup->GetComparisonCombo()->GetSelection());
    EXPECT_EQ("12.600", setup->GetValueText()->GetValue()) << "exactly the instrument's decimals";
    EXPECT_EQ("exit", setup->GetRemarkText()->GetValue());

    Choose(setup->GetComparisonCombo(), 0);
    setup->GetValueText()->SetValue("13.25");
    ASSERT_TRUE(Click(setup, wxID_OK));
    EXPECT_EQ(alert, alerts->Map()[alpha].get()) << "the same record, edited";
    EXPECT_EQ(ToCode(AlertComparison::AtLeast), alert->comparison);
    EXPECT_DOUBLE_EQ(13.25, alert->threshold);
}

TEST_F(AlertSetup, ReactivatingAnAlertKeepsTheValueTheUserSetAndOneDisabledMeanwhileIsCreatedAgain)
{
    PriceAlert* alert = AddAlert(alpha, AlertField::Last, AlertComparison::AtLeast, 12.556);
    PriceAlertSetup* setup = alerts->OpenSetup(&application, owner, alpha);
    EXPECT_EQ("12.56", setup->GetValueText()->GetValue()) << "shown with the instrument's two decimals";
    Choose(setup->GetComparisonCombo(), 1);
    ASSERT_TRUE(Click(setup, wxID_OK));
    EXPECT_EQ(12.556, alert->threshold);

    // A value the user types is taken as typed, even the shown text.
    setup = alerts->OpenSetup(&application, owner, alpha);
    setup->GetValueText()->SetValue("12.56");
    ASSERT_TRUE(Click(setup, wxID_OK));
    EXPECT_EQ(12.56, alert->threshold);

    setup = alerts->OpenSetup(&application, owner, alpha);
    alerts->RemoveAlert(alpha);  // a popup's Disable meanwhile
    setup->GetValueText()->SetValue("11");
    ASSERT_TRUE(Click(setup, wxID_OK));
    ASSERT_EQ(1u, alerts->Map().count(alpha));
    EXPECT_DOUBLE_EQ(11.0, alerts->Map()[alpha]->threshold);
}

}  // namespace
