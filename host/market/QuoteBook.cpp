#include "market/QuoteBook.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include <wx/datetime.h>
#include <wx/event.h>

#include "market/Catalogue.h"
#include "market/PriceMath.h"
#include "market/QuoteSnapshot.h"
#include "market/SeededRandom.h"

namespace {
// Same value as cmd::QuoteUpdate; that header cannot be included next to the
// POSIX headers that wx pulls in while it declares a namespace named "link".
constexpr int kQuoteUpdateId = 7011;
}  // namespace

namespace {
// A day's table past this many records gets room for the whole catalogue.
constexpr size_t kDayRoomAt = 4096;
}  // namespace

QuoteBook::QuoteBook(const Catalogue& catalogue) : catalogue_(catalogue)
{
    // A whole exchange opened at start wants a live record per instrument.
    Day(std::string()).reserve(catalogue.Instruments().size());
}
QuoteBook::~QuoteBook() = default;

std::string QuoteBook::Today()
{
    return wxDateTime::Today().Format("%Y%m%d").ToStdString();
}

const QuoteBook::SessionClock& QuoteBook::ClockNow()
{
    const std::time_t now = std::time(nullptr);
    if (now != clock_.second)
    {
        const wxDateTime local(now);
        clock_ = SessionClock{now, local.Format("%Y%m%d").ToStdString(), local.Format("%H:%M:%S").ToStdString()};
    }
    return clock_;
}

QuoteBook::DayIndex& QuoteBook::Day(const std::string& date)
{
    if (!lastDay_ || date != lastDate_)
    {
        lastDay_ = &days_[date];
        lastDate_ = date;
    }
    return *lastDay_;
}

QuoteBook::Record* QuoteBook::Find(const Instrument* instrument, const std::string& date) const
{
    const auto day = days_.find(date);
    if (day == days_.end())
        return nullptr;
    const auto found = day->second.find(instrument);
    return found == day->second.end() ? nullptr : found->second;
}

void QuoteBook::Create(Price& price, Instrument* instrument, const std::string& date)
{
    price.instrument = instrument;
    double seed = catalogue_.PrevClose(instrument);
    if (seed <= 0.0)
    {
        // A catalogue without a close still gets a believable, stable price.
        SeededRandom random(StableHash(instrument->exchange + ":" + instrument->code));
        seed = RoundPrice(random.Uniform(10.0, 200.0), instrument->decimals);
    }

    const SessionClock& clock = ClockNow();
    const std::string& today = clock.date;
    if (date.empty())
        quote_snapshot::FillLiveSession(price, seed, today, clock.time);
    else if (quote_snapshot::IsValidDate(date) && date < today)
        quote_snapshot::FillClosingDay(price, seed, date);
    else
        quote_snapshot::FillNoTrading(price, seed);

    // The record's notes are the session's own remarks; the board shows them
    // joined with the instrument's static texts, so copying those here would
    // print every status twice ("Halted;Halted").
}

QuoteBook::Record& QuoteBook::AcquireRecord(Instrument* instrument, const std::string& date)
{
    DayIndex& day = Day(date);
    // One lookup, whether the record exists or is made now.
    const auto [entry, added] = day.try_emplace(instrument, nullptr);
    if (added)
    {
        try
        {
            Record& record = records_.Add();
            entry->second = &record;
            Create(record.price, instrument, date);
        }
        catch (...)
        {
            if (entry->second)
                records_.DropLast();
            day.erase(entry);
            throw;
        }
        const size_t room = catalogue_.Instruments().size();
        if (day.size() == kDayRoomAt && day.bucket_count() < room)
            day.reserve(room);
    }
    return *entry->second;
}

Price* QuoteBook::Acquire(Instrument* instrument, const std::string& date)
{
    return instrument ? &AcquireRecord(instrument, date).price : nullptr;
}

void QuoteBook::Subscribe(wxEvtHandler* listener, Instrument* instrument, const std::string& date,
                          const std::function<void(Price*)>& callback)
{
    if (!instrument)
        return;
    Record& record = AcquireRecord(instrument, date);
    Listening& listening = record.listening;
    if (listener && !listening.Has(listener))
    {
        if (listening.first)
            listening.others.push_back(listener);
        else
            listening.first = listener;
        if (record.listenedAt == kNotListened)
        {
            record.listenedAt = listened_.size();
            listened_.push_back(&record);
        }
        ++subscriptionCount_;
        if (date.empty() && !listening.live)
        {
            listening.live = true;
            // Opening a large tab subscribes in slices: sorting the whole
            // book again after each would cost the feed seconds per slice.
            liveAdded_.push_back(&record.price);
        }
    }
    if (callback)
        callback(&record.price);
}

void QuoteBook::RemoveSubscription(wxEvtHandler* listener, Record& record)
{
    Listening& listening = record.listening;
    std::vector<wxEvtHandler*>& others = listening.others;
    if (!listener)
        return;
    if (listening.first == listener)
    {
        listening.first = others.empty() ? nullptr : others.front();
        if (!others.empty())
            others.erase(others.begin());
    }
    else
    {
        const auto found = std::find(others.begin(), others.end(), listener);
        if (found == others.end())
            return;
        others.erase(found);
    }
    --subscriptionCount_;
    if (!listening.first)
    {
        // Sorting the whole book again at the feed's next tick cost a tab
        // let go of a slice at a time seconds per slice.
        if (listening.live)
            liveRemoved_.push_back(&record.price);
        listening.live = false;
        // The last of the list takes the place of the record leaving it.
        Record* last = listened_.back();
        listened_[record.listenedAt] = last;
        last->listenedAt = record.listenedAt;
        listened_.pop_back();
        record.listenedAt = kNotListened;
    }
}

void QuoteBook::Unsubscribe(wxEvtHandler* listener, Instrument* instrument, const std::string& date)
{
    if (Record* record = Find(instrument, date))
        RemoveSubscription(listener, *record);
}

void QuoteBook::UnsubscribeAll(wxEvtHandler* listener)
{
    // One pass over the records listened to: listeners leave all at once
    // only when they go away, and a list of records per listener would cost
    // memory per row.
    std::vector<Record*> held;
    for (Record* record : listened_)
        if (record->listening.Has(listener))
            held.push_back(record);
    for (Record* record : held)
        RemoveSubscription(listener, *record);
}

size_t QuoteBook::SubscriptionCount() const
{
    return subscriptionCount_;
}

bool QuoteBook::IsSubscribed(wxEvtHandler* listener, Instrument* instrument, const std::string& date) const
{
    const Record* record = Find(instrument, date);
    return record && record->listening.Has(listener);
}

bool QuoteBook::Listens(wxEvtHandler* listener, const Price* price) const
{
    const Record* record = RecordOf(price);
    return record && listener && record->listening.Has(listener);
}

namespace {

bool LiveOrder(const Price* a, const Price* b)
{
    const Instrument& left = *a->instrument;
    const Instrument& right = *b->instrument;
    return left.exchange != right.exchange ? left.exchange < right.exchange : left.code < right.code;
}

// The text's first bytes, the first most significant and missing ones zero:
// packed starts compare as the texts do up to there (catalogue texts hold no
// zero bytes).
uint64_t PackedStart(const std::string& text)
{
    uint64_t packed = 0;
    for (size_t at = 0; at < sizeof(packed); ++at)
        packed = (packed << 8) | (at < text.size() ? static_cast<unsigned char>(text[at]) : 0u);
    return packed;
}

}  // namespace

QuoteBook::KeyedRecord QuoteBook::Keyed(Price* price)
{
    const Instrument& instrument = *price->instrument;
    LiveKey key;
    key.exchange = PackedStart(instrument.exchange);
    key.code = PackedStart(instrument.code);
    key.exchangeFits = instrument.exchange.size() <= sizeof(key.exchange);
    key.codeFits = instrument.code.size() <= sizeof(key.code);
    return {key, price};
}

bool QuoteBook::Before(const LiveKey& a, const Price* first, const LiveKey& b, const Price* second)
{
    if (a.exchange != b.exchange)
        return a.exchange < b.exchange;
    // Equal starts of longer exchange codes tell nothing of the codes' order.
    if (!a.exchangeFits || !b.exchangeFits)
        return LiveOrder(first, second);
    if (a.code != b.code)
        return a.code < b.code;
    // Whole codes alike: the same record, as a search meets the one it looks for.
    if (a.codeFits && b.codeFits)
        return false;
    return LiveOrder(first, second);  // codes with the same start: the texts decide
}

const std::vector<Price*>& QuoteBook::SubscribedLive() const
{
    if (!liveRemoved_.empty())
        TakeOutChangedRecords();
    if (!liveAdded_.empty())
        MergeAdded();
    return liveOrdered_;
}

void QuoteBook::MergeAdded() const
{
    // Merged from the back, each new record's place found by a search over
    // the packed keys: a few comparisons per new record instead of one per
    // record held, and none of them reaches a held record.
    std::vector<KeyedRecord> added;
    added.reserve(liveAdded_.size());
    for (Price* price : liveAdded_)
        added.push_back(Keyed(price));
    liveAdded_.clear();
    std::sort(added.begin(), added.end(), [](const KeyedRecord& a, const KeyedRecord& b) {
        return Before(a.first, a.second, b.first, b.second);
    });
    size_t heldEnd = liveOrdered_.size();
    size_t out = heldEnd + added.size();
    liveOrdered_.resize(out);
    liveKeys_.resize(out);
    for (auto next = added.rbegin(); next != added.rend(); ++next)
    {
        const size_t low = FirstAfter(heldEnd, *next);
        const auto shift = static_cast<std::ptrdiff_t>(heldEnd - low);
        std::move_backward(liveOrdered_.begin() + static_cast<std::ptrdiff_t>(low),
                           liveOrdered_.begin() + static_cast<std::ptrdiff_t>(heldEnd),
                           liveOrdered_.begin() + static_cast<std::ptrdiff_t>(out));
        std::move_backward(liveKeys_.begin() + static_cast<std::ptrdiff_t>(low),
                           liveKeys_.begin() + static_cast<std::ptrdiff_t>(heldEnd),
                           liveKeys_.begin() + static_cast<std::ptrdiff_t>(out));
        out -= static_cast<size_t>(shift) + 1;
        heldEnd = low;
        liveOrdered_[out] = next->second;
        liveKeys_[out] = next->first;
    }
}

size_t QuoteBook::FirstAfter(size_t end, const KeyedRecord& record) const
{
    const auto after = [&](size_t at) { return Before(record.first, record.second, liveKeys_[at], liveOrdered_[at]); };
    // Strides that double back from `end`, then a search within the last:
    // a slice of a tab comes in the tab's order, often the feed's own, so
    // its records mostly land near where the one before them did.
    size_t low = 0;
    size_t high = end;
    for (size_t stride = 1; high > 0; stride *= 2)
    {
        const size_t probe = end > stride ? end - stride : 0;
        if (!after(probe))
        {
            low = probe + 1;
            break;
        }
        high = probe;
    }
    while (low < high)
    {
        const size_t middle = low + (high - low) / 2;
        if (after(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

size_t QuoteBook::FirstNotBefore(size_t from, const KeyedRecord& record) const
{
    const size_t size = liveOrdered_.size();
    const auto before = [&](size_t at) { return Before(liveKeys_[at], liveOrdered_[at], record.first, record.second); };
    // Strides that double from `from`, then a search within the last: the
    // records looked for come in order, so each search stays near the last.
    size_t low = from;
    size_t high = from;
    for (size_t stride = 1; high < size && before(high); stride *= 2)
    {
        low = high + 1;
        high = from + stride;
    }
    high = std::min(high, size);
    while (low < high)
    {
        const size_t middle = low + (high - low) / 2;
        if (before(middle))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void QuoteBook::TakeOutChangedRecords() const
{
    // A record may have left and come back, or come and left, since the
    // order was last made: every record touched leaves the order, and those
    // live now go back in once each with the records added.
    std::vector<Price*> touched(liveAdded_.begin(), liveAdded_.end());
    for (const Price* price : liveRemoved_)
        touched.push_back(const_cast<Price*>(price));
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    liveRemoved_.clear();
    liveAdded_.clear();
    // Found in one walk along the order, not by asking of every record held
    // whether it was touched: letting a million-row tab go a slice at a time
    // made that pass over the whole order at each tick of the feed.
    std::vector<KeyedRecord> sought;
    sought.reserve(touched.size());
    for (Price* price : touched)
        sought.push_back(Keyed(price));
    std::sort(sought.begin(), sought.end(), [](const KeyedRecord& a, const KeyedRecord& b) {
        return Before(a.first, a.second, b.first, b.second);
    });
    std::vector<size_t> leaving;
    size_t from = 0;
    for (const KeyedRecord& record : sought)
    {
        from = FirstNotBefore(from, record);
        // Records that order alike (none in a sound catalogue) sit side by side.
        for (size_t at = from; at < liveOrdered_.size() &&
                               !Before(record.first, record.second, liveKeys_[at], liveOrdered_[at]);
             ++at)
            if (liveOrdered_[at] == record.second)
            {
                leaving.push_back(at);
                break;
            }
    }
    std::sort(leaving.begin(), leaving.end());
    DropFromOrder(leaving);
    for (const Price* price : touched)
    {
        if (const Record* record = RecordOf(price); record && record->listening.live)
            liveAdded_.push_back(const_cast<Price*>(&record->price));
    }
}

void QuoteBook::DropFromOrder(const std::vector<size_t>& leaving) const
{
    if (leaving.empty())
        return;
    // The runs between leaving records move down in one piece each.
    size_t kept = leaving.front();
    for (size_t run = 0; run < leaving.size(); ++run)
    {
        const auto begin = static_cast<std::ptrdiff_t>(leaving[run] + 1);
        const auto end = static_cast<std::ptrdiff_t>(run + 1 < leaving.size() ? leaving[run + 1] : liveOrdered_.size());
        const auto to = static_cast<std::ptrdiff_t>(kept);
        std::move(liveOrdered_.begin() + begin, liveOrdered_.begin() + end, liveOrdered_.begin() + to);
        std::move(liveKeys_.begin() + begin, liveKeys_.begin() + end, liveKeys_.begin() + to);
        kept += static_cast<size_t>(end - begin);
    }
    liveOrdered_.resize(kept);
    liveKeys_.resize(kept);
}

void QuoteBook::PostQuote(wxEvtHandler* listener, Price* price, int mask, bool flash)
{
    if (!listener)
        return;
    wxCommandEvent event(wxEVT_MENU, kQuoteUpdateId);
    event.SetClientData(price);
    event.SetInt(mask);
    event.SetExtraLong(flash ? 1 : 0);
    wxPostEvent(listener, event);
}
