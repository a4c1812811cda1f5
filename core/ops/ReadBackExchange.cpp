#include "core/ops/ReadBackExchange.h"

#include "core/ops/ExchangeSupport.h"

#include <algorithm>
#include <string>

namespace orvane {

namespace {

// The first flash slot's step: the common parameters come first where the program has them.
int firstSlotStep(const Profile& profile) {
    return profile.usesCommonParams ? 1 : 0;
}

}  // namespace

void ReadBackExchange::ChCheckSW_Click() {
    if (m_form.exchange.running()) return;
    // Green afterwards marks only channels this check confirms. The wait is the time of 70
    // characters: a read waits less than a write.
    beginSequence(ExchangeKind::Check, m_form.ReadAllTimer, ops::replyWait(m_port.settings(), 70));
}

void ReadBackExchange::ReadAllTimer_Timer() {
    Form1& f = m_form;
    const int firstSlot = firstSlotStep(m_profile);
    if (f.SeqStep >= 0 && f.SeqStep < firstSlot + 4) {
        if (f.SeqStep == 0) {
            f.C_Message.setCaption({});
            f.T_Message.setCaption({});
        } else if (f.ReplyFlag == 0) {
            // Abort: the next tick closes the exchange.
            unanswered();
            f.SeqStep = ops::kAbortStep;
            return;
        }
        f.ReplyFlag = 0;
        const int slot = f.SeqStep - firstSlot;
        const bool sent = slot < 0 ? send(f.ReadAllTimer, "/M\r", {"*M"})
                                   : send(f.ReadAllTimer, "/R 0" + std::to_string(slot) + "\r", {"*R"}, slot);
        if (!sent) return;
    } else {
        // Closing step, after the last read or an abort; it sees the reply of the last command.
        closeSequence(f.ReadAllTimer, Fault::Discrepancy);
    }
    ++f.SeqStep;
}

Progress ReadBackExchange::progress() const {
    // The reads and the closing step.
    const int ticks = firstSlotStep(m_profile) + 5;
    const int step = std::min(m_form.SeqStep, ticks - 1);
    const int slot = step - firstSlotStep(m_profile);
    return {step + 1, ticks, slot >= 0 && slot < 4 ? slot : -1};
}

}  // namespace orvane
