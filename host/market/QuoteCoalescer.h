#pragma once
// Hands quote changes to listeners no faster than they take them.

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "contract/Records.h"

class QuoteBook;
class wxEvtHandler;

/// Gathers the feed's changes per listener and record, and posts them only
/// once the listener has handled the previous batch: a listener's queue then
/// holds at most one quote event per record it watches, whose mask is the
/// union of every change since, however fast the feed runs.
class QuoteCoalescer
{
public:
    explicit QuoteCoalescer(const QuoteBook& book);
    ~QuoteCoalescer();
    QuoteCoalescer(const QuoteCoalescer&) = delete;
    QuoteCoalescer& operator=(const QuoteCoalescer&) = delete;

    /// Notes that `changes` moved on `price` for `listener`.
    void Add(wxEvtHandler* listener, Price* price, int changes, bool flash);
    /// Posts what gathered for every listener whose last batch is handled.
    void Deliver();

    /// Changes gathered and not yet posted, over all listeners.
    size_t Waiting() const;

private:
    struct Change
    {
        Price* price;
        int mask;
        bool flash;
    };
    /// One listener's gathered changes, in the order the records first moved.
    struct Gathered
    {
        std::vector<Change> changes;
        std::unordered_map<const Price*, size_t> slotOf;
    };
    /// Listeners whose batch is still queued; shared with the markers that
    /// follow each batch, which may outlive the coalescer.
    using Busy = std::unordered_set<const wxEvtHandler*>;
    class BatchMarker;

    void Post(wxEvtHandler* listener, Gathered& gathered);

    const QuoteBook& book_;
    std::unordered_map<wxEvtHandler*, Gathered> gathered_;
    std::shared_ptr<Busy> busy_;
};
