// Firing rules of price alerts and the notification that carries a firing.

#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "board/AlertNotification.h"
#include "contract/CommandIds.h"

namespace {

constexpr uint32_t kAllFields = 0x10 | 0x20 | 0x40 | 0x80 | 0x1000;

class AlertEvaluation : public ::testing::Test
{
protected:
    AlertEvaluation() { quote.instrument = &instrument; }

    PriceAlert& Watch(AlertField field, AlertComparison comparison, double threshold)
    {
        alerts[&instrument] = std::make_unique<PriceAlert>(
            PriceAlert{&instrument, ToCode(field), ToCode(comparison), threshold, std::string()});
        return *alerts[&instrument];
    }

    bool Fires(uint32_t mask = kAllFields) const { return EvaluateAlert(alerts, quote, mask).has_value(); }

    Instrument instrument;
    Price quote;
    PriceAlertMap alerts;
};

TEST_F(AlertEvaluation, EqualityAndHalfTheToleranceFireUnknownCodesOtherInstrumentsAndNonNumbersNever)
{
    const struct
    {
        AlertComparison comparison;
        double last;
        bool fires;
    } cases[] = {
        {AlertComparison::AtMost, 10.0, true},          {AlertComparison::AtMost, 10.000000005, true},
        {AlertComparison::AtMost, 10.00000002, false},  {AlertComparison::AtMost, 9.5, true},
        {AlertComparison::AtLeast, 10.0, true},         {AlertComparison::AtLeast, 9.999999995, true},
        {AlertComparison::AtLeast, 9.99999998, false},  {AlertComparison::AtLeast, 11.0, true},
    };
    for (const auto& c : cases)
    {
        Watch(AlertField::Last, c.comparison, 10.0);
        quote.last = c.last;
        EXPECT_EQ(c.fires, Fires()) << "comparison " << ToCode(c.comparison) << " at " << c.last;
    }

    // Codes outside the tables, other instruments and non-numbers never fire.
    PriceAlert& alert = Watch(AlertField::Last, AlertComparison::AtMost, 10.0);
    quote.last = 10.0;
    ASSERT_TRUE(Fires());
    for (uint32_t comparison : {0u, 3u})
    {
        alert.comparison = comparison;
        EXPECT_FALSE(Fires()) << "comparison " << comparison;
    }
    alert.comparison = ToCode(AlertComparison::AtMost);
    for (uint32_t field : {0x100u, 0x1010u})  // a grid column bit; two fields at once
    {
        alert.field = field;
        EXPECT_FALSE(Fires(0xffffffffu)) << "field " << field;
    }

    Watch(AlertField::Last, AlertComparison::AtLeast, 0.0);
    Instrument other;
    Price otherQuote;
    otherQuote.instrument = &other;
    EXPECT_FALSE(EvaluateAlert(alerts, otherQuote, kAllFields).has_value());
    quote.last = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(Fires());
}

TEST_F(AlertEvaluation, EachFieldReadsItsOwnQuoteValueAndOnlyWhenTheUpdateTouchesIt)
{
    quote.buy = 1.0;
    quote.buyVolume = 2.0;
    quote.sell = 3.0;
    quote.sellVolume = 4.0;
    quote.last = 5.0;
    const std::pair<AlertField, double> fields[] = {{AlertField::Buy, 1.0}, {AlertField::BuyVol, 2.0},
                                                    {AlertField::Sell, 3.0}, {AlertField::SellVol, 4.0},
                                                    {AlertField::Last, 5.0}};
    for (const auto& [field, value] : fields)
    {
        SCOPED_TRACE(ToCode(field));
        // A threshold equal to this field's value and unequal to every other one.
        Watch(field, AlertComparison::AtMost, value);
        for (int update = 0; update < 2; ++update)  // firing keeps the alert, so it fires again
        {
            const auto firing = EvaluateAlert(alerts, quote, ToCode(field));
            ASSERT_TRUE(firing.has_value());
            EXPECT_DOUBLE_EQ(value, firing->value);
            EXPECT_EQ(alerts[&instrument].get(), firing->alert);
        }
        EXPECT_FALSE(Fires(kAllFields & ~ToCode(field))) << "the update did not touch the field";
        Watch(field, AlertComparison::AtLeast, value + 0.5);
        EXPECT_FALSE(Fires(ToCode(field)));
    }
    Watch(AlertField::Last, AlertComparison::AtMost, 10.0);
    EXPECT_FALSE(Fires(0));
    EXPECT_TRUE(Fires(ToCode(AlertField::Last) | 0x4));
}


TEST_F(AlertEvaluation, OnceEachTimeFiresWhenTheConditionBecomesTrueAndRearmsWhenItFails)
{
    PriceAlert& alert = Watch(AlertField::Last, AlertComparison::AtLeast, 10);
    quote.last = 11;
    EXPECT_TRUE(Fires());
    EXPECT_TRUE(Fires()) << "by default every update while it holds";
    alert.onceEachTime = true;
    EXPECT_TRUE(Fires());
    quote.last = 12;
    EXPECT_FALSE(Fires()) << "still holding: no second notice";
    EXPECT_FALSE(Fires(0x10)) << "an update of another field neither fires nor re-arms";
    EXPECT_FALSE(Fires());
    quote.last = 9;
    EXPECT_FALSE(Fires());
    quote.last = 10;
    EXPECT_TRUE(Fires()) << "reached again after it failed";
    EXPECT_FALSE(Fires());
}

TEST_F(AlertEvaluation, NotificationCarriesValuesExactlyAndIsDroppedWhenItsAlertIsGone)
{
    PriceAlert& alert = Watch(AlertField::BuyVol, AlertComparison::AtLeast, 1.0);
    // Five volume decimals scaled into a 32-bit int would overflow here.
    for (const double value : {21475.0, 123456789.12345, 9.87654321e12, 0.000123456789})
    {
        const AlertFiredEvent event(AlertFiring{&alert, value});
        // Queued events are clones; the value must survive that too.
        std::unique_ptr<wxEvent> queued(event.Clone());
        const auto read = ReadNotification(alerts, static_cast<wxCommandEvent&>(*queued));
        ASSERT_TRUE(read.has_value()) << value;
        EXPECT_EQ(value, read->value);
        EXPECT_EQ(&alert, read->alert);
    }

    // Notifications of alerts gone meanwhile, and plain events, are dropped.
    wxCommandEvent plain(wxEVT_MENU, cmd::AlertFired);
    plain.SetClientData(&alert);
    plain.SetInt(900);
    EXPECT_FALSE(ReadNotification(alerts, plain).has_value());
    EXPECT_FALSE(ReadNotification(alerts, AlertFiredEvent(AlertFiring{nullptr, 1.0})).has_value());

    const AlertFiredEvent queued(AlertFiring{&alert, 9.0});
    ASSERT_TRUE(ReadNotification(alerts, queued).has_value());
    Watch(AlertField::Last, AlertComparison::AtMost, 8.0);  // replaces the record
    EXPECT_FALSE(ReadNotification(alerts, queued).has_value());

    Instrument other;
    alerts[&other] = std::make_unique<PriceAlert>();
    EXPECT_TRUE(EraseAlert(alerts, &instrument));
    EXPECT_FALSE(EraseAlert(alerts, &instrument)) << "nothing left to remove";
    ASSERT_EQ(1u, alerts.size()) << "other instruments keep theirs";
    EXPECT_EQ(&other, alerts.begin()->first);
}

}  // namespace
