#pragma once
// What a board window needs of the factory that created it.

#include <memory>

namespace store
{
class WatchlistStoreService;
}
class Host;
class Tickerdeck;
class Widget;

/// The creator of a board: its host, its identity towards the host, and the
/// bookkeeping a board updates while it goes away.
class BoardOwner
{
public:
    /// The host services, or null when there is no host.
    virtual Host* BoardHost() const = 0;
    /// The factory as the host knows it: the sender of the board's posts to
    /// other widgets and the widget opened for another board window.
    virtual Widget* BoardWidget() = 0;
    /// The watchlist store every board of the factory shares; boards keep
    /// it as long as they live, the factory may go first.
    virtual std::shared_ptr<store::WatchlistStoreService> WatchlistStore() = 0;
    /// Drops every reference to `board`; called while the board is destroyed.
    virtual void ForgetPanel(const Tickerdeck* board) = 0;

protected:
    ~BoardOwner() = default;
};
