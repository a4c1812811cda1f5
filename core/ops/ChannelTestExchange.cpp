#include "core/ops/ChannelTestExchange.h"

#include "core/ops/ExchangeSupport.h"

namespace orvane {

void ChannelTestExchange::ChTestSW_Click(int index) {
    Form1& f = m_form;
    // A click during a test restarts it for the new channel; the echo of the first command, if it
    // still comes, is then compared with this channel's column. No other exchange is disturbed.
    const bool restart = f.exchange.runBy(f.TestTimer);
    if (f.exchange.running() && !restart) return;
    f.ChIndex = index;
    f.T_Message.setCaption({});
    f.SeqStep = 0;
    f.TestTimer.setInterval(50);
    f.TestTimer.setTimerEnabled(true);
    if (!restart) f.exchange.begin(f.TestTimer, /*keepTestButtons=*/true);
}

void ChannelTestExchange::TestTimer_Timer() {
    Form1& f = m_form;
    ISerialPort& port = m_platform.port;
    Timer* timer = &f.TestTimer;
    switch (f.SeqStep) {
        case 0: {
            f.T_Message.setCaption({});
            const auto texts = ops::registerTexts(f.MSFlexGrid1, f.ChIndex, m_profile.registerRows());
            if (!texts) {
                // The channel's text gives no register values: nothing is sent, so there is no
                // test mode to leave either.
                f.T_Message.setCaption("Test Data error!!");
                endTest();
                break;
            }
            f.ReplyFlag = 0;
            if (!ops::sendOrRecover(port, m_link, timer, "/T " + *texts + "\r")) return;
            // The judging tick comes one reply wait (100 characters) after the send.
            f.TestTimer.setInterval(ops::replyWait(port.settings(), 100));
            f.TestTimer.setTimerEnabled(true);
            break;
        }
        case 1:
            if (f.ReplyFlag == 0) f.T_Message.setCaption("Not Response!!");
            if (m_profile.closesTestWithStar) {
                // The transmitter leaves test mode when RTS drops and a bare "*" arrives.
                if (!ops::switchRtsOrRecover(port, m_link, timer, false)) return;
                if (!ops::sendOrRecover(port, m_link, timer, "*")) return;
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
    m_form.TestTimer.setTimerEnabled(false);
    if (m_form.exchange.runBy(m_form.TestTimer)) m_form.exchange.end();
}

}  // namespace orvane
