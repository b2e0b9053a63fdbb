#include "market/QuoteBook.h"

#include <algorithm>
#include <ctime>
#include <unordered_set>

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

size_t QuoteBook::KeyHash::operator()(const Key& key) const
{
    return std::hash<const Instrument*>()(key.first) ^ (std::hash<std::string>()(key.second) * 31);
}

QuoteBook::QuoteBook(const Catalogue& catalogue) : catalogue_(catalogue)
{
    // A whole exchange opened at start wants a record per instrument at once;
    // room made now spares rehashing the index many times over.
    index_.reserve(catalogue.Instruments().size());
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

Price* QuoteBook::Find(Instrument* instrument, const std::string& date) const
{
    const auto found = index_.find(Key(instrument, date));
    return found == index_.end() ? nullptr : found->second;
}

Price& QuoteBook::Create(Instrument* instrument, const std::string& date)
{
    Price& price = records_.Add();
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
    return price;
}

Price* QuoteBook::Acquire(Instrument* instrument, const std::string& date)
{
    if (!instrument)
        return nullptr;
    // One lookup, whether the record exists or is made now.
    const auto [entry, added] = index_.try_emplace(Key(instrument, date), nullptr);
    if (added)
    {
        try
        {
            entry->second = &Create(instrument, date);
        }
        catch (...)
        {
            index_.erase(entry);
            throw;
        }
    }
    return entry->second;
}

void QuoteBook::Subscribe(wxEvtHandler* listener, Instrument* instrument, const std::string& date,
                          const std::function<void(Price*)>& callback)
{
    if (!instrument)
        return;
    Price* price = Acquire(instrument, date);
    Listening* listening = listener ? &listenersOf_[price] : nullptr;
    if (listening && !listening->Has(listener))
    {
        if (listening->first)
            listening->others.push_back(listener);
        else
            listening->first = listener;
        ++subscriptionCount_;
        if (date.empty() && !listening->live)
        {
            listening->live = true;
            // Opening a large tab subscribes in slices: sorting the whole
            // book again after each would cost the feed seconds per slice.
            if (!liveOrderStale_)
                liveAdded_.push_back(price);
        }
    }
    if (callback)
        callback(price);
}

void QuoteBook::RemoveSubscription(wxEvtHandler* listener, const Price* price)
{
    const auto entry = listenersOf_.find(price);
    if (entry == listenersOf_.end())
        return;
    Listening& listening = entry->second;
    std::vector<wxEvtHandler*>& others = listening.others;
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
        if (entry->second.live && !liveOrderStale_)
            liveRemoved_.push_back(price);
        listenersOf_.erase(entry);
    }
}

void QuoteBook::Unsubscribe(wxEvtHandler* listener, Instrument* instrument, const std::string& date)
{
    if (Price* price = Find(instrument, date))
        RemoveSubscription(listener, price);
}

void QuoteBook::UnsubscribeAll(wxEvtHandler* listener)
{
    // One pass over the book: listeners leave all at once only when they go
    // away, and a list of records per listener would cost memory per row.
    std::vector<const Price*> held;
    for (const auto& [price, listening] : listenersOf_)
        if (listening.Has(listener))
            held.push_back(price);
    for (const Price* price : held)
        RemoveSubscription(listener, price);
}

size_t QuoteBook::SubscriptionCount() const
{
    return subscriptionCount_;
}

bool QuoteBook::IsSubscribed(wxEvtHandler* listener, Instrument* instrument, const std::string& date) const
{
    return Listens(listener, Find(instrument, date));
}

bool QuoteBook::Listens(wxEvtHandler* listener, const Price* price) const
{
    const auto found = listenersOf_.find(price);
    return found != listenersOf_.end() && found->second.Has(listener);
}

namespace {

bool LiveOrder(const Price* a, const Price* b)
{
    const Instrument& left = *a->instrument;
    const Instrument& right = *b->instrument;
    return left.exchange != right.exchange ? left.exchange < right.exchange : left.code < right.code;
}

}  // namespace

const std::vector<Price*>& QuoteBook::SubscribedLive() const
{
    if (!liveRemoved_.empty() && !liveOrderStale_)
        TakeOutChangedRecords();
    if (liveOrderStale_)
    {
        liveOrdered_.clear();
        liveAdded_.clear();
        liveRemoved_.clear();
        // The book owns its records as mutable ones; only the index keys are const.
        for (const auto& [price, listening] : listenersOf_)
            if (listening.live)
                liveOrdered_.push_back(const_cast<Price*>(price));
        std::sort(liveOrdered_.begin(), liveOrdered_.end(), LiveOrder);
        liveOrderStale_ = false;
    }
    else if (!liveAdded_.empty())
    {
        // Merged from the back, each new record's place found by a search:
        // a few comparisons per new record instead of one per record held.
        std::sort(liveAdded_.begin(), liveAdded_.end(), LiveOrder);
        const size_t held = liveOrdered_.size();
        liveOrdered_.resize(held + liveAdded_.size());
        auto heldEnd = liveOrdered_.begin() + static_cast<std::ptrdiff_t>(held);
        auto out = liveOrdered_.end();
        for (auto added = liveAdded_.rbegin(); added != liveAdded_.rend(); ++added)
        {
            const auto place = std::upper_bound(liveOrdered_.begin(), heldEnd, *added, LiveOrder);
            out = std::move_backward(place, heldEnd, out);
            heldEnd = place;
            *--out = *added;
        }
        liveAdded_.clear();
    }
    return liveOrdered_;
}

void QuoteBook::TakeOutChangedRecords() const
{
    // A record may have left and come back, or come and left, since the
    // order was last made: every record touched leaves the order, and those
    // live now go back in once each with the records added.
    std::unordered_set<const Price*> touched(liveRemoved_.begin(), liveRemoved_.end());
    touched.insert(liveAdded_.begin(), liveAdded_.end());
    liveRemoved_.clear();
    liveOrdered_.erase(std::remove_if(liveOrdered_.begin(), liveOrdered_.end(),
                                      [&touched](const Price* price) { return touched.count(price) > 0; }),
                       liveOrdered_.end());
    liveAdded_.clear();
    for (const Price* price : touched)
    {
        const auto found = listenersOf_.find(price);
        if (found != listenersOf_.end() && found->second.live)
            liveAdded_.push_back(const_cast<Price*>(price));
    }
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
