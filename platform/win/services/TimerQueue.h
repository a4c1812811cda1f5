#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

namespace orvane::win {

// What an event loop has to run when: callbacks posted to run once and timers that run every
// interval, on a clock in microseconds that the loop reads. They come out by due time; those due
// at the same time in the order they were added, the next period of a timer counting as added when
// the one before was taken. Knows nothing of the system: the loop supplies the time.
class TimerQueue {
public:
    using Micros = std::int64_t;
    using Callback = std::shared_ptr<const std::function<void()>>;

    // Runs `callback` once at `due`.
    void add(Micros due, std::function<void()> callback);
    // A timer first due at `due`, then every `interval` (above 0). Returns its id, above 0.
    int addTimer(Micros due, Micros interval, std::function<void()> callback);
    // Stops a timer; an unknown id, or one already stopped, is ignored.
    void stop(int id);

    // The earliest due time, or nothing when nothing is waiting.
    std::optional<Micros> nextDue() const;

    // Stands for everything added so far: take() passes over whatever is added after it, so that a
    // callback posting itself again cannot keep the loop from its other work.
    std::uint64_t mark() const { return m_added; }

    // The earliest callback due at `now` that was added before `mark`, taken out; null when there
    // is none. A timer is first put back for its next period, so that its callback may stop it:
    // one interval after this due time, or, when the loop has missed that period entirely, the
    // first period still ahead of `now` (periods keep to the timer's own beat, never drifting, and
    // a late loop does not run a burst of them).
    Callback take(Micros now, std::uint64_t mark);

private:
    struct Key {
        Micros due;
        std::uint64_t order;
        auto operator<=>(const Key&) const = default;
    };
    struct Entry {
        int timer;        // 0 for a posted callback
        Micros interval;  // timers only
        Callback callback;
    };

    Key nextKey(Micros due) { return {due, m_added++}; }

    std::map<Key, Entry> m_entries;
    std::unordered_map<int, Key> m_timers;  // where each running timer waits
    std::uint64_t m_added = 0;
    int m_lastTimer = 0;
};

}  // namespace orvane::win
