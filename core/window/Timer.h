#pragma once

#include "core/window/Control.h"

#include <functional>

namespace orvane {

// A window timer. It is driven from outside: a clock (a QTimer in the programs, the virtual clock
// in tests) observes it and calls tick() when its interval has passed. Enabling a stopped timer,
// or setting the interval of an enabled one (even to the same value), restarts its count: the
// observers see Prop::Armed. Disabling it notifies Prop::Enabled.
class Timer : public Control {
public:
    Timer() : Control(Kind::Timer) { setVisible(false); }

    int interval() const { return m_interval; }
    void setInterval(int milliseconds);
    bool isEnabled() const { return enabled(); }
    void setTimerEnabled(bool on);

    // Called by the clock when the interval has passed; runs the handler while enabled.
    void tick() {
        if (enabled() && onTick) onTick();
    }
    std::function<void()> onTick;

private:
    // Enabling goes through setTimerEnabled so that the clock hears of it.
    using Control::setEnabled;
    int m_interval = 0;
};

}  // namespace orvane
