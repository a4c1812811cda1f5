#pragma once

#include "core/platform/IEventLoop.h"
#include "core/window/Form1.h"
#include "core/window/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orvane::test {

// Virtual time for the window's timers and for input from a fake module. advance() fires every
// due timer and scheduled event in time order (ties in the order they were armed), including
// timers enabled or re-armed from inside a callback. Nothing sleeps. It is the event loop of the
// headless command's tests too: its posted callbacks and loop timers run in the same order.
class VirtualClock : public IEventLoop {
public:
    using Millis = std::int64_t;

    void post(int ms, std::function<void()> callback) override { after(ms, std::move(callback)); }
    TimerId startTimer(int ms, std::function<void()> callback) override;
    void stopTimer(TimerId id) override;
    long long now() const override { return m_now; }
    void onTermination(std::function<void()> handler) override { m_termination = std::move(handler); }
    // Advances until quit() (or ten virtual minutes have passed: -1 then).
    int run() override;
    void quit(int status) override { m_quit = status; }
    // The user asks the program to end (Ctrl-C), from inside the loop.
    void terminate();

    void attach(Timer& timer);
    void attachAll(Form1& form);

    // Runs the callback at the given virtual time (or at once on the next advance if it is past).
    void at(Millis time, std::function<void()> callback);
    void after(Millis delay, std::function<void()> callback) { at(m_now + delay, std::move(callback)); }

    // Moves time forward by `delay` milliseconds, firing what falls due on the way.
    void advance(Millis delay);
    void advanceTo(Millis time);

    // Advances until no timer of the exchanges is running (or the limit passes); the register
    // refresh timer does not count.
    void runUntilIdle(const std::vector<Timer*>& timers, Millis limit = 60000);

private:
    struct Armed {
        Timer* timer;
        Millis due;
        std::uint64_t order;
        bool active;
    };
    struct Event {
        Millis due;
        std::uint64_t order;
        std::function<void()> callback;
    };
    void arm(Armed& entry);

    Millis m_now = 0;
    TimerId m_lastTimer = 0;
    std::vector<TimerId> m_stopped;
    std::function<void()> m_termination;
    std::optional<int> m_quit;
    std::vector<std::shared_ptr<std::function<void(Millis)>>> m_repeating;
    std::uint64_t m_order = 0;
    std::vector<Armed> m_timers;
    std::vector<Event> m_events;
};

}  // namespace orvane::test
