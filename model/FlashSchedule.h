#pragma once
// When each running cell flash of a table ends.

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

/// Deadlines of the running cell flashes, earliest first, so that one
/// toolkit timer can wake for the earliest: a native timer per flashing cell
/// makes every turn of the event loop walk all of them, and a busy board has
/// hundreds. A flash is named by an id its owner hands out.
///
/// Flashes all last as long, so deadlines mostly arrive in order: they queue
/// at the back, and a restart leaves its old place behind to be skipped.
class FlashSchedule
{
public:
    using Clock = std::chrono::steady_clock;
    using Id = std::uint64_t;

    /// Adds the flash, or moves it to `due` when it is already scheduled.
    void Schedule(Id flash, Clock::time_point due);
    void Cancel(Id flash);
    bool Contains(Id flash) const { return m_entries.count(flash) > 0; }
    std::optional<Clock::time_point> EndOf(Id flash) const;
    /// Removes and returns the flashes due at `now`, earliest first.
    std::vector<Id> TakeDue(Clock::time_point now);
    /// The earliest deadline, if any flash runs.
    std::optional<Clock::time_point> Next() const;
    size_t Size() const { return m_entries.size(); }
    void Clear();

private:
    struct Entry
    {
        Clock::time_point due;
        Id flash;
    };

    /// Whether `entry` is the flash's current place in the queue.
    bool IsCurrent(const Entry& entry) const;
    void DropLeftBehind();

    std::deque<Entry> m_queue;  // by deadline; places left by restarts and cancels stay until they come first
    std::unordered_map<Id, Clock::time_point> m_entries;
};
