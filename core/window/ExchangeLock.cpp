#include "core/window/ExchangeLock.h"

#include "core/window/Form1.h"

#include <initializer_list>

namespace orvane {

void ExchangeLock::begin(Timer& timer, bool keepTestButtons) {
    end();
    m_timer = &timer;
    Form1& f = m_form;
    if (!keepTestButtons) {
        for (Button& test : f.ChTestSW)
            hold(test);
    }
    for (Control* control : std::initializer_list<Control*>{&f.GetInfoSW, &f.ChCheckSW, &f.ChWriteSW})
        hold(*control);
    for (std::size_t ch = 0; ch < 4; ++ch) {
        hold(f.ChFrequency[ch]);
        hold(f.Fup[ch]);
        hold(f.Fdown[ch]);
    }
    for (Control* control : std::initializer_list<Control*>{&f.FreqDefaultSW, &f.FreqLoadSaveSW[0],
                                                            &f.FreqLoadSaveSW[1], &f.LogFileName, &f.Check1})
        hold(*control);
}

void ExchangeLock::hold(Control& control) {
    m_held.push_back({&control, control.enabled()});
    control.setEnabled(false);
}

void ExchangeLock::end() {
    m_timer = nullptr;
    for (const Held& held : m_held)
        held.control->setEnabled(held.enabled);
    m_held.clear();
}

void ExchangeLock::abort() {
    if (m_timer) m_timer->setTimerEnabled(false);
    end();
}

void ExchangeLock::setEnabled(Control& control, bool on) {
    for (Held& held : m_held) {
        if (held.control == &control) {
            held.enabled = on;
            return;
        }
    }
    control.setEnabled(on);
}

}  // namespace orvane
