#include "core/ops/WriteExchange.h"

#include "core/ops/ExchangeSupport.h"

#include <string>

namespace orvane {

namespace {

constexpr int kFirstChannelStep = 4;
constexpr int kClosingStep = 12;

}  // namespace

void WriteExchange::ChWriteSW_Click() {
    if (m_form.exchange.running()) return;
    // Removes the green marks of an earlier check or write. The wait is the time of 100
    // characters: room for the longest command and its echo.
    ops::startSequence(m_form, m_profile, m_form.WriteAllTimer,
                       ops::replyWait(m_platform.port.settings(), 100));
}

void WriteExchange::WriteAllTimer_Timer() {
    Form1& f = m_form;
    if (f.SeqStep >= 0 && f.SeqStep < kFirstChannelStep) {
        if (!identityStep()) return;
    } else if (f.SeqStep >= kFirstChannelStep && f.SeqStep < kClosingStep) {
        if (!channelStep()) return;
    } else {
        closingStep();
    }
    ++f.SeqStep;
}

bool WriteExchange::identityStep() {
    Form1& f = m_form;
    switch (f.SeqStep) {
        case 0:
            ops::clearIdentity(f, m_profile);
            f.C_Message.setCaption({});
            f.T_Message.setCaption({});
            f.L_Message.setCaption({});
            f.ReplyFlag = 0;
            return send("\x80");
        case 1:
            // Only a version line that came on its own since step 0 makes the question unnecessary.
            return !f.Version.text().empty() || send("/V\r");
        case 2:
            // The flag is not reset: step 3 accepts the reply to "/V" or to "/D".
            return send("/D\r");
        default: {
            // A module of the other type fills the boxes too, but its "*V" leaves Version grey
            // (and "Target error!!" in C_Message); the write stops here rather than load the
            // registers of one module type into the other.
            const bool identified = f.ReplyFlag == 1 && !f.Version.text().empty() &&
                                    !f.Serial.text().empty() && f.Version.backColor() == f.ColorGreen;
            if (!identified) {
                f.T_Message.setCaption("Not Response!!");
                f.SeqStep = ops::kAbortStep;
                return false;
            }
            if (!m_profile.usesCommonParams) return true;  // the flag of "/V" or "/D" counts for step 4
            f.ReplyFlag = 0;
            return send("/M " + f.CommonParam + "\r");
        }
    }
}

bool WriteExchange::channelStep() {
    Form1& f = m_form;
    if (f.ReplyFlag == 0) {
        f.SeqStep = ops::kAbortStep;
        return false;
    }
    const int offset = f.SeqStep - kFirstChannelStep;
    const int channel = offset / 2;
    if (offset % 2 == 0) {
        const auto texts = ops::registerTexts(f.MSFlexGrid1, channel, m_profile.registerRows());
        if (!texts) {
            // No register values for this channel's text: the write ends here, before anything
            // of this channel or a later one reaches the flash, and it is not logged.
            f.T_Message.setCaption("Flash Write Error!!");
            closingStep();
            return false;
        }
        // The echoes of "/T " and "/W" are compared with the column of ChIndex.
        f.ChIndex = channel;
        f.ReplyFlag = 0;
        return send("/T " + *texts + "\r");
    }
    f.ReplyFlag = 0;
    return send("/W 0" + std::to_string(channel) + "\r");
}

void WriteExchange::closingStep() {
    Form1& f = m_form;
    f.exchange.end();
    f.EnableSwitches();
    f.WriteAllTimer.setTimerEnabled(false);
    // An aborted write also counts as unanswered when the missing reply came after all, between
    // the abort and this step: the channels after it were never written, so it must not be logged.
    if (f.ReplyFlag == 0 || f.SeqStep == ops::kAbortStep) f.T_Message.setCaption("Not Response!!");
    if (f.Check1.value() == 1 && f.C_Message.caption().empty() && f.T_Message.caption().empty())
        m_log.appendRecord();
}

bool WriteExchange::send(const std::string& bytes) {
    return ops::sendOrRecover(m_platform.port, m_link, &m_form.WriteAllTimer, bytes);
}

}  // namespace orvane
