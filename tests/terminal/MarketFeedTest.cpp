// The simulated feed: what it moves, what it posts, and that it stays sane.

#include <cmath>
#include <algorithm>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "QuoteBookTestSupport.h"
#include "market/Catalogue.h"
#include "market/MarketFeed.h"
#include "market/QuoteBook.h"
#include "support/EventLoop.h"

namespace {

using market_test::OnPriceGrid;
using market_test::RecordingListener;
using market_test::SameQuote;

/// Mask of the board columns that differ, written out from the column table
/// independently of the production code.
int ExpectedMask(const Price& a, const Price& b)
{
    int mask = 0;
    const auto flag = [&mask](bool changed, unsigned value) {
        if (changed)
            mask |= static_cast<int>(value);
    };
    flag(a.statusNote != b.statusNote, 2u);
    flag(a.caNote != b.caNote, 4u);
    flag(a.buy != b.buy, 16u);
    flag(a.buyVolume != b.buyVolume, 32u);
    flag(a.sell != b.sell, 64u);
    flag(a.sellVolume != b.sellVolume, 128u);
    flag(a.deals != b.deals, 256u);
    flag(a.moneyFlow != b.moneyFlow, 512u);
    flag(a.high != b.high, 1024u);
    flag(a.low != b.low, 2048u);
    flag(a.last != b.last, 4096u);
    flag(a.change != b.change, 1u << 15);
    flag(a.open != b.open, 1u << 16);
    flag(a.changePercent != b.changePercent, 1u << 17);
    flag(a.closing != b.closing, 1u << 18);
    flag(a.prevClose != b.prevClose, 1u << 19);
    flag(a.cumVolume != b.cumVolume, 1u << 20);
    flag(a.tradeDate != b.tradeDate || a.secondDate != b.secondDate, 1u << 22);
    flag(a.vwap != b.vwap, 1u << 23);
    flag(a.tradeTime != b.tradeTime, 1u << 26);
    flag(a.tradeType != b.tradeType, 1u << 27);
    flag(a.cumValue != b.cumValue, 1u << 28);
    flag(a.amplitude != b.amplitude, 1u << 30);
    return mask;
}

class MarketFeedTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { demo_ = new Catalogue(Catalogue::FromFile("data/catalogue.xml")); }
    static void TearDownTestSuite()
    {
        delete demo_;
        demo_ = nullptr;
    }
    static Instrument* Tradable(const char* exchange)
    {
        for (Instrument* instrument : FindExchange(demo_->Exchanges(), exchange)->instruments)
            if (instrument->tradingStatus.empty() && instrument->assetId == "equity")
                return instrument;
        return nullptr;
    }
    static void SubscribeAll(QuoteBook& book, wxEvtHandler* listener)
    {
        for (Instrument* instrument : demo_->Instruments())
            book.Subscribe(listener, instrument, "", nullptr);
    }
    static Catalogue* demo_;
};

Catalogue* MarketFeedTest::demo_ = nullptr;

TEST_F(MarketFeedTest, MasksNameExactlyTheFieldsThatChanged)
{
    QuoteBook book(*demo_);
    RecordingListener listener;
    const Exchange& exchange = *FindExchange(demo_->Exchanges(), "AMX");
    for (Instrument* instrument : exchange.instruments)
        book.Subscribe(&listener, instrument, "", nullptr);
    const std::vector<Price*> records = book.SubscribedLive();
    MarketFeed feed(book, 0.0, 11);

    std::map<int, int> seenBits;
    std::vector<Price> before(records.size());
    for (int step = 0; step < 3000; ++step)
    {
        for (size_t i = 0; i < records.size(); ++i)
            before[i] = *records[i];
        feed.Step(1);
        testing_support::Flush(1);
        size_t moved = 0;
        for (size_t i = 0; i < records.size(); ++i)
        {
            const int expected = ExpectedMask(before[i], *records[i]);
            if (expected == 0)
                continue;
            ++moved;
            ASSERT_EQ(listener.events.size(), 1u) << "step " << step;
            EXPECT_EQ(listener.events[0].id, 7011);
            EXPECT_EQ(listener.events[0].price, records[i]);
            EXPECT_EQ(listener.events[0].mask, expected) << "step " << step;
            EXPECT_EQ(listener.events[0].flash, 1);
            for (int bit = 0; bit < 32; ++bit)
                seenBits[bit] += (expected >> bit) & 1;
        }
        ASSERT_LE(moved, 1u) << "one update moves one record";
        if (moved == 0)
        {
            ASSERT_TRUE(listener.events.empty()) << "step " << step;
        }
        listener.events.clear();
    }
    // Every field a session moves was seen moving, so every bit was checked.
    for (int bit : {4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 17, 20, 23, 27, 28, 30})
        EXPECT_GT(seenBits[bit], 0) << "bit " << bit;
    EXPECT_GT(seenBits[5] + seenBits[7], seenBits[12]) << "order-book changes happen besides trades";
    EXPECT_EQ(seenBits[16] + seenBits[19], 0) << "open and previous close stay put during a session";
}

TEST(MarketFeedBounds, CoarseTicksReachButNeverPassTheBand)
{
    // Prices only a few ticks wide hit the edge of the band quickly.
    const Catalogue catalogue = Catalogue::FromText(R"(<catalogue><exchange code="T">
        <instrument code="ONE" decimals="1" prevclose="1.0"/>
        <instrument code="PENNY" decimals="2" prevclose="0.45"/>
        <instrument code="YEN" decimals="0" currency="JPY" prevclose="60"/>
        <instrument code="FREE" prevclose="0.0123"/>
        </exchange></catalogue>)", "bounds");
    QuoteBook book(catalogue);
    RecordingListener listener;
    for (Instrument* instrument : catalogue.Instruments())
        book.Subscribe(&listener, instrument, "", nullptr);
    MarketFeed feed(book, 0.0, 17);
    std::map<const Price*, double> widest;
    for (int round = 0; round < 4000; ++round)
    {
        feed.Step(5);
        for (Price* price : book.SubscribedLive())
        {
            const double deviation = std::fabs(price->last - price->prevClose) / price->prevClose;
            ASSERT_LE(deviation, 0.1 + 1e-9) << price->instrument->code << " at " << price->last;
            ASSERT_GT(price->last, 0.0);
            ASSERT_GT(price->buy, 0.0);
            widest[price] = std::max(widest[price], deviation);
        }
    }
    for (const auto& [price, deviation] : widest)
        if (price->instrument->decimals >= 0)
        {
            EXPECT_GT(deviation, 0.07) << price->instrument->code << " never came near the edge";
        }
    listener.DeletePendingEvents();
}

TEST_F(MarketFeedTest, RandomWalkStaysBoundedAndCoherent)
{
    QuoteBook book(*demo_);
    RecordingListener listener;
    SubscribeAll(book, &listener);
    std::map<const Price*, Price> start;
    for (Price* price : book.SubscribedLive())
        start.emplace(price, *price);

    MarketFeed feed(book, 0.0, 5);
    feed.Step(120000);
    for (Price* price : book.SubscribedLive())
    {
        const Price& before = start.at(price);
        const Instrument& instrument = *price->instrument;
        SCOPED_TRACE(instrument.exchange + ":" + instrument.code);
        if (instrument.tradingStatus == "Halted")
        {
            EXPECT_TRUE(SameQuote(before, *price)) << "halted instruments do not trade";
            continue;
        }
        ASSERT_GT(price->deals, before.deals) << "every live record should have traded";
        EXPECT_LE(std::fabs(price->last - price->prevClose), price->prevClose * 0.1 + 1e-9);
        EXPECT_GT(price->last, 0.0);
        EXPECT_TRUE(OnPriceGrid(price->last, instrument.decimals)) << price->last;
        EXPECT_TRUE(OnPriceGrid(price->buy, instrument.decimals)) << price->buy;
        EXPECT_TRUE(OnPriceGrid(price->sell, instrument.decimals)) << price->sell;
        EXPECT_LT(price->buy, price->sell);
        EXPECT_GE(price->high, before.high);
        EXPECT_LE(price->low, before.low);
        EXPECT_GE(price->last, price->low);
        EXPECT_LE(price->last, price->high);
        EXPECT_GE(price->vwap, price->low);
        EXPECT_LE(price->vwap, price->high);
        EXPECT_EQ(price->open, before.open);
        EXPECT_GT(price->cumVolume, before.cumVolume);
        EXPECT_GT(price->cumValue, before.cumValue);
        EXPECT_NEAR(price->change, price->last - price->prevClose, 1e-6);
        EXPECT_NEAR(price->changePercent, 100.0 * price->change / price->prevClose, 1e-6);
        EXPECT_NEAR(price->amplitude, 100.0 * (price->high - price->low) / price->prevClose, 1e-6);
        EXPECT_EQ(price->prevClose, before.prevClose);
        EXPECT_EQ(price->tradeDate, QuoteBook::Today());
    }
    testing_support::Flush();
    EXPECT_GT(listener.events.size(), 100000u);
}

TEST_F(MarketFeedTest, SameSeedSameMarket)
{
    QuoteBook first(*demo_);
    QuoteBook second(*demo_);
    QuoteBook third(*demo_);
    RecordingListener listener;
    const auto& all = demo_->Instruments();
    for (size_t i = 0; i < all.size(); i += 2)
        first.Subscribe(&listener, all[i], "", nullptr);
    for (size_t i = all.size(); i-- > 0;)
        if (i % 2 == 0)
        {
            second.Subscribe(&listener, all[i], "", nullptr);
            third.Subscribe(&listener, all[i], "", nullptr);
        }

    MarketFeed a(first, 0.0, 99);
    MarketFeed b(second, 0.0, 99);
    MarketFeed c(third, 0.0, 100);
    a.Step(3000);
    b.Step(3000);
    c.Step(3000);
    size_t differentFromOtherSeed = 0;
    for (size_t i = 0; i < all.size(); i += 2)
    {
        ASSERT_TRUE(SameQuote(*first.Acquire(all[i], ""), *second.Acquire(all[i], ""))) << all[i]->code;
        differentFromOtherSeed += SameQuote(*first.Acquire(all[i], ""), *third.Acquire(all[i], "")) ? 0 : 1;
    }
    EXPECT_GT(differentFromOtherSeed, all.size() / 4);
    listener.DeletePendingEvents();
}

TEST_F(MarketFeedTest, OnlySubscribedLiveRecordsMove)
{
    QuoteBook book(*demo_);
    RecordingListener listener;
    Instrument* live = Tradable("KTX");
    Instrument* history = Tradable("HBX");
    Instrument* unwatched = Tradable("RHX");
    book.Subscribe(&listener, live, "", nullptr);
    book.Subscribe(&listener, history, "20240110", nullptr);
    const Price historyBefore = *book.Acquire(history, "20240110");
    const Price unwatchedBefore = *book.Acquire(unwatched, "");

    MarketFeed feed(book, 0.0, 3);
    feed.Step(500);
    testing_support::Flush();
    EXPECT_TRUE(SameQuote(historyBefore, *book.Acquire(history, "20240110")));
    EXPECT_TRUE(SameQuote(unwatchedBefore, *book.Acquire(unwatched, "")));
    ASSERT_FALSE(listener.events.empty());
    for (const auto& event : listener.events)
        ASSERT_EQ(event.price, book.Acquire(live, ""));
}

TEST_F(MarketFeedTest, UnsubscribeStopsPostingAtOnce)
{
    QuoteBook book(*demo_);
    RecordingListener leaving;
    RecordingListener staying;
    Instrument* instrument = Tradable("AMX");
    book.Subscribe(&leaving, instrument, "", nullptr);
    book.Subscribe(&staying, instrument, "", nullptr);
    MarketFeed feed(book, 0.0, 8);
    feed.Step(50);
    testing_support::Flush();
    EXPECT_FALSE(leaving.events.empty());
    EXPECT_EQ(leaving.events.size(), staying.events.size());

    leaving.events.clear();
    staying.events.clear();
    book.Unsubscribe(&leaving, instrument, "");
    feed.Step(50);
    testing_support::Flush();
    EXPECT_TRUE(leaving.events.empty());
    EXPECT_FALSE(staying.events.empty());

    book.UnsubscribeAll(&staying);
    staying.events.clear();
    const Price before = *book.Acquire(instrument, "");
    feed.Step(50);
    testing_support::Flush();
    EXPECT_TRUE(staying.events.empty());
    EXPECT_TRUE(SameQuote(before, *book.Acquire(instrument, ""))) << "nobody watches it, so it rests";
}

TEST_F(MarketFeedTest, TimerFollowsTheRate)
{
    QuoteBook book(*demo_);
    RecordingListener listener;
    SubscribeAll(book, &listener);
    MarketFeed feed(book, 0.0, 21);
    feed.Start();
    EXPECT_TRUE(feed.IsRunning());
    testing_support::PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(listener.events.empty()) << "rate 0 posts nothing";

    feed.SetRate(400.0);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return listener.events.size() >= 40; }, 3000))
        << listener.events.size();

    feed.Stop();
    testing_support::Flush();
    listener.events.clear();
    testing_support::PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(listener.events.empty()) << "a stopped feed posts nothing";

    feed.SetRate(-5.0);
    EXPECT_EQ(feed.Rate(), 0.0);
    feed.SetRate(std::nan(""));
    EXPECT_EQ(feed.Rate(), 0.0);
}

TEST_F(MarketFeedTest, HistoryAloneGivesNothingToMove)
{
    QuoteBook book(*demo_);
    RecordingListener listener;
    Instrument* instrument = Tradable("AMX");
    book.Subscribe(&listener, instrument, "20240110", nullptr);
    const Price before = *book.Acquire(instrument, "20240110");
    MarketFeed feed(book, 100.0, 1);
    feed.Step(100);
    feed.Step(-5);
    testing_support::Flush();
    EXPECT_TRUE(listener.events.empty());
    EXPECT_TRUE(SameQuote(before, *book.Acquire(instrument, "20240110")));
    EXPECT_TRUE(book.SubscribedLive().empty());
}

}  // namespace
