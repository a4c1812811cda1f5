#pragma once

#include "core/platform/IEventLoop.h"
#include "core/window/Form1.h"

#include <memory>
#include <vector>

namespace orvane {

// Runs a window's timers on an event loop. Arming a model timer (enabling it, or setting the
// interval of an enabled one) restarts its loop timer with the interval; disabling it stops the
// loop timer; each period ticks the model timer. A zero interval never ticks. Nothing runs before
// start(); the driver's loop timers stop with it.
class TimerDriver {
public:
    TimerDriver(Form1& form, IEventLoop& loop);
    ~TimerDriver();
    TimerDriver(const TimerDriver&) = delete;
    TimerDriver& operator=(const TimerDriver&) = delete;

    // Starts the timers enabled now; from then on the driver follows the model.
    void start();

private:
    struct Entry {
        Timer* model;
        IEventLoop::TimerId running = 0;  // 0: stopped
    };
    struct State {
        IEventLoop& loop;
        std::vector<Entry> entries;
        bool started = false;
        void arm(Entry& entry);
        void stop(Entry& entry);
    };
    // Shared with the model timers' observers, which outlive the driver and must then do nothing.
    std::shared_ptr<State> m_state;
};

}  // namespace orvane
