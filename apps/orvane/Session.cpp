#include "apps/orvane/Session.h"

namespace orvane::cli {

Session::Session(App& app, IEventLoop& loop, Timestamp timestamp)
    : m_app(app), m_loop(loop), m_timestamp(std::move(timestamp)) {
    m_app.form().outcome.observe([this](const Outcome& outcome) {
        if (m_running) ended(outcome);
    });
    m_app.setProgressWatcher(this);
}

Session::~Session() {
    m_app.setProgressWatcher(nullptr);
}

void Session::abort() {
    if (m_app.link().portOpen()) m_app.link().recoverFromPortError();
}

void Session::progressed(ExchangeKind exchange, const Progress& where) {
    if (m_running && m_progress && exchange == m_result.step)
        m_progress(exchange, where.step, where.of, where.channel);
}

void Session::run(ExchangeKind step, int channel, std::function<void(const StepResult&)> done) {
    m_result = {};
    m_result.step = step;
    m_result.channel = step == ExchangeKind::Test ? channel : -1;
    m_result.started = m_timestamp();
    m_startMs = m_loop.now();
    m_done = std::move(done);
    m_running = true;
    m_app.startExchange(step, channel);
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
