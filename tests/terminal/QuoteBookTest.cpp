// Quote records and subscriptions of the terminal.

#include <algorithm>
#include <cmath>
#include <regex>

#include <gtest/gtest.h>

#include "QuoteBookTestSupport.h"
#include "market/Catalogue.h"
#include "market/QuoteBook.h"
#include "support/EventLoop.h"

namespace {

using market_test::OnPriceGrid;
using market_test::RecordingListener;
using market_test::SameQuote;

class QuoteBookTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { demo_ = new Catalogue(Catalogue::FromFile("data/catalogue.xml")); }
    static void TearDownTestSuite()
    {
        delete demo_;
        demo_ = nullptr;
    }
    static Instrument* First(const char* exchange)
    {
        return FindExchange(demo_->Exchanges(), exchange)->instruments.front();
    }
    static Catalogue* demo_;
};

Catalogue* QuoteBookTest::demo_ = nullptr;

void ExpectConsistentDay(const Price& price, const std::string& context)
{
    const int decimals = price.instrument->decimals;
    SCOPED_TRACE(context + " " + price.instrument->exchange + ":" + price.instrument->code);
    ASSERT_GT(price.prevClose, 0.0);
    ASSERT_GT(price.last, 0.0);
    EXPECT_LE(price.low, price.high);
    for (double inRange : {price.open, price.last, price.vwap})
    {
        EXPECT_GE(inRange, price.low);
        EXPECT_LE(inRange, price.high);
    }
    for (double onGrid : {price.open, price.last, price.high, price.low, price.buy, price.sell, price.prevClose})
        EXPECT_TRUE(OnPriceGrid(onGrid, decimals)) << onGrid;
    EXPECT_GT(price.buy, 0.0);
    EXPECT_LT(price.buy, price.sell);
    EXPECT_LE(price.buy, price.last);
    EXPECT_GT(price.buyVolume, 0.0);
    EXPECT_GT(price.sellVolume, 0.0);
    EXPECT_GT(price.cumVolume, 0.0);
    EXPECT_GT(price.deals, 0);
    EXPECT_NEAR(price.cumValue, price.cumVolume * price.vwap, price.cumValue * 0.01 + 0.01);
    EXPECT_NEAR(price.change, price.last - price.prevClose, 1e-6);
    EXPECT_NEAR(price.changePercent, 100.0 * (price.last - price.prevClose) / price.prevClose, 1e-6);
    EXPECT_NEAR(price.amplitude, 100.0 * (price.high - price.low) / price.prevClose, 1e-6);
    EXPECT_LT(std::fabs(price.moneyFlow), price.cumValue);
    EXPECT_TRUE(price.tradeType == '+' || price.tradeType == '-');
    // Static texts live on the instrument; the board joins both, so a copy
    // here would show every status twice.
    if (!price.instrument->tradingStatus.empty())
    {
        EXPECT_NE(price.statusNote, price.instrument->tradingStatus);
    }
    if (!price.instrument->corporateAction.empty())
    {
        EXPECT_NE(price.caNote, price.instrument->corporateAction);
    }
}

TEST_F(QuoteBookTest, OneRecordPerInstrumentAndDate)
{
    QuoteBook book(*demo_);
    Instrument* a = First("AMX");
    Instrument* b = First("KTX");
    Price* live = book.Acquire(a, "");
    ASSERT_NE(live, nullptr);
    EXPECT_EQ(live->instrument, a);
    EXPECT_EQ(book.Acquire(a, ""), live);
    Price* history = book.Acquire(a, "20240105");
    EXPECT_NE(history, live);
    EXPECT_EQ(book.Acquire(a, "20240105"), history);
    EXPECT_NE(book.Acquire(a, "20240108"), history);
    EXPECT_NE(book.Acquire(b, ""), live);
    EXPECT_EQ(book.Acquire(nullptr, ""), nullptr);

    // Records stay where they are however many more are created.
    for (Instrument* instrument : demo_->Instruments())
        book.Acquire(instrument, "");
    EXPECT_EQ(book.Acquire(a, ""), live);
    EXPECT_EQ(live->instrument, a);
}

TEST_F(QuoteBookTest, LiveRecordsLookLikeATradingSession)
{
    QuoteBook book(*demo_);
    const std::regex timePattern("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]");
    for (Instrument* instrument : demo_->Instruments())
    {
        const Price& price = *book.Acquire(instrument, "");
        ExpectConsistentDay(price, "live");
        EXPECT_NEAR(price.prevClose, demo_->PrevClose(instrument), 1e-9);
        EXPECT_NEAR(price.last, price.prevClose, price.prevClose * 0.05 + 1.0 * std::pow(10.0, -std::max(0, instrument->decimals)));
        EXPECT_EQ(price.closing, 0.0) << "no close while the session runs";
        EXPECT_EQ(price.tradeDate, QuoteBook::Today());
        EXPECT_TRUE(std::regex_match(price.tradeTime, timePattern)) << price.tradeTime;
    }
}

TEST_F(QuoteBookTest, HistoryIsAReproducibleClosingSnapshot)
{
    QuoteBook first(*demo_);
    QuoteBook second(*demo_);
    size_t differentDays = 0;
    for (Instrument* instrument : demo_->Instruments())
    {
        const Price& day = *first.Acquire(instrument, "20240315");
        ExpectConsistentDay(day, "history");
        EXPECT_EQ(day.closing, day.last);
        EXPECT_EQ(day.tradeDate, "20240315");
        EXPECT_TRUE(SameQuote(day, *second.Acquire(instrument, "20240315"))) << instrument->code;
        if (!SameQuote(day, *first.Acquire(instrument, "20240318")))
            ++differentDays;
    }
    EXPECT_EQ(differentDays, demo_->Instruments().size());
}

TEST_F(QuoteBookTest, FutureOrMalformedDatesHaveNoTrading)
{
    QuoteBook book(*demo_);
    Instrument* instrument = First("AMX");
    for (const char* date : {"29991231", "2024-01-02", "20240231", "abc", "202401011", "00000000"})
    {
        const Price& price = *book.Acquire(instrument, date);
        SCOPED_TRACE(date);
        EXPECT_NEAR(price.prevClose, demo_->PrevClose(instrument), 1e-9);
        for (double zero : {price.last, price.open, price.high, price.low, price.buy, price.sell, price.vwap,
                            price.cumVolume, price.cumValue, price.change, price.changePercent, price.closing,
                            price.buyVolume, price.sellVolume, price.moneyFlow, price.amplitude})
            EXPECT_EQ(zero, 0.0);
        EXPECT_EQ(price.deals, 0);
        EXPECT_TRUE(price.tradeDate.empty());
    }
    // A leap day is a real date and trades.
    EXPECT_GT(book.Acquire(instrument, "20240229")->last, 0.0);
}

TEST_F(QuoteBookTest, MissingPreviousCloseStillGivesAPrice)
{
    const Catalogue catalogue = Catalogue::FromText(
        "<catalogue><exchange code=\"X\"><instrument code=\"NOCLOSE\" decimals=\"2\"/></exchange></catalogue>", "t");
    QuoteBook book(catalogue);
    Instrument* instrument = catalogue.Find("NOCLOSE", "X");
    const Price& price = *book.Acquire(instrument, "");
    EXPECT_GT(price.prevClose, 0.0);
    ExpectConsistentDay(price, "no close");
    QuoteBook again(catalogue);
    EXPECT_EQ(again.Acquire(instrument, "")->prevClose, price.prevClose);
}

TEST_F(QuoteBookTest, SubscribeCallsBackBeforeReturning)
{
    QuoteBook book(*demo_);
    RecordingListener listener;
    Instrument* instrument = First("RHX");
    Price* received = nullptr;
    int calls = 0;
    book.Subscribe(&listener, instrument, "", [&](Price* price) {
        received = price;
        ++calls;
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(received, book.Acquire(instrument, ""));
    EXPECT_TRUE(book.IsSubscribed(&listener, instrument, ""));
    EXPECT_FALSE(book.IsSubscribed(&listener, instrument, "20240102"));

    book.Subscribe(&listener, instrument, "20240102", [&](Price* price) {
        received = price;
        ++calls;
    });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(received->tradeDate, "20240102");

    book.Subscribe(&listener, nullptr, "", [&](Price*) { ++calls; });
    EXPECT_EQ(calls, 2) << "a null instrument is ignored";
    EXPECT_EQ(book.SubscriptionCount(), 2u);
    testing_support::Flush();
    EXPECT_TRUE(listener.events.empty()) << "subscribing posts nothing by itself";
}

TEST_F(QuoteBookTest, SubscriptionsAreCountedOncePerListenerAndPair)
{
    QuoteBook book(*demo_);
    RecordingListener first;
    RecordingListener second;
    Instrument* instrument = First("HBX");
    Price* live = book.Acquire(instrument, "");
    book.Subscribe(&first, instrument, "", nullptr);
    book.Subscribe(&first, instrument, "", nullptr);
    EXPECT_EQ(book.SubscriptionCount(), 1u);
    EXPECT_EQ(book.Listeners(live), std::vector<wxEvtHandler*>({&first}));

    book.Subscribe(&second, instrument, "", nullptr);
    book.Subscribe(&second, instrument, "20240102", nullptr);
    EXPECT_EQ(book.SubscriptionCount(), 3u);
    EXPECT_EQ(book.Listeners(live).size(), 2u);
    EXPECT_EQ(book.SubscribedLive(), std::vector<Price*>({live}));

    book.Unsubscribe(&first, instrument, "");
    EXPECT_FALSE(book.IsSubscribed(&first, instrument, ""));
    EXPECT_TRUE(book.IsSubscribed(&second, instrument, ""));
    EXPECT_EQ(book.Listeners(live), std::vector<wxEvtHandler*>({&second}));
    book.Unsubscribe(&first, instrument, "");  // twice is harmless
    book.Unsubscribe(&first, First("AMX"), "");  // never subscribed
    EXPECT_EQ(book.SubscriptionCount(), 2u);

    book.UnsubscribeAll(&second);
    EXPECT_EQ(book.SubscriptionCount(), 0u);
    EXPECT_TRUE(book.Listeners(live).empty());
    EXPECT_TRUE(book.SubscribedLive().empty());
    EXPECT_EQ(book.Acquire(instrument, ""), live) << "records outlive their subscriptions";
}

TEST_F(QuoteBookTest, LiveSetIsOrderedWhateverTheSubscribingOrder)
{
    QuoteBook forward(*demo_);
    QuoteBook backward(*demo_);
    RecordingListener listener;
    const auto& all = demo_->Instruments();
    for (size_t i = 0; i < all.size(); i += 3)
        forward.Subscribe(&listener, all[i], "", nullptr);
    for (size_t i = all.size(); i-- > 0;)
        if (i % 3 == 0)
            backward.Subscribe(&listener, all[i], "", nullptr);
    backward.Subscribe(&listener, all[1], "20240102", nullptr);  // history is not live

    const auto& a = forward.SubscribedLive();
    const auto& b = backward.SubscribedLive();
    ASSERT_EQ(a.size(), (all.size() + 2) / 3);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i]->instrument, b[i]->instrument);
}

TEST_F(QuoteBookTest, PostQuoteQueuesTheEventWithItsPayload)
{
    QuoteBook book(*demo_);
    RecordingListener listener;
    Price* price = book.Acquire(First("AMX"), "");
    QuoteBook::PostQuote(&listener, price, 16 | 4096, true);
    QuoteBook::PostQuote(&listener, price, 64, false);
    EXPECT_TRUE(listener.events.empty()) << "quote events are never processed inside the sender";
    testing_support::Flush();
    ASSERT_EQ(listener.events.size(), 2u);
    EXPECT_EQ(listener.events[0].id, 7011);
    EXPECT_EQ(listener.events[0].price, price);
    EXPECT_EQ(listener.events[0].mask, 16 | 4096);
    EXPECT_EQ(listener.events[0].flash, 1);
    EXPECT_EQ(listener.events[1].mask, 64);
    EXPECT_EQ(listener.events[1].flash, 0);
}

TEST_F(QuoteBookTest, ManyListenersOnALargeMarket)
{
    Catalogue catalogue;
    catalogue.AddSynthetic(20000, 3);
    QuoteBook book(catalogue);
    RecordingListener boards[3];
    for (RecordingListener& board : boards)
        for (Instrument* instrument : catalogue.Instruments())
            book.Subscribe(&board, instrument, "", nullptr);
    EXPECT_EQ(book.SubscriptionCount(), 60000u);
    EXPECT_EQ(book.SubscribedLive().size(), 20000u);
    book.UnsubscribeAll(&boards[1]);
    EXPECT_EQ(book.SubscriptionCount(), 40000u);
    EXPECT_EQ(book.SubscribedLive().size(), 20000u);
    EXPECT_FALSE(book.IsSubscribed(&boards[1], catalogue.Instruments()[123], ""));
    EXPECT_TRUE(book.IsSubscribed(&boards[2], catalogue.Instruments()[123], ""));
    for (Instrument* instrument : catalogue.Instruments())
        book.Unsubscribe(&boards[0], instrument, "");
    book.UnsubscribeAll(&boards[2]);
    EXPECT_EQ(book.SubscriptionCount(), 0u);
    EXPECT_TRUE(book.SubscribedLive().empty());
}

}  // namespace
