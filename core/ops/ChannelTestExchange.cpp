#include "core/ops/ChannelTestExchange.h"

#include "core/ops/ExchangeSupport.h"
#include "core/window/Faults.h"

#include <algorithm>

namespace orvane {

namespace {

// The send and the verdict.
constexpr int kTicks = 2;

}  // namespace

void ChannelTestExchange::ChTestSW_Click(int index) {
    Form1& f = m_form;
    // A click during a test restarts it for the new channel; the echo of the first command, if it
    // still comes, is then compared with what this one sends. No other exchange is disturbed.
    const bool restart = f.exchange.runBy(f.TestTimer);
    if (f.exchange.running() && !restart) return;
    f.ChIndex = index;
    f.T_Message.setCaption({});
    f.SeqStep = 0;
    f.TestTimer.setInterval(50);
    f.TestTimer.setTimerEnabled(true);
    if (restart)
        f.outcome.begin(ExchangeKind::Test);
    else
        begin(ExchangeKind::Test, f.TestTimer, /*keepTestButtons=*/true);
}

void ChannelTestExchange::TestTimer_Timer() {
    Form1& f = m_form;
    Timer& timer = f.TestTimer;
    switch (f.SeqStep) {
        case 0: {
            f.T_Message.setCaption({});
            const auto texts = ops::registerTexts(f.MSFlexGrid1, f.ChIndex, m_profile.registerRows());
            if (!texts) {
                // The channel's text gives no register values: nothing is sent, so there is no
                // test mode to leave either.
                recordFault(f, m_profile, Fault::TestData, f.ChIndex);
                endTest();
                break;
            }
            f.ReplyFlag = 0;
            f.outcome.sent(f.ChIndex, *texts);
            if (!send(timer, "/T " + *texts + "\r", {"*T"}, f.ChIndex)) return;
            // The judging tick comes one reply wait (100 characters) after the send.
            timer.setInterval(ops::replyWait(m_port.settings(), 100));
            timer.setTimerEnabled(true);
            break;
        }
        case 1:
            if (f.ReplyFlag == 0) unanswered(Fault::NoReply);
            if (m_profile.closesTestWithStar) {
                // The transmitter leaves test mode when RTS drops and a bare "*" arrives.
                if (!switchRts(&timer, false)) return;
                if (!send(timer, "*", {})) return;
            }
            endTest();
            break;
        default:
            endTest();
            break;
    }
    ++f.SeqStep;
}

void ChannelTestExchange::endTest() {
    Form1& f = m_form;
    f.TestTimer.setTimerEnabled(false);
    if (f.exchange.runBy(f.TestTimer)) f.exchange.end();
    if (f.outcome.running() && f.outcome.exchange() == ExchangeKind::Test) finish();
}

Progress ChannelTestExchange::progress() const {
    return {std::min(m_form.SeqStep, kTicks - 1) + 1, kTicks, m_form.ChIndex};
}

}  // namespace orvane
