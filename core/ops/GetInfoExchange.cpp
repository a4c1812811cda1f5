#include "core/ops/GetInfoExchange.h"

#include "core/ops/ExchangeSupport.h"

namespace orvane {

void GetInfoExchange::GetInfoSW_Click() {
    Form1& f = m_form;
    if (f.exchange.running()) return;
    // The module listens only with RTS on; a test may have left it off.
    if (!ops::switchRtsOrRecover(m_platform.port, m_link, nullptr, true)) return;
    f.exchange.begin(f.GetInfoTimer);
    f.SeqStep = 0;
    f.GetInfoTimer.setTimerEnabled(true);
}

void GetInfoExchange::GetInfoTimer_Timer() {
    Form1& f = m_form;
    Timer* timer = &f.GetInfoTimer;
    switch (f.SeqStep) {
        case 0: {
            ops::clearIdentity(f, m_profile);
            f.C_Message.setCaption({});
            f.ReplyFlag = 0;
            if (!ops::sendOrRecover(m_platform.port, m_link, timer, "\x80")) return;
            break;
        }
        case 1:
            // A correct "*V" line that came on its own since step 0 makes the question unnecessary;
            // the flag it raised is kept for step 2.
            if (f.ReplyFlag == 0 || f.Version.text().empty()) {
                if (!ops::sendOrRecover(m_platform.port, m_link, timer, "/V\r")) return;
            }
            break;
        case 2:
            if (f.ReplyFlag == 0) {
                f.SeqStep = ops::kAbortStep;
                return;
            }
            f.ReplyFlag = 0;
            if (!ops::sendOrRecover(m_platform.port, m_link, timer, "/D\r")) return;
            break;
        default: {
            // The verdict: every button only for a module that gave a valid identity.
            const bool identified = f.Serial.backColor() == f.ColorGreen && !f.Serial.text().empty();
            f.exchange.end();
            if (identified)
                f.EnableSwitches();
            else
                f.EnableInfoSwitchOnly();
            f.GetInfoTimer.setTimerEnabled(false);
            if (f.ReplyFlag == 0 || f.Version.text().empty() || f.Serial.text().empty())
                f.C_Message.setCaption("Not Response!! (or target error)");
            break;
        }
    }
    ++f.SeqStep;
}

}  // namespace orvane
