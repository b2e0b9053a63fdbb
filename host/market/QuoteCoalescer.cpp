#include "market/QuoteCoalescer.h"

#include <wx/event.h>

#include "market/QuoteBook.h"

/// Marks a listener idle again when the marker that follows its batch is
/// gone from its queue: handled, or dropped with the listener itself, which
/// the toolkit does when a handler with queued events is destroyed.
class QuoteCoalescer::BatchMarker
{
public:
    BatchMarker(std::weak_ptr<Busy> busy, const wxEvtHandler* listener) : busy_(std::move(busy)), listener_(listener) {}
    ~BatchMarker()
    {
        if (auto busy = busy_.lock())
            busy->erase(listener_);
    }
    BatchMarker(const BatchMarker&) = delete;
    BatchMarker& operator=(const BatchMarker&) = delete;

private:
    std::weak_ptr<Busy> busy_;
    const wxEvtHandler* listener_;
};

QuoteCoalescer::QuoteCoalescer(const QuoteBook& book) : book_(book), busy_(std::make_shared<Busy>()) {}

QuoteCoalescer::~QuoteCoalescer() = default;

void QuoteCoalescer::Add(wxEvtHandler* listener, Price* price, int changes, bool flash)
{
    Gathered& gathered = gathered_[listener];
    const auto [slot, isNew] = gathered.slotOf.emplace(price, gathered.changes.size());
    if (isNew)
    {
        gathered.changes.push_back({price, changes, flash});
        return;
    }
    Change& change = gathered.changes[slot->second];
    change.mask |= changes;
    change.flash = change.flash || flash;
}

void QuoteCoalescer::Deliver()
{
    for (auto it = gathered_.begin(); it != gathered_.end();)
    {
        if (busy_->count(it->first))
        {
            ++it;
            continue;
        }
        Post(it->first, it->second);
        it = gathered_.erase(it);
    }
}

void QuoteCoalescer::Post(wxEvtHandler* listener, Gathered& gathered)
{
    // A listener that let go of a record, or of every record because it is
    // closing, gets nothing more for it.
    bool posted = false;
    for (const Change& change : gathered.changes)
        if (book_.Listens(listener, change.price))
        {
            QuoteBook::PostQuote(listener, change.price, change.mask, change.flash);
            posted = true;
        }
    if (!posted)
        return;
    busy_->insert(listener);
    auto marker = std::make_shared<BatchMarker>(busy_, listener);
    listener->CallAfter([marker] {});
}

size_t QuoteCoalescer::Waiting() const
{
    size_t waiting = 0;
    for (const auto& entry : gathered_)
        waiting += entry.second.changes.size();
    return waiting;
}
