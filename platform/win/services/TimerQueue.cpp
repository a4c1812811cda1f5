#include "platform/win/services/TimerQueue.h"

#include <utility>

namespace orvane::win {

void TimerQueue::add(Micros due, std::function<void()> callback) {
    m_entries.emplace(nextKey(due),
                      Entry{0, 0, std::make_shared<const std::function<void()>>(std::move(callback))});
}

int TimerQueue::addTimer(Micros due, Micros interval, std::function<void()> callback) {
    const int id = ++m_lastTimer;
    const Key key = nextKey(due);
    m_entries.emplace(
        key, Entry{id, interval, std::make_shared<const std::function<void()>>(std::move(callback))});
    m_timers.emplace(id, key);
    return id;
}

void TimerQueue::stop(int id) {
    const auto found = m_timers.find(id);
    if (found == m_timers.end()) return;
    m_entries.erase(found->second);
    m_timers.erase(found);
}

std::optional<TimerQueue::Micros> TimerQueue::nextDue() const {
    if (m_entries.empty()) return std::nullopt;
    return m_entries.begin()->first.due;
}

TimerQueue::Callback TimerQueue::take(Micros now, std::uint64_t mark) {
    if (m_entries.empty()) return nullptr;
    const auto first = m_entries.begin();
    // What was added after the mark sorts after everything due before it (its due time was taken
    // from a clock no earlier than `now`), so looking at the first entry is enough.
    if (first->first.due > now || first->first.order >= mark) return nullptr;
    const Key key = first->first;
    Entry entry = std::move(first->second);
    m_entries.erase(first);
    if (entry.timer != 0) {
        Micros next = key.due + entry.interval;
        if (next <= now) next = key.due + ((now - key.due) / entry.interval + 1) * entry.interval;
        const Key again = nextKey(next);
        m_entries.emplace(again, entry);
        m_timers[entry.timer] = again;
    }
    return entry.callback;
}

}  // namespace orvane::win
