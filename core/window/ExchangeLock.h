#pragma once

#include <vector>

namespace orvane {

class Control;
class Form1;
class Timer;

// The one exchange with the module that runs at a time. The exchanges share SeqStep, ReplyFlag and
// ChIndex, and send what the channel entries hold, so while one runs nothing that starts another
// exchange or changes what it sends can act: the operation buttons, the channel entries and their
// step buttons, Default, Load, Save, the log box and its tick box are disabled for its duration and
// get back the state they had when it ends. A test leaves the test buttons alone: another
// channel's test click restarts the test for that channel.
class ExchangeLock {
public:
    explicit ExchangeLock(Form1& form) : m_form(form) {}
    ExchangeLock(const ExchangeLock&) = delete;
    ExchangeLock& operator=(const ExchangeLock&) = delete;

    // The exchange driven by `timer` starts: the controls above are disabled and their state is
    // remembered. A lock already held is given back first.
    void begin(Timer& timer, bool keepTestButtons = false);
    // The exchange ends: every locked control gets back its remembered state.
    void end();
    // The port failed or the technician closed it: the running exchange's timer stops and the
    // exchange ends without its closing step. Does nothing when no exchange runs.
    void abort();

    bool running() const { return m_timer != nullptr; }
    bool runBy(const Timer& timer) const { return m_timer == &timer; }

    // Enables or disables a control, or, while the control is locked, changes the state it gets
    // back at the end. So nothing (a reply from the module above all) can enable a locked button.
    void setEnabled(Control& control, bool on);

private:
    struct Held {
        Control* control;
        bool enabled;
    };
    void hold(Control& control);

    Form1& m_form;
    Timer* m_timer = nullptr;
    std::vector<Held> m_held;
};

}  // namespace orvane
