#include "core/ops/WriteExchange.h"

#include "core/ops/ExchangeSupport.h"
#include "core/window/StatusTexts.h"

#include <algorithm>
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
    beginSequence(ExchangeKind::Write, m_form.WriteAllTimer, ops::replyWait(m_port.settings(), 100));
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
            clearIdentity();
            f.C_Message.setCaption({});
            f.T_Message.setCaption({});
            f.L_Message.setCaption({});
            f.ReplyFlag = 0;
            return send("\x80", {"*V"});
        case 1:
            // Only a version line that came on its own since step 0 makes the question unnecessary.
            return !f.outcome.current().version.empty() || send("/V\r", {"*V"});
        case 2:
            // The flag is not reset: step 3 accepts the reply to "/V" or to "/D".
            return send("/D\r", {"*V", "*D"});
        default: {
            // A module of the other type sends its identity too, but the write stops here rather
            // than load the registers of one module type into the other.
            const Outcome& o = f.outcome.current();
            if (f.ReplyFlag == 0 || o.version.empty() || o.serial.empty() || !ownModule()) {
                recordUnanswered(f, m_profile, Fault::NoReply, o.version.empty() ? "/V" : "/D");
                f.SeqStep = ops::kAbortStep;
                return false;
            }
            if (m_admission && !m_admission->admits(o)) {
                // Nothing was written: the write ends at once, with nothing on screen.
                f.outcome.fail(OutcomeKind::NotAdmitted);
                closingStep();
                return false;
            }
            if (!m_profile.usesCommonParams) return true;  // the flag of "/V" or "/D" counts for step 4
            f.ReplyFlag = 0;
            return send("/M " + f.CommonParam + "\r", {"*M"});
        }
    }
}

bool WriteExchange::channelStep() {
    Form1& f = m_form;
    if (f.ReplyFlag == 0) {
        unanswered();
        f.SeqStep = ops::kAbortStep;
        return false;
    }
    const int offset = f.SeqStep - kFirstChannelStep;
    const int channel = offset / 2;
    if (offset % 2 == 0) {
        const auto texts = ops::registerTexts(f.MSFlexGrid1, channel, m_profile.registerRows());
        if (!texts) {
            // No register values for this channel's text: the write ends here, before anything
            // of this channel or a later one reaches the flash.
            recordFault(f, m_profile, Fault::FlashWrite, channel);
            closingStep();
            return false;
        }
        // The echoes of "/T " and "/W" are compared with what is sent here, for ChIndex.
        f.ChIndex = channel;
        f.ReplyFlag = 0;
        f.outcome.sent(channel, *texts);
        return send("/T " + *texts + "\r", {"*T"}, channel);
    }
    f.ReplyFlag = 0;
    return send("/W 0" + std::to_string(channel) + "\r", {"*W"}, channel);
}

void WriteExchange::closingStep() {
    closeSequence(m_form.WriteAllTimer, Fault::FlashWrite);
}

bool WriteExchange::send(const std::string& bytes, std::initializer_list<std::string_view> replies,
                         int channel) {
    return Exchange::send(m_form.WriteAllTimer, bytes, replies, channel);
}

Progress WriteExchange::progress() const {
    const int step = std::min(m_form.SeqStep, kClosingStep);
    const int channel =
        step >= kFirstChannelStep && step < kClosingStep ? (step - kFirstChannelStep) / 2 : -1;
    return {step + 1, kClosingStep + 1, channel};
}

}  // namespace orvane
