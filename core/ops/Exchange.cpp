#include "core/ops/Exchange.h"

#include "core/ops/ExchangeSupport.h"

#include <exception>
#include <string>

namespace orvane {

void Exchange::begin(ExchangeKind kind, Timer& timer, bool keepTestButtons) {
    m_form.outcome.begin(kind);
    m_form.exchange.begin(timer, keepTestButtons);
}

void Exchange::beginSequence(ExchangeKind kind, Timer& timer, int intervalMs) {
    Form1& f = m_form;
    for (std::size_t ch = 0; ch < 4; ++ch) {
        f.ChFrequency[ch].setBackColor(f.ColorWindow);
        if (m_profile.hasStepLabels()) f.ChStep[ch].setBackColor(f.ColorWindow);
    }
    begin(kind, timer);
    f.SeqStep = 0;
    timer.setInterval(intervalMs);
    timer.setTimerEnabled(true);
}

bool Exchange::send(Timer& timer, std::string_view bytes, std::initializer_list<std::string_view> replies,
                    int channel) {
    // The step waits for its reply from the moment the command leaves: the answer can come
    // before the send returns.
    m_form.outcome.await(replies, ops::commandName(bytes), channel);
    bool sent = false;
    try {
        sent = m_port.send(bytes);
    } catch (const std::exception&) {
        sent = false;
    }
    if (!sent) {
        timer.setTimerEnabled(false);
        m_link.recoverFromPortError();
    }
    return sent;
}

bool Exchange::switchRts(Timer* timer, bool on) {
    bool switched = false;
    try {
        switched = m_port.isOpen() && m_port.setRts(on);
    } catch (const std::exception&) {
        switched = false;
    }
    if (!switched) {
        if (timer) timer->setTimerEnabled(false);
        m_link.recoverFromPortError();
    }
    return switched;
}

void Exchange::clearIdentity() {
    Form1& f = m_form;
    for (TextBox* box : {&f.Version, &f.Serial, &f.FactoryDate, &f.FOffsetV}) {
        if (box == &f.FOffsetV && !m_profile.hasOffsetBox()) continue;
        box->setText({});
        box->setBackColor(f.ColorGray);
    }
}

void Exchange::unanswered() {
    OutcomeRecorder& o = m_form.outcome;
    o.unanswered(o.awaitedCommand(), o.awaitedChannel(), m_form.SeqStep);
}

void Exchange::unanswered(Fault shown) {
    const OutcomeRecorder& o = m_form.outcome;
    recordUnanswered(m_form, m_profile, shown, o.awaitedCommand(), o.awaitedChannel());
}

bool Exchange::ownModule() const {
    const std::string& version = m_form.outcome.current().version;
    return !version.empty() && version.front() == m_profile.moduleType;
}

void Exchange::closeSequence(Timer& timer, Fault unconfirmed) {
    Form1& f = m_form;
    f.exchange.end();
    f.EnableSwitches();
    timer.setTimerEnabled(false);
    // An aborted exchange also counts as unanswered when the missing reply came after all, between
    // the abort and this step: the commands after it were never sent.
    // After an abort the step that found no reply has recorded it already: the first failure stays.
    if (f.ReplyFlag == 0 || f.SeqStep == ops::kAbortStep) unanswered(Fault::NoReply);
    const Outcome& o = f.outcome.current();
    if (o.passed() && !o.allConfirmed()) {
        int first = 0;
        while (o.confirmed[static_cast<std::size_t>(first)])
            ++first;
        recordFault(f, m_profile, unconfirmed, first);
    }
    finish();
}

void Exchange::finish() {
    m_form.outcome.end();
}

}  // namespace orvane
