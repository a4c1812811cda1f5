#include "core/window/Timer.h"

namespace orvane {

void Timer::setInterval(int milliseconds) {
    m_interval = milliseconds;
    if (enabled()) notify(Prop::Armed);
}

void Timer::setTimerEnabled(bool on) {
    if (on == enabled()) return;
    setEnabled(on);
    if (on) notify(Prop::Armed);
}

}  // namespace orvane
