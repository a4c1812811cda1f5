#include "core/window/TimerDriver.h"

namespace orvane {

TimerDriver::TimerDriver(Form1& form, IEventLoop& loop) : m_state(std::make_shared<State>(State{loop, {}})) {
    for (Timer* model : form.timers())
        m_state->entries.push_back({model, 0});
    for (std::size_t index = 0; index < m_state->entries.size(); ++index) {
        std::weak_ptr<State> weak = m_state;
        m_state->entries[index].model->observe([weak, index](Prop prop, int) {
            const std::shared_ptr<State> state = weak.lock();
            if (!state || !state->started) return;
            Entry& entry = state->entries[index];
            if (prop == Prop::Armed) state->arm(entry);
            if (prop == Prop::Enabled && !entry.model->isEnabled()) state->stop(entry);
        });
    }
}

TimerDriver::~TimerDriver() {
    for (Entry& entry : m_state->entries)
        m_state->stop(entry);
}

void TimerDriver::start() {
    m_state->started = true;
    for (Entry& entry : m_state->entries)
        if (entry.model->isEnabled()) m_state->arm(entry);
}

void TimerDriver::State::arm(Entry& entry) {
    stop(entry);
    Timer* model = entry.model;
    if (model->isEnabled() && model->interval() > 0)
        entry.running = loop.startTimer(model->interval(), [model] { model->tick(); });
}

void TimerDriver::State::stop(Entry& entry) {
    if (entry.running != 0) loop.stopTimer(entry.running);
    entry.running = 0;
}

}  // namespace orvane
