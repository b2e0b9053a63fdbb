// The fired-alert popup: filling, reuse while shown, replacement after it
// closed, and Dismiss versus Disable.

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "alert/AlertDialog.h"
#include "support/AlertFixture.h"

namespace {

using testing_support::Flush;
using testing_support::GroupingLocale;

using AlertPopup = testing_support::AlertFixture;

TEST_F(AlertPopup, FirstFiringShowsAThemedFilledPopupOverTheOwnerAndChimes)
{
    GroupingLocale locale;
    alpha->name = "Alpha & Sons";  // an ampersand is text, not a mnemonic
    Fire(AddAlert(alpha, AlertField::BuyVol, AlertComparison::AtLeast, 1500, "volume spike"), 1600);

    AlertDialog* popup = alerts->PopupOf(alpha);
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(popup->IsShown());
    EXPECT_EQ(owner, popup->GetParent());
    EXPECT_EQ("ALPHA", popup->GetCodeText());
    EXPECT_EQ("Alpha & Sons", popup->GetNameText());
    EXPECT_EQ("XTSE", popup->GetExchangeText());
    EXPECT_EQ("volume spike", popup->GetRemarkText());
    if (locale.IsOk())
    {
        EXPECT_EQ("BuyVol(1,600) >= 1,500", popup->GetConditionText());
    }
    EXPECT_EQ(1u, chimes.size());
    EXPECT_TRUE(owner->IsEnabled()) << "the popup leaves its owner usable";

    EXPECT_EQ(std::vector<wxWindow*>{popup}, host.attachedDialogs);
    EXPECT_EQ(host.theme.Palette().background, popup->GetBackgroundColour());
    wxButtonEx* dismiss = ButtonOf(popup, wxID_CANCEL);
    ASSERT_NE(nullptr, dismiss);
    EXPECT_EQ(host.theme.Palette().button, dismiss->GetNormalColour());
    EXPECT_EQ(host.theme.Palette().text, dismiss->GetTextColour());
}

TEST_F(AlertPopup, FiringWhileShownRefreshesTheSamePopupAndChimesAgainWithoutRaisingTheOwner)
{
    std::vector<wxWindow*> raised;
    alerts->SetBringForward([&raised](wxWindow* window) { raised.push_back(window); });
    PriceAlert* alert = AddAlert(alpha, AlertField::Last, AlertComparison::AtMost, 12.6);
    Fire(alert, 12.55);
    AlertDialog* popup = alerts->PopupOf(alpha);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ("Last(12.55) <= 12.60", popup->GetConditionText());

    Fire(alert, 12.4);
    EXPECT_EQ(popup, alerts->PopupOf(alpha));
    EXPECT_EQ("Last(12.40) <= 12.60", popup->GetConditionText());
    EXPECT_EQ(2u, chimes.size());
    EXPECT_EQ(1u, host.attachedDialogs.size()) << "no second popup was created";
    EXPECT_EQ(std::vector<wxWindow*>{owner}, raised) << "a firing while shown must not take the focus again";

    Fire(AddAlert(beta, AlertField::Sell, AlertComparison::AtLeast, 5), 6);
    ASSERT_NE(nullptr, alerts->PopupOf(beta));
    EXPECT_NE(popup, alerts->PopupOf(beta)) << "each instrument has its own popup";
    EXPECT_NE(popup->GetPosition(), alerts->PopupOf(beta)->GetPosition()) << "the second does not hide the first";
    EXPECT_EQ("Ask(6.00) >= 5.00", alerts->PopupOf(beta)->GetConditionText());
}

TEST_F(AlertPopup, DismissEscapeAndCloseBoxCloseButKeepTheAlertArmedAndAGonePopupIsReplaced)
{
    PriceAlert* alert = AddAlert(alpha, AlertField::Last, AlertComparison::AtMost, 10);
    Fire(alert, 9);
    wxWeakRef<AlertDialog> first(alerts->PopupOf(alpha));
    ASSERT_TRUE(Click(first.get(), wxID_CANCEL));
    EXPECT_EQ(0u, alerts->Popups().count(alpha)) << "a closed popup leaves the map at once";
    Flush();
    EXPECT_FALSE(first) << "a closed popup destroys itself";

    Fire(alert, 9);
    AlertDialog* popup = alerts->PopupOf(alpha);
    ASSERT_NE(nullptr, popup);
    testing_support::PressKey(popup, WXK_ESCAPE);
    EXPECT_EQ(nullptr, alerts->PopupOf(alpha));
    Flush();

    Fire(alert, 8.5);
    popup = alerts->PopupOf(alpha);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ("Last(8.50) <= 10.00", popup->GetConditionText());
    popup->Close();  // what the close box does
    EXPECT_EQ(wxID_CANCEL, popup->GetReturnCode());
    EXPECT_EQ(nullptr, alerts->PopupOf(alpha));
    EXPECT_EQ(alert, alerts->Map()[alpha].get());

    Fire(alert, 9);
    wxWeakRef<AlertDialog> hidden(alerts->PopupOf(alpha));
    hidden->Hide();
    EXPECT_EQ(nullptr, alerts->PopupOf(alpha)) << "a hidden popup is not reused";
    Fire(alert, 8);
    AlertDialog* fresh = alerts->PopupOf(alpha);
    ASSERT_NE(nullptr, fresh);
    EXPECT_NE(hidden.get(), fresh);
    Flush();
    EXPECT_FALSE(hidden) << "the stale popup went away";

    fresh->Destroy();  // gone without a close event, e.g. with its owner
    Flush();
    EXPECT_EQ(nullptr, alerts->PopupOf(alpha));
    Fire(alert, 7);
    ASSERT_NE(nullptr, alerts->PopupOf(alpha));
    EXPECT_EQ("Last(7.00) <= 10.00", alerts->PopupOf(alpha)->GetConditionText());
}

TEST_F(AlertPopup, DisableRemovesWhateverAlertTheInstrumentHasNowAndSilencesItsQueuedNotifications)
{
    Fire(AddAlert(alpha, AlertField::Last, AlertComparison::AtMost, 10), 9);
    AlertDialog* popup = alerts->PopupOf(alpha);
    AddAlert(alpha, AlertField::Buy, AlertComparison::AtLeast, 3);  // replaced while the popup is up
    AddAlert(beta, AlertField::Buy, AlertComparison::AtLeast, 3);
    ASSERT_TRUE(Click(popup, wxID_DELETE));
    EXPECT_EQ(0u, alerts->Map().count(alpha));
    EXPECT_EQ(1u, alerts->Map().count(beta)) << "other instruments keep theirs";
    EXPECT_EQ(nullptr, alerts->PopupOf(alpha));
    Flush();

    Price quote;
    quote.instrument = alpha;
    quote.last = 5;
    EXPECT_FALSE(EvaluateAlert(alerts->Map(), quote, ToCode(AlertField::Last)));

    const AlertFiredEvent queued(AlertFiring{alerts->Map()[beta].get(), 3.5});
    Fire(alerts->Map()[beta].get(), 4);
    popup = alerts->PopupOf(beta);
    alerts->RemoveAlert(beta);  // already gone when Disable is pressed
    ASSERT_TRUE(Click(popup, wxID_DELETE));
    EXPECT_TRUE(alerts->Map().empty());
    ASSERT_EQ(2u, chimes.size());
    alerts->ShowPopup(&application, owner, queued);
    EXPECT_EQ(nullptr, alerts->PopupOf(beta)) << "a notification queued before the alert went shows nothing";
    EXPECT_EQ(2u, chimes.size());
}

}  // namespace
