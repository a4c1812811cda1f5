#include "apps/orvane/Session.h"

namespace orvane::cli {

Session::Session(App& app, IEventLoop& loop, Timestamp timestamp)
    : m_app(app), m_loop(loop), m_timestamp(std::move(timestamp)) {
    Form1& f = m_app.form();
    f.outcome.observe([this](const Outcome& outcome) {
        if (m_running) ended(outcome);
    });
    // After each tick of a running exchange, where it is, as the exchange counts its steps.
    for (Timer* timer : {&f.GetInfoTimer, &f.TestTimer, &f.ReadAllTimer, &f.WriteAllTimer}) {
        timer->onTick = [this, tick = timer->onTick] {
            if (tick) tick();
            if (!m_running || !m_progress || !m_app.form().outcome.running()) return;
            const Progress p = m_app.progress(m_result.step);
            m_progress(m_result.step, p.step, p.of, p.channel);
        };
    }
}

std::optional<std::string> Session::open(const std::string& port) {
    m_app.form().Combo1.setText(port);
    m_app.link().ComStart_Click();
    if (m_app.link().portOpen()) return std::nullopt;
    return m_app.link().openFailure();
}

void Session::close() {
    if (!m_running && m_app.link().portOpen()) m_app.link().ComStart_Click();
}

void Session::abort() {
    if (m_app.link().portOpen()) m_app.link().recoverFromPortError();
}

void Session::setAdmission(std::function<bool(const Outcome&)> admits) {
    m_app.write().setAdmission(std::move(admits));
}

void Session::run(ExchangeKind step, int channel, std::function<void(const StepResult&)> done) {
    m_result = {};
    m_result.step = step;
    m_result.channel = step == ExchangeKind::Test ? channel : -1;
    m_result.started = m_timestamp();
    m_startMs = m_loop.now();
    m_done = std::move(done);
    m_running = true;
    switch (step) {
        case ExchangeKind::GetInfo:
            m_app.getInfo().GetInfoSW_Click();
            break;
        case ExchangeKind::Test:
            m_app.channelTest().ChTestSW_Click(channel);
            break;
        case ExchangeKind::Check:
            m_app.readBack().ChCheckSW_Click();
            break;
        case ExchangeKind::Write:
            m_app.write().ChWriteSW_Click();
            break;
    }
}

void Session::ended(const Outcome& outcome) {
    m_running = false;
    m_result.outcome = outcome;
    m_result.verdict = verdictOf(outcome);
    m_result.ended = m_timestamp();
    m_result.elapsedMs = m_loop.now() - m_startMs;
    // The exchange's end is still running (its listeners, the rest of its tick): what comes next
    // starts once it is done.
    m_loop.post(0, [result = m_result, done = std::move(m_done)] {
        if (done) done(result);
    });
    m_done = nullptr;
}

}  // namespace orvane::cli
