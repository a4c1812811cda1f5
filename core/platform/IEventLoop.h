#pragma once

#include <functional>

namespace orvane {

// The event loop a program runs on: one thread, one callback at a time. Posted callbacks and
// timers run on it, and so do the serial port's events and the request to end the program. The
// windows' model timers reach it through a TimerDriver.
class IEventLoop {
public:
    using TimerId = int;

    virtual ~IEventLoop() = default;

    // Runs `callback` once, `ms` milliseconds from now; 0 runs it as soon as the current event is
    // done. Callbacks due at the same moment run in the order they were posted.
    virtual void post(int ms, std::function<void()> callback) = 0;
    // Runs `callback` every `ms` milliseconds (ms > 0), the first time `ms` from now, until the
    // timer is stopped (also from inside its own callback). Returns an id above 0.
    virtual TimerId startTimer(int ms, std::function<void()> callback) = 0;
    // Stops a timer; an id already stopped is ignored.
    virtual void stopTimer(TimerId id) = 0;
    // Milliseconds on a clock that never goes back.
    virtual long long now() const = 0;

    // `handler` runs on the loop whenever the user asks the program to end (Ctrl-C, a termination
    // signal, Ctrl-Break, a logoff); without one the loop quits with status 130.
    virtual void onTermination(std::function<void()> handler) = 0;
    // Runs events until quit(); returns the status quit() was given.
    virtual int run() = 0;
    virtual void quit(int status) = 0;
};

}  // namespace orvane
