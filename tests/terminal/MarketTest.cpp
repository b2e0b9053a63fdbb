// The terminal's simulated feed: the change masks it posts to the boards name
// exactly what changed, only watched live records move, and a flood reaches a
// board no faster than it takes it.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "market/Catalogue.h"
#include "market/MarketFeed.h"
#include "market/QuoteBook.h"
#include "contract/CommandIds.h"
#include "support/EventLoop.h"

namespace {

/// Records every command event posted to it, like a board would receive them.
class RecordingListener : public wxEvtHandler
{
public:
    /// The event's id, quote, change mask and flash.
    using Received = std::tuple<int, Price*, int, long>;
    RecordingListener()
    {
        Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
            events.emplace_back(event.GetId(), static_cast<Price*>(event.GetClientData()), event.GetInt(),
                                event.GetExtraLong());
        });
    }
    std::vector<Received> events;
};

/// Mask of the board columns that differ, written out from the column table
/// independently of the production code.
int ExpectedMask(const Price& a, const Price& b)
{
    const std::pair<bool, unsigned> bits[] = {
        {a.statusNote != b.statusNote, 2u},   {a.caNote != b.caNote, 4u},           {a.buy != b.buy, 16u},
        {a.buyVolume != b.buyVolume, 32u},    {a.sell != b.sell, 64u},              {a.sellVolume != b.sellVolume, 128u},
        {a.deals != b.deals, 256u},           {a.moneyFlow != b.moneyFlow, 512u},   {a.high != b.high, 1024u},
        {a.low != b.low, 2048u},              {a.last != b.last, 4096u},            {a.change != b.change, 1u << 15},
        {a.open != b.open, 1u << 16},         {a.changePercent != b.changePercent, 1u << 17},
        {a.closing != b.closing, 1u << 18},   {a.prevClose != b.prevClose, 1u << 19},
        {a.cumVolume != b.cumVolume, 1u << 20},
        {a.tradeDate != b.tradeDate || a.secondDate != b.secondDate, 1u << 22},
        {a.vwap != b.vwap, 1u << 23},         {a.tradeTime != b.tradeTime, 1u << 26},
        {a.tradeType != b.tradeType, 1u << 27}, {a.cumValue != b.cumValue, 1u << 28},
        {a.amplitude != b.amplitude, 1u << 30}};
    unsigned mask = 0;
    for (const auto& [changed, bit] : bits)
        mask |= changed ? bit : 0u;
    return static_cast<int>(mask);
}

/// Same market state, ignoring the clock-driven trade time.
bool SameQuote(const Price& a, const Price& b)
{
    return (ExpectedMask(a, b) & ~(1 << 26)) == 0;
}

class Market : public ::testing::Test
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
    static Catalogue* demo_;
    QuoteBook book{*demo_};
    RecordingListener listener;
};

Catalogue* Market::demo_ = nullptr;

TEST_F(Market, FeedMasksNameExactlyTheFieldsThatChangedAndAFloodQueuesOneEventPerRecordCarryingThemAll)
{
    for (Instrument* instrument : FindExchange(demo_->Exchanges(), "AMX")->instruments)
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
        std::vector<RecordingListener::Received> expected;
        for (size_t i = 0; i < records.size(); ++i)
            if (const int mask = ExpectedMask(before[i], *records[i]))
            {
                expected.emplace_back(cmd::QuoteUpdate, records[i], mask, 1);
                for (int bit = 0; bit < 32; ++bit)
                    seenBits[bit] += (mask >> bit) & 1;
            }
        ASSERT_LE(expected.size(), 1u) << "one update moves one record";
        ASSERT_EQ(expected, listener.events) << "step " << step;
        listener.events.clear();
    }
    // Every field a session moves was seen moving, so every bit was checked.
    for (int bit : {4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 17, 20, 23, 27, 28, 30})
        EXPECT_GT(seenBits[bit], 0) << "bit " << bit;
    EXPECT_EQ(seenBits[16] + seenBits[19], 0) << "open and previous close stay put during a session";

    // A flood queues one event per record, carrying every change until the listener catches up.
    const int flood = static_cast<int>(records.size()) * 50;
    // The mask each record's one event carries.
    const auto masksOfOneEventPerRecord = [&] {
        std::map<const Price*, int> maskOf;
        for (const auto& [id, price, mask, flash] : listener.events)
            maskOf[price] = mask;
        EXPECT_EQ(maskOf.size(), listener.events.size()) << "records were queued more than once";
        EXPECT_FALSE(listener.events.empty());
        return maskOf;
    };

    feed.Step(flood);
    for (size_t i = 0; i < records.size(); ++i)
        before[i] = *records[i];
    feed.Step(flood);  // the first flood is still queued: nothing more is posted
    testing_support::Flush();
    masksOfOneEventPerRecord();

    listener.events.clear();
    feed.Step(0);
    testing_support::Flush();
    std::map<const Price*, int> maskOf = masksOfOneEventPerRecord();
    for (size_t i = 0; i < records.size(); ++i)
    {
        const int changed = ExpectedMask(before[i], *records[i]);
        EXPECT_EQ(changed & ~maskOf[records[i]], 0) << "a change of the second flood was lost for " << i;
    }
}

TEST_F(Market, OnlySubscribedLiveRecordsMoveAndUnsubscribingStopsPostingAtOnce)
{
    RecordingListener leaving;
    RecordingListener staying;
    Instrument* live = Tradable("AMX");
    Instrument* history = Tradable("HBX");
    Instrument* unwatched = Tradable("RHX");
    book.Subscribe(&leaving, live, "", nullptr);
    book.Subscribe(&staying, live, "", nullptr);
    book.Subscribe(&staying, history, "20240110", nullptr);
    const Price historyBefore = *book.Acquire(history, "20240110");
    const Price unwatchedBefore = *book.Acquire(unwatched, "");
    MarketFeed feed(book, 0.0, 8);
    feed.Step(50);
    testing_support::Flush();
    EXPECT_FALSE(leaving.events.empty());
    EXPECT_EQ(leaving.events.size(), staying.events.size());
    EXPECT_TRUE(SameQuote(historyBefore, *book.Acquire(history, "20240110")));
    EXPECT_TRUE(SameQuote(unwatchedBefore, *book.Acquire(unwatched, "")));

    leaving.events.clear();
    staying.events.clear();
    book.Unsubscribe(&leaving, live, "");
    feed.Step(50);
    testing_support::Flush();
    EXPECT_TRUE(leaving.events.empty());
    EXPECT_FALSE(staying.events.empty());
}

// The order is searched by the first eight bytes of each text; longer texts
// that share them are ordered by the whole text, and records leaving are
// searched for by the same keys, each between neighbours sharing its start.
TEST(MarketOrder, LiveRecordsKeepExchangeAndCodeOrderHoweverTheyAreSubscribedAndLetGo)
{
    Catalogue catalogue = Catalogue::FromText(
        "<catalogue>\n<exchange code=\"LONGEXCHANGEB\">\n<instrument code=\"B\"/>\n<instrument code=\"A\"/>\n"
        "</exchange>\n<exchange code=\"LONGEXCHANGEA\">\n<instrument code=\"B\"/>\n</exchange>\n"
        "<exchange code=\"LONG\">\n<instrument code=\"ABCDEFGHZ\"/>\n<instrument code=\"ABCDEFGH\"/>\n"
        "<instrument code=\"ABCDEFGHA\"/>\n<instrument code=\"Z\"/>\n</exchange>\n</catalogue>\n",
        "long.xml");
    catalogue.AddSynthetic(40, 3);
    QuoteBook book(catalogue);
    RecordingListener listener;
    const std::vector<Instrument*>& all = catalogue.Instruments();
    ASSERT_EQ(47u, all.size());
    // The records the book should hold live, each once, by exchange and code.
    std::set<Price*> held;
    const auto ordered = [&held] {
        std::vector<Price*> records(held.begin(), held.end());
        std::sort(records.begin(), records.end(), [](const Price* a, const Price* b) {
            const Instrument& l = *a->instrument;
            const Instrument& r = *b->instrument;
            return std::tie(l.exchange, l.code) < std::tie(r.exchange, r.code);
        });
        return records;
    };
    // Slices that interleave with what is held, read between them, as a
    // large tab opening in steps while the feed runs subscribes them.
    for (size_t start : {size_t{3}, size_t{0}, size_t{1}, size_t{2}})
    {
        for (size_t i = start; i < all.size(); i += 4)
        {
            book.Subscribe(&listener, all[i], "", nullptr);
            held.insert(book.Acquire(all[i], ""));
        }
        EXPECT_EQ(ordered(), book.SubscribedLive()) << "after the slice from " << start;
    }
    EXPECT_EQ(all.size(), held.size());
    book.Unsubscribe(&listener, all[5], "");
    book.Subscribe(&listener, all[7], "", nullptr);  // held already: nothing changes
    book.Subscribe(&listener, all[5], "", nullptr);
    book.Unsubscribe(&listener, all[0], "");
    held.erase(book.Acquire(all[0], ""));
    EXPECT_EQ(ordered(), book.SubscribedLive());

    // Let go of in slices, read between them, as a large tab closing in
    // steps while the feed runs; records come and go between two reads too.
    book.Subscribe(&listener, all[0], "", nullptr);
    book.Unsubscribe(&listener, all[0], "");
    for (size_t start : {size_t{1}, size_t{2}})
    {
        for (size_t i = start; i < all.size(); i += 4)
        {
            book.Unsubscribe(&listener, all[i], "");
            held.erase(book.Acquire(all[i], ""));
        }
        book.Unsubscribe(&listener, all[3], "");
        book.Subscribe(&listener, all[3], "", nullptr);
        EXPECT_EQ(ordered(), book.SubscribedLive()) << "after the slice from " << start;
    }
    book.Subscribe(&listener, all[1], "", nullptr);
    book.Unsubscribe(&listener, all[1], "");
    book.Subscribe(&listener, all[1], "", nullptr);
    held.insert(book.Acquire(all[1], ""));
    EXPECT_EQ(ordered(), book.SubscribedLive()) << "back twice, held once";
}

TEST(MarketBook, EachInstrumentAndDayKeepsOneRecordAndItsOwnListenersAsTheBookGrows)
{
    // More instruments than a day's table holds before it makes room for
    // the whole catalogue, over three days.
    Catalogue large = Catalogue::FromFile("data/catalogue.xml");
    large.AddSynthetic(6000, 3);
    const std::vector<Instrument*>& all = large.Instruments();
    ASSERT_GT(all.size(), 6000u);
    QuoteBook book(large);
    RecordingListener first;
    RecordingListener second;
    const std::vector<std::string> days = {"", "20240110", "20240111"};
    std::map<std::pair<const Instrument*, std::string>, Price*> made;
    std::set<Price*> distinct;
    for (const std::string& day : days)
        for (Instrument* instrument : all)
        {
            Price* given = nullptr;
            book.Subscribe(&first, instrument, day, [&given](Price* price) { given = price; });
            ASSERT_NE(given, nullptr);
            ASSERT_EQ(given->instrument, instrument);
            made[{instrument, day}] = given;
            distinct.insert(given);
        }
    EXPECT_EQ(distinct.size(), all.size() * days.size()) << "a record of its own per instrument and day";
    for (const auto& [key, price] : made)
        ASSERT_EQ(book.Acquire(const_cast<Instrument*>(key.first), key.second), price)
            << key.first->code << " " << key.second << " found again after the tables grew";
    EXPECT_EQ(book.SubscriptionCount(), made.size());

    // Every other record gets a second listener; the first lets go of every
    // third, so records leave the middle of what is listened to.
    for (size_t i = 0; i < all.size(); i += 2)
        book.Subscribe(&second, all[i], "20240110", nullptr);
    for (size_t i = 0; i < all.size(); i += 3)
        book.Unsubscribe(&first, all[i], "20240110");
    for (size_t i = 0; i < all.size(); ++i)
    {
        std::vector<wxEvtHandler*> heard;
        book.ForEachListener(made.at({all[i], "20240110"}), [&heard](wxEvtHandler* listener) { heard.push_back(listener); });
        std::vector<wxEvtHandler*> expected;
        if (i % 3 != 0)
            expected.push_back(&first);
        if (i % 2 == 0)
            expected.push_back(&second);
        ASSERT_EQ(heard, expected) << "instrument " << i;
        EXPECT_EQ(book.IsSubscribed(&first, all[i], "20240110"), i % 3 != 0);
        EXPECT_EQ(book.Listens(&second, made.at({all[i], "20240110"})), i % 2 == 0);
        EXPECT_TRUE(book.Listens(&first, made.at({all[i], "20240111"}))) << "the next day is its own record";
    }

    // The first goes away whole; only the second's records stay listened to.
    book.UnsubscribeAll(&first);
    EXPECT_EQ(book.SubscriptionCount(), (all.size() + 1) / 2);
    EXPECT_TRUE(book.SubscribedLive().empty()) << "no live record is listened to any more";
    book.Subscribe(&first, all[1], "", nullptr);
    EXPECT_EQ(book.SubscribedLive(), std::vector<Price*>{made.at({all[1], ""})});
    // The second going away finds every record it still listens to, however
    // often others left the list of records listened to before.
    book.UnsubscribeAll(&second);
    EXPECT_EQ(book.SubscriptionCount(), 1u);
    for (size_t i = 0; i < all.size(); i += 2)
        ASSERT_FALSE(book.Listens(&second, made.at({all[i], "20240110"}))) << "instrument " << i;

    // A quote of nobody's book has no listeners, and asking is harmless.
    Price stranger;
    stranger.instrument = all[0];
    size_t visits = 0;
    book.ForEachListener(&stranger, [&visits](wxEvtHandler*) { ++visits; });
    EXPECT_EQ(visits, 0u);
    EXPECT_FALSE(book.Listens(&second, &stranger));
    EXPECT_FALSE(book.Listens(&second, nullptr));
}

}  // namespace
