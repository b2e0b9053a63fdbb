// Firing rules of price alerts and the notification that carries a firing.

#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "alert/AlertNotification.h"
#include "plugin/CommandIds.h"

namespace {

constexpr uint32_t kAllFields = 0x10 | 0x20 | 0x40 | 0x80 | 0x1000;

class AlertEvaluation : public ::testing::Test
{
protected:
    AlertEvaluation()
    {
        instrument.code = "ALPHA";
        instrument.exchange = "XTSE";
        instrument.decimals = 2;
        quote.instrument = &instrument;
    }

    PriceAlert& Watch(AlertField field, AlertComparison comparison, double threshold)
    {
        auto alert = std::make_unique<PriceAlert>();
        alert->instrument = &instrument;
        alert->field = ToCode(field);
        alert->comparison = ToCode(comparison);
        alert->threshold = threshold;
        PriceAlert& record = *alert;
        alerts[&instrument] = std::move(alert);
        return record;
    }

    bool Fires(uint32_t mask = kAllFields) const { return EvaluateAlert(alerts, quote, mask).has_value(); }

    Instrument instrument;
    Price quote;
    PriceAlertMap alerts;
};

TEST_F(AlertEvaluation, AtMostFiresAtAndJustAboveTheThresholdOnly)
{
    Watch(AlertField::Last, AlertComparison::AtMost, 10.0);
    quote.last = 10.05;
    EXPECT_FALSE(Fires());
    quote.last = 10.0;
    EXPECT_TRUE(Fires()) << "equality fires";
    quote.last = 10.000000005;
    EXPECT_TRUE(Fires()) << "half the tolerance above counts as equal";
    quote.last = 10.00000002;
    EXPECT_FALSE(Fires()) << "twice the tolerance above is above";
    quote.last = 10.01;
    EXPECT_FALSE(Fires());
    quote.last = 9.5;
    EXPECT_TRUE(Fires());
}

TEST_F(AlertEvaluation, AtLeastFiresAtAndJustBelowTheThresholdOnly)
{
    Watch(AlertField::Last, AlertComparison::AtLeast, 10.0);
    quote.last = 9.99;
    EXPECT_FALSE(Fires());
    quote.last = 10.0;
    EXPECT_TRUE(Fires()) << "equality fires under both comparisons";
    quote.last = 9.999999995;
    EXPECT_TRUE(Fires());
    quote.last = 9.99999998;
    EXPECT_FALSE(Fires());
    quote.last = 11.0;
    EXPECT_TRUE(Fires());
}

TEST_F(AlertEvaluation, EachFieldReadsItsOwnQuoteValue)
{
    quote.buy = 1.0;
    quote.buyVolume = 2.0;
    quote.sell = 3.0;
    quote.sellVolume = 4.0;
    quote.last = 5.0;
    const struct
    {
        AlertField field;
        double value;
    } cases[] = {{AlertField::Buy, 1.0}, {AlertField::BuyVol, 2.0}, {AlertField::Sell, 3.0},
                 {AlertField::SellVol, 4.0}, {AlertField::Last, 5.0}};
    for (const auto& c : cases)
    {
        // A threshold equal to this field's value and unequal to every other one.
        Watch(c.field, AlertComparison::AtMost, c.value);
        const auto firing = EvaluateAlert(alerts, quote, ToCode(c.field));
        ASSERT_TRUE(firing.has_value()) << ToCode(c.field);
        EXPECT_DOUBLE_EQ(c.value, firing->value) << ToCode(c.field);
        Watch(c.field, AlertComparison::AtLeast, c.value + 0.5);
        EXPECT_FALSE(Fires(ToCode(c.field))) << ToCode(c.field);
    }
}

TEST_F(AlertEvaluation, OnlyUpdatesThatTouchTheWatchedFieldCanFire)
{
    Watch(AlertField::Last, AlertComparison::AtMost, 10.0);
    quote.last = 9.5;  // already far past the threshold
    EXPECT_FALSE(Fires(ToCode(AlertField::Buy)));
    EXPECT_FALSE(Fires(0));
    EXPECT_FALSE(Fires(kAllFields & ~ToCode(AlertField::Last)));
    EXPECT_TRUE(Fires(ToCode(AlertField::Last)));
    EXPECT_TRUE(Fires(ToCode(AlertField::Last) | 0x4));
}

TEST_F(AlertEvaluation, CodesOutsideTheTablesNeverFire)
{
    PriceAlert& alert = Watch(AlertField::Last, AlertComparison::AtMost, 10.0);
    quote.last = 10.0;
    ASSERT_TRUE(Fires());

    alert.comparison = 0;
    EXPECT_FALSE(Fires());
    alert.comparison = 3;
    EXPECT_FALSE(Fires());

    alert.comparison = ToCode(AlertComparison::AtMost);
    alert.field = 0x100;  // a grid column bit that alerts do not know
    EXPECT_FALSE(Fires(0xffffffffu));
    alert.field = 0x1010;  // two fields at once is no field of the table
    EXPECT_FALSE(Fires(0xffffffffu));
}

TEST_F(AlertEvaluation, InstrumentsWithoutAnAlertAndNonNumbersDoNotFire)
{
    Instrument other;
    Price otherQuote;
    otherQuote.instrument = &other;
    Watch(AlertField::Last, AlertComparison::AtLeast, 0.0);
    EXPECT_FALSE(EvaluateAlert(alerts, otherQuote, kAllFields).has_value());

    quote.last = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(Fires());
}

TEST_F(AlertEvaluation, FiringLeavesTheRecordUnchangedAndFiresAgain)
{
    PriceAlert& alert = Watch(AlertField::Sell, AlertComparison::AtLeast, 20.0);
    alert.remark = "take profit";
    quote.sell = 21.0;
    for (int update = 0; update < 3; ++update)
    {
        const auto firing = EvaluateAlert(alerts, quote, ToCode(AlertField::Sell));
        ASSERT_TRUE(firing.has_value()) << update;
        EXPECT_EQ(&alert, firing->alert);
    }
    EXPECT_EQ(ToCode(AlertField::Sell), alert.field);
    EXPECT_EQ(ToCode(AlertComparison::AtLeast), alert.comparison);
    EXPECT_DOUBLE_EQ(20.0, alert.threshold);
    EXPECT_EQ("take profit", alert.remark);
}

TEST_F(AlertEvaluation, NotificationCarriesLargeVolumesAndManyDecimalsExactly)
{
    PriceAlert& alert = Watch(AlertField::BuyVol, AlertComparison::AtLeast, 1.0);
    // Five volume decimals scaled into a 32-bit int would overflow here.
    for (const double value : {21475.0, 123456789.12345, 9.87654321e12, 0.000123456789})
    {
        const AlertFiredEvent event(AlertFiring{&alert, value});
        EXPECT_EQ(wxEVT_MENU, event.GetEventType());
        EXPECT_EQ(cmd::AlertFired, event.GetId());
        EXPECT_EQ(&alert, event.GetClientData());

        // Queued events are clones; the value must survive that too.
        std::unique_ptr<wxEvent> queued(event.Clone());
        const auto read = ReadNotification(alerts, static_cast<wxCommandEvent&>(*queued));
        ASSERT_TRUE(read.has_value()) << value;
        EXPECT_EQ(value, read->value) << value;
        EXPECT_EQ(&alert, read->alert);
    }
}

TEST_F(AlertEvaluation, NotificationOfAnAlertRemovedOrReplacedMeanwhileIsDropped)
{
    PriceAlert& alert = Watch(AlertField::Last, AlertComparison::AtMost, 10.0);
    const AlertFiredEvent queued(AlertFiring{&alert, 9.0});
    ASSERT_TRUE(ReadNotification(alerts, queued).has_value());

    Watch(AlertField::Last, AlertComparison::AtMost, 8.0);  // replaces the record
    EXPECT_FALSE(ReadNotification(alerts, queued).has_value());

    alerts.clear();
    EXPECT_FALSE(ReadNotification(alerts, queued).has_value());
}

TEST_F(AlertEvaluation, PlainCommandEventsAreNoNotification)
{
    PriceAlert& alert = Watch(AlertField::Last, AlertComparison::AtMost, 10.0);
    wxCommandEvent plain(wxEVT_MENU, cmd::AlertFired);
    plain.SetClientData(&alert);
    plain.SetInt(900);
    EXPECT_FALSE(ReadNotification(alerts, plain).has_value());
    const AlertFiredEvent empty(AlertFiring{nullptr, 1.0});
    EXPECT_FALSE(ReadNotification(alerts, empty).has_value());
}

TEST(AlertMapEditing, EraseRemovesOnlyThatInstrumentsAlert)
{
    Instrument first;
    Instrument second;
    PriceAlertMap alerts;
    alerts[&first] = std::make_unique<PriceAlert>();
    alerts[&second] = std::make_unique<PriceAlert>();
    EXPECT_TRUE(EraseAlert(alerts, &first));
    EXPECT_FALSE(EraseAlert(alerts, &first)) << "nothing left to remove";
    ASSERT_EQ(1u, alerts.size());
    EXPECT_EQ(&second, alerts.begin()->first);
}

}  // namespace
