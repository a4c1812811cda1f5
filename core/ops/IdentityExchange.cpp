#include "core/ops/IdentityExchange.h"

#include "core/ops/ExchangeSupport.h"

namespace orvane {

void IdentityExchange::start() {
    Form1& f = m_form;
    if (f.exchange.running()) return;
    Timer& timer = f.IdentityTimer;
    begin(ExchangeKind::Identity, timer);
    f.SeqStep = 0;
    f.ReplyFlag = 0;
    // The wait of a write's step: "/D" and its answer fit in it.
    timer.setInterval(ops::replyWait(m_port.settings(), 100));
    timer.setTimerEnabled(true);
    send(timer, "/D\r", {"*D"});  // a failed send has ended the exchange as a port failure
}

void IdentityExchange::IdentityTimer_Timer() {
    Form1& f = m_form;
    f.exchange.end();
    f.IdentityTimer.setTimerEnabled(false);
    f.SeqStep = 1;
    if (f.ReplyFlag == 0 || f.outcome.current().serial.empty()) unanswered();
    finish();
}

Progress IdentityExchange::progress() const {
    return {m_form.SeqStep + 1, 2, -1};
}

}  // namespace orvane
