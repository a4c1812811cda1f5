#include "core/ops/GetInfoExchange.h"

#include "core/ops/ExchangeSupport.h"
#include "core/window/StatusTexts.h"

#include <algorithm>

namespace orvane {

namespace {

// The opening byte, "/V", "/D" and the verdict: one tick each.
constexpr int kTicks = 4;

}  // namespace

void GetInfoExchange::GetInfoSW_Click() {
    Form1& f = m_form;
    if (f.exchange.running()) return;
    f.outcome.begin(ExchangeKind::GetInfo);
    m_shownSerial = f.Serial.text();
    // The module listens only with RTS on; a test may have left it off.
    if (!switchRts(nullptr, true)) return;  // the port-error path has ended the exchange
    f.exchange.begin(f.GetInfoTimer);
    f.SeqStep = 0;
    f.GetInfoTimer.setTimerEnabled(true);
}

void GetInfoExchange::GetInfoTimer_Timer() {
    Form1& f = m_form;
    Timer& timer = f.GetInfoTimer;
    switch (f.SeqStep) {
        case 0:
            clearIdentity();
            f.C_Message.setCaption({});
            f.ReplyFlag = 0;
            if (!send(timer, "\x80", {"*V"})) return;
            break;
        case 1:
            // A correct "*V" line that came on its own since step 0 makes the question unnecessary;
            // the flag it raised is kept for step 2.
            if (f.ReplyFlag == 0 || f.outcome.current().version.empty()) {
                if (!send(timer, "/V\r", {"*V"})) return;
            }
            break;
        case 2:
            if (f.ReplyFlag == 0) {
                unanswered();
                f.SeqStep = ops::kAbortStep;
                return;
            }
            f.ReplyFlag = 0;
            if (!send(timer, "/D\r", {"*D"})) return;
            break;
        default:
            verdict();
            break;
    }
    ++f.SeqStep;
}

void GetInfoExchange::verdict() {
    Form1& f = m_form;
    const Outcome& o = f.outcome.current();
    // Every button only for a module of the program's own type that gave its identity.
    const bool identified = !o.serial.empty() && ownModule();
    f.exchange.end();
    if (identified)
        f.EnableSwitches();
    else
        f.EnableInfoSwitchOnly();
    f.GetInfoTimer.setTimerEnabled(false);
    if (f.ReplyFlag == 0 || o.version.empty() || o.serial.empty())
        recordUnanswered(f, m_profile, Fault::NoIdentity, o.version.empty() ? "/V" : "/D");
    // Green entries say what the module shown holds: another module (or none) holds nothing that
    // this window confirmed.
    if (o.serial != m_shownSerial) {
        for (std::size_t ch = 0; ch < 4; ++ch) {
            if (f.ChFrequency[ch].backColor() == f.ColorGreen) f.ChFrequency[ch].setBackColor(f.ColorWindow);
            if (m_profile.hasStepLabels() && f.ChStep[ch].backColor() == f.ColorGreen)
                f.ChStep[ch].setBackColor(f.ColorWindow);
        }
    }
    finish();
}

Progress GetInfoExchange::progress() const {
    return {std::min(m_form.SeqStep, kTicks - 1) + 1, kTicks, -1};
}

}  // namespace orvane
