#include "core/ops/ReadBackExchange.h"

#include "core/ops/ExchangeSupport.h"

#include <string>
#include <vector>

namespace orvane {

namespace {

// The read commands in the order the ticks send them: the common parameters first where the
// program has them, then the four flash slots.
std::vector<std::string> readCommands(const Profile& profile) {
    std::vector<std::string> commands;
    if (profile.usesCommonParams) commands.push_back("/M\r");
    for (int slot = 0; slot < 4; ++slot)
        commands.push_back("/R 0" + std::to_string(slot) + "\r");
    return commands;
}

}  // namespace

void ReadBackExchange::ChCheckSW_Click() {
    if (m_form.exchange.running()) return;
    // Green afterwards marks only channels this check confirms. The wait is the time of 70
    // characters: a read waits less than a write.
    ops::startSequence(m_form, m_profile, m_form.ReadAllTimer,
                       ops::replyWait(m_platform.port.settings(), 70));
}

void ReadBackExchange::ReadAllTimer_Timer() {
    Form1& f = m_form;
    const std::vector<std::string> commands = readCommands(m_profile);
    const auto count = static_cast<int>(commands.size());

    if (f.SeqStep >= 0 && f.SeqStep < count) {
        if (f.SeqStep == 0) {
            f.C_Message.setCaption({});
            f.T_Message.setCaption({});
        } else if (f.ReplyFlag == 0) {
            // Abort: the next tick closes the exchange.
            f.SeqStep = ops::kAbortStep;
            return;
        }
        f.ReplyFlag = 0;
        const std::string& command = commands[static_cast<std::size_t>(f.SeqStep)];
        if (!ops::sendOrRecover(m_platform.port, m_link, &f.ReadAllTimer, command)) return;
    } else {
        // Closing step, after the last read or an abort; it sees the reply of the last command.
        f.exchange.end();
        f.EnableSwitches();
        f.ReadAllTimer.setTimerEnabled(false);
        // A reply that came only after the abort still leaves the later channels unread.
        if (f.ReplyFlag == 0 || f.SeqStep == ops::kAbortStep) f.T_Message.setCaption("Not Response!!");
    }
    ++f.SeqStep;
}

}  // namespace orvane
