#pragma once
// Quote records of the terminal and who listens to them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "contract/Records.h"
#include "market/StableChunks.h"

class Catalogue;
class wxEvtHandler;

/// Owns one Price record per (instrument, date) for as long as it lives and
/// keeps the subscriptions that quote events are posted to.
class QuoteBook
{
public:
    explicit QuoteBook(const Catalogue& catalogue);
    ~QuoteBook();
    QuoteBook(const QuoteBook&) = delete;
    QuoteBook& operator=(const QuoteBook&) = delete;

    /// The one record for that instrument and date ("" = live, else
    /// "%Y%m%d"), created on first use; never freed while the book lives.
    Price* Acquire(Instrument* instrument, const std::string& date);

    /// Registers `listener` for the pair and calls `callback` with the record
    /// before returning. A null instrument is ignored.
    void Subscribe(wxEvtHandler* listener, Instrument* instrument, const std::string& date,
                   const std::function<void(Price*)>& callback);
    /// Nothing more is posted for the pair; events already queued still
    /// arrive, so listeners ignore records they no longer show.
    void Unsubscribe(wxEvtHandler* listener, Instrument* instrument, const std::string& date);
    /// Drops every subscription of a listener that is going away.
    void UnsubscribeAll(wxEvtHandler* listener);

    /// Calls `visit` with each listener of the record, in subscription order.
    template <typename Visit>
    void ForEachListener(const Price* price, Visit visit) const
    {
        const Record* record = RecordOf(price);
        if (!record || !record->listening.first)
            return;
        visit(record->listening.first);
        for (wxEvtHandler* other : record->listening.others)
            visit(other);
    }
    size_t SubscriptionCount() const;
    bool IsSubscribed(wxEvtHandler* listener, Instrument* instrument, const std::string& date) const;
    /// Whether `listener` is subscribed to this very record.
    bool Listens(wxEvtHandler* listener, const Price* price) const;

    /// Live records with at least one listener, ordered by exchange and code
    /// so that a seeded feed does not depend on the order of subscribing.
    const std::vector<Price*>& SubscribedLive() const;

    /// Posts quote event 7011 (client data price, int mask, extra long
    /// flash) to the listener's queue; never processes it inline.
    static void PostQuote(wxEvtHandler* listener, Price* price, int mask, bool flash);

    /// Today's date as the records use it ("%Y%m%d", local time).
    static std::string Today();

private:
    /// Who listens to one record, and whether it is a live one (no date),
    /// which the feed moves. Nearly every record has one listener, kept
    /// inline: a list of its own per record would cost more than the entry.
    struct Listening
    {
        wxEvtHandler* first = nullptr;
        std::vector<wxEvtHandler*> others;
        bool live = false;

        bool Has(const wxEvtHandler* listener) const
        {
            return first == listener || std::find(others.begin(), others.end(), listener) != others.end();
        }
    };
    /// A record and who listens to it, side by side: a map from every record
    /// to its listeners rehashed a million entries at the first quote of a
    /// second day, and its lookup missed the cache once more per event.
    struct Record
    {
        Price price;
        Listening listening;
        size_t listenedAt = kNotListened;  // place in listened_
    };
    static constexpr size_t kNotListened = static_cast<size_t>(-1);
    /// One day's records by instrument. A day's table holds at most one
    /// record per instrument of the catalogue, so once it is past a few
    /// thousand it is given room for the whole catalogue and never rehashes
    /// again: rehashing a day of a million records took the window a fifth
    /// of a second.
    using DayIndex = std::unordered_map<const Instrument*, Record*>;

    /// Today's date and the time of day as the records use them, formatted
    /// once a second: formatting reads the time zone each time, and opening
    /// a whole exchange creates a hundred thousand records at once.
    struct SessionClock
    {
        std::time_t second = -1;
        std::string date;
        std::string time;
    };
    const SessionClock& ClockNow();

    const Record* RecordOf(const Price* price) const { return price ? records_.OwnerOf(price, &Record::price) : nullptr; }
    Record* Find(const Instrument* instrument, const std::string& date) const;
    Record& AcquireRecord(Instrument* instrument, const std::string& date);
    DayIndex& Day(const std::string& date);
    void Create(Price& price, Instrument* instrument, const std::string& date);
    void RemoveSubscription(wxEvtHandler* listener, Record& record);
    void TakeOutChangedRecords() const;

    const Catalogue& catalogue_;
    StableChunks<Record> records_;
    std::unordered_map<std::string, DayIndex> days_;
    // The day asked for last: a tab asks for one day a million times over.
    std::string lastDate_;
    DayIndex* lastDay_ = nullptr;
    /// Records with at least one listener; each knows its place here.
    std::vector<Record*> listened_;
    size_t subscriptionCount_ = 0;
    /// The first bytes of a live record's exchange and code, packed so that
    /// keys compare as the texts do: the order is searched without reaching
    /// a million records scattered over memory.
    struct LiveKey
    {
        uint64_t exchange = 0;
        uint64_t code = 0;
        bool exchangeFits = false;  // the whole exchange code is in `exchange`
        bool codeFits = false;      // and the whole instrument code in `code`
    };
    using KeyedRecord = std::pair<LiveKey, Price*>;
    static KeyedRecord Keyed(Price* price);
    static bool Before(const LiveKey& a, const Price* first, const LiveKey& b, const Price* second);
    void MergeAdded() const;
    /// The first place before `end` in the order of live records whose
    /// record comes after `record`; `end` when none does.
    size_t FirstAfter(size_t end, const KeyedRecord& record) const;
    /// The first place at or after `from` in the order of live records
    /// that does not come before `record`.
    size_t FirstNotBefore(size_t from, const KeyedRecord& record) const;
    /// Takes the entries at `leaving` (ascending, distinct) out of the order.
    void DropFromOrder(const std::vector<size_t>& leaving) const;

    mutable std::vector<Price*> liveOrdered_;
    mutable std::vector<LiveKey> liveKeys_;  // beside liveOrdered_, entry for entry
    // Records gone live since the order was last made, and records that
    // stopped being live: merged into and taken out of the order at its next use.
    mutable std::vector<Price*> liveAdded_;
    mutable std::vector<const Price*> liveRemoved_;
    SessionClock clock_;
};
