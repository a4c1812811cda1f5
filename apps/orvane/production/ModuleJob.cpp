#include "apps/orvane/ModuleJob.h"

namespace orvane::cli {

namespace {

// A failure the module's own answer caused, which another attempt may mend.
bool retryable(const Verdict& verdict) {
    switch (verdict.reason) {
        case Reason::None:
        case Reason::PortError:
        case Reason::WrongModuleType:
        case Reason::LogError:
        case Reason::RecordError:
        case Reason::Interrupted:
            return false;
        default:
            return true;
    }
}

}  // namespace

ModuleJob::ModuleJob(Session& session, ModuleRecords& records, std::string port, bool check, int retries,
                     Done done)
    : m_session(session),
      m_records(records),
      m_port(std::move(port)),
      m_check(check),
      m_retries(retries),
      m_done(std::move(done)) {}

void ModuleJob::start() {
    m_session.run(ExchangeKind::Write, -1, [this](const StepResult& write) { written(write); });
}

void ModuleJob::written(const StepResult& write) {
    if (m_onStep && write.outcome.kind != OutcomeKind::NotAdmitted) m_onStep(write);
    if (m_attempt == 1) {
        m_started = write.started;
        m_startMs = m_session.loop().now() - write.elapsedMs;
    }
    if (m_serial.empty()) m_serial = write.outcome.serial;
    if (write.outcome.kind == OutcomeKind::NotAdmitted || (retrying() && write.outcome.serial != m_serial)) {
        // The module tried is gone (nobody answers, or another one does): it ends with its last
        // attempt, which has its record already.
        --m_attempt;
        finish(m_lastWrite, m_lastCheck ? &*m_lastCheck : nullptr, m_lastVerdict, false);
        return;
    }
    if (!write.verdict.passed()) {
        failed(write, nullptr, write.verdict);
        return;
    }
    if (!m_check) {
        finish(write, nullptr, write.verdict);
        return;
    }
    m_session.run(ExchangeKind::Check, -1, [this, write](const StepResult& check) { checked(write, check); });
}

void ModuleJob::unwritten(const StepResult& write) {
    if (m_onStep) m_onStep(write);
    m_started = write.started;
    m_startMs = m_session.loop().now() - write.elapsedMs;
    m_serial = write.outcome.serial;
    finish(write, nullptr, write.verdict);
}

void ModuleJob::checked(const StepResult& write, const StepResult& check) {
    if (m_onStep) m_onStep(check);
    if (!check.verdict.passed()) {
        failed(write, &check, check.verdict);
        return;
    }
    // Only a module the check confirmed goes into the log.
    const std::optional<Verdict> logged = m_records.logPassed(write);
    finish(write, &check, logged.value_or(check.verdict));
}

void ModuleJob::failed(const StepResult& write, const StepResult* check, const Verdict& verdict) {
    const Verdict why = m_aborted ? verdictOf(Reason::Interrupted) : verdict;
    if (!retryable(why) || m_attempt > m_retries) {
        finish(write, check, why);
        return;
    }
    if (const std::optional<Verdict> lost = m_records.record({m_port, &write, check, why, m_attempt})) {
        finish(write, check, *lost);
        return;
    }
    m_lastWrite = write;
    m_lastCheck = check ? std::optional<StepResult>(*check) : std::nullopt;
    m_lastVerdict = why;
    ++m_attempt;
    start();
}

void ModuleJob::finish(const StepResult& write, const StepResult* check, Verdict verdict, bool record) {
    if (m_aborted) verdict = verdictOf(Reason::Interrupted);
    if (record) {
        if (const std::optional<Verdict> lost = m_records.record({m_port, &write, check, verdict, m_attempt}))
            verdict = *lost;
    }
    const StepResult& last = check ? *check : write;
    ModuleReport report{m_port,
                        verdict,
                        write.outcome.serial,
                        write.outcome.version,
                        m_started,
                        last.ended,
                        m_session.loop().now() - m_startMs,
                        m_attempt};
    if (m_done) m_done(report);
}

void ModuleJob::abort() {
    m_aborted = true;
    m_session.abort();
}

}  // namespace orvane::cli
