#pragma once
// When each running cell flash of a table ends.

#include <chrono>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

class wxTimer;

/// Deadlines of the running cell flashes, earliest first. Each flash keeps a
/// timer object of its own, but only one toolkit timer runs, for the earliest
/// deadline: a native timer per flashing cell makes every turn of the event
/// loop walk all of them, and a busy board has hundreds.
///
/// Flashes all last as long, so deadlines mostly arrive in order: they queue
/// at the back, and a restart leaves its old place behind to be skipped.
class FlashSchedule
{
public:
    using Clock = std::chrono::steady_clock;

    /// Adds the flash, or moves it to `due` when it is already scheduled.
    void Schedule(wxTimer* flash, Clock::time_point due);
    void Cancel(wxTimer* flash);
    bool Contains(wxTimer* flash) const { return m_entries.count(flash) > 0; }
    std::optional<Clock::time_point> EndOf(wxTimer* flash) const;
    /// Removes and returns the flashes due at `now`, earliest first.
    std::vector<wxTimer*> TakeDue(Clock::time_point now);
    /// The earliest deadline, if any flash runs.
    std::optional<Clock::time_point> Next() const;
    size_t Size() const { return m_entries.size(); }

private:
    struct Entry
    {
        Clock::time_point due;
        wxTimer* flash;
    };

    /// Whether `entry` is the flash's current place in the queue.
    bool IsCurrent(const Entry& entry) const;
    void DropLeftBehind();

    std::deque<Entry> m_queue;  // by deadline; places left by restarts and cancels stay until they come first
    std::unordered_map<wxTimer*, Clock::time_point> m_entries;
};
