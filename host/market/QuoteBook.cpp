#include "market/QuoteBook.h"

#include <algorithm>
#include <ctime>

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

QuoteBook::QuoteBook(const Catalogue& catalogue) : catalogue_(catalogue) {}
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
    Price& price = records_.emplace_back();
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
    index_.emplace(Key(instrument, date), &price);
    return price;
}

Price* QuoteBook::Acquire(Instrument* instrument, const std::string& date)
{
    if (!instrument)
        return nullptr;
    if (Price* existing = Find(instrument, date))
        return existing;
    return &Create(instrument, date);
}

void QuoteBook::Subscribe(wxEvtHandler* listener, Instrument* instrument, const std::string& date,
                          const std::function<void(Price*)>& callback)
{
    if (!instrument)
        return;
    Price* price = Acquire(instrument, date);
    if (listener && pricesOf_[listener].insert(price).second)
    {
        listenersOf_[price].push_back(listener);
        ++subscriptionCount_;
        if (date.empty() && live_.insert(price).second)
            liveOrderStale_ = true;
    }
    if (callback)
        callback(price);
}

void QuoteBook::RemoveSubscription(wxEvtHandler* listener, Price* price)
{
    const auto entry = listenersOf_.find(price);
    if (entry == listenersOf_.end())
        return;
    std::vector<wxEvtHandler*>& listeners = entry->second;
    const auto found = std::find(listeners.begin(), listeners.end(), listener);
    if (found == listeners.end())
        return;
    listeners.erase(found);
    --subscriptionCount_;
    if (listeners.empty())
    {
        listenersOf_.erase(entry);
        if (live_.erase(price))
            liveOrderStale_ = true;
    }
}

void QuoteBook::Unsubscribe(wxEvtHandler* listener, Instrument* instrument, const std::string& date)
{
    Price* price = Find(instrument, date);
    const auto subscriptions = pricesOf_.find(listener);
    if (!price || subscriptions == pricesOf_.end() || !subscriptions->second.erase(price))
        return;
    RemoveSubscription(listener, price);
    if (subscriptions->second.empty())
        pricesOf_.erase(subscriptions);
}

void QuoteBook::UnsubscribeAll(wxEvtHandler* listener)
{
    const auto subscriptions = pricesOf_.find(listener);
    if (subscriptions == pricesOf_.end())
        return;
    for (Price* price : subscriptions->second)
        RemoveSubscription(listener, price);
    pricesOf_.erase(subscriptions);
}

const std::vector<wxEvtHandler*>& QuoteBook::Listeners(const Price* price) const
{
    static const std::vector<wxEvtHandler*> nobody;
    const auto found = listenersOf_.find(price);
    return found == listenersOf_.end() ? nobody : found->second;
}

size_t QuoteBook::SubscriptionCount() const
{
    return subscriptionCount_;
}

bool QuoteBook::IsSubscribed(wxEvtHandler* listener, Instrument* instrument, const std::string& date) const
{
    Price* price = Find(instrument, date);
    const auto subscriptions = pricesOf_.find(listener);
    return price && subscriptions != pricesOf_.end() && subscriptions->second.count(price) > 0;
}

bool QuoteBook::Listens(wxEvtHandler* listener, const Price* price) const
{
    const auto subscriptions = pricesOf_.find(listener);
    return subscriptions != pricesOf_.end() && subscriptions->second.count(const_cast<Price*>(price)) > 0;
}

const std::vector<Price*>& QuoteBook::SubscribedLive() const
{
    if (liveOrderStale_)
    {
        liveOrdered_.assign(live_.begin(), live_.end());
        std::sort(liveOrdered_.begin(), liveOrdered_.end(), [](const Price* a, const Price* b) {
            const Instrument& left = *a->instrument;
            const Instrument& right = *b->instrument;
            return left.exchange != right.exchange ? left.exchange < right.exchange : left.code < right.code;
        });
        liveOrderStale_ = false;
    }
    return liveOrdered_;
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
