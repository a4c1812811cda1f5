#include "tests/support/VirtualClock.h"

#include <algorithm>
#include <memory>

namespace orvane::test {

void VirtualClock::attach(Timer& timer) {
    m_timers.push_back({&timer, 0, 0, false});
    const std::size_t index = m_timers.size() - 1;
    if (timer.isEnabled()) arm(m_timers[index]);
    timer.observe([this, index](Prop prop, int) {
        Armed& entry = m_timers[index];
        if (prop == Prop::Armed) arm(entry);
        if (prop == Prop::Enabled && !entry.timer->isEnabled()) entry.active = false;
    });
}

void VirtualClock::attachAll(Form1& form) {
    for (Timer* timer : form.timers())
        attach(*timer);
}

void VirtualClock::arm(Armed& entry) {
    entry.active = entry.timer->isEnabled() && entry.timer->interval() > 0;
    entry.due = m_now + entry.timer->interval();
    entry.order = m_order++;
}

void VirtualClock::at(Millis time, std::function<void()> callback) {
    m_events.push_back({std::max(time, m_now), m_order++, std::move(callback)});
}

void VirtualClock::advance(Millis delay) {
    advanceTo(m_now + delay);
}

void VirtualClock::advanceTo(Millis time) {
    for (;;) {
        // The earliest due item, timers and events alike, ordered by (due, order).
        Armed* timer = nullptr;
        for (Armed& entry : m_timers) {
            if (!entry.active || entry.due > time) continue;
            if (!timer || entry.due < timer->due || (entry.due == timer->due && entry.order < timer->order))
                timer = &entry;
        }
        auto event = m_events.end();
        for (auto it = m_events.begin(); it != m_events.end(); ++it) {
            if (it->due > time) continue;
            if (event == m_events.end() || it->due < event->due ||
                (it->due == event->due && it->order < event->order))
                event = it;
        }
        const bool eventFirst =
            event != m_events.end() &&
            (!timer || event->due < timer->due || (event->due == timer->due && event->order < timer->order));
        if (eventFirst) {
            m_now = event->due;
            auto callback = std::move(event->callback);
            m_events.erase(event);
            callback();
        } else if (timer) {
            m_now = timer->due;
            timer->due = m_now + timer->timer->interval();
            timer->order = m_order++;
            timer->timer->tick();
        } else {
            break;
        }
    }
    m_now = time;
}

IEventLoop::TimerId VirtualClock::startTimer(int ms, std::function<void()> callback) {
    const TimerId id = ++m_lastTimer;
    // Each period is due one interval after the last one was due, however long a callback took.
    auto fire = std::make_shared<std::function<void(Millis)>>();
    *fire = [this, id, ms, callback = std::move(callback), weakFire = std::weak_ptr(fire)](Millis due) {
        if (std::find(m_stopped.begin(), m_stopped.end(), id) != m_stopped.end()) return;
        at(due + ms, [weakFire, next = due + ms] {
            if (const auto again = weakFire.lock()) (*again)(next);
        });
        callback();
    };
    m_repeating.push_back(fire);
    at(m_now + ms, [fire, due = m_now + ms] { (*fire)(due); });
    return id;
}

void VirtualClock::stopTimer(TimerId id) {
    m_stopped.push_back(id);
}

int VirtualClock::run() {
    m_quit.reset();
    const Millis end = m_now + 600000;
    while (!m_quit && m_now < end)
        advance(1);
    return m_quit.value_or(-1);
}

void VirtualClock::terminate() {
    post(0, [this] {
        if (m_termination)
            m_termination();
        else
            quit(130);
    });
}

void VirtualClock::runUntilIdle(const std::vector<Timer*>& timers, Millis limit) {
    const Millis end = m_now + limit;
    auto running = [&timers] {
        return std::any_of(timers.begin(), timers.end(), [](Timer* t) { return t->isEnabled(); });
    };
    while (running() && m_now < end)
        advance(1);
}

}  // namespace orvane::test
