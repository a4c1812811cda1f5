#include "apps/orvane/production/ModuleJob.h"

#include "apps/orvane/ledger/TimeText.h"

#include <algorithm>

namespace orvane::cli {

ModuleJob::ModuleJob(Session& session, ModuleRecords& records, std::string port, bool check, int retries,
                     Done done, std::string firstUuid)
    : m_session(session),
      m_records(records),
      m_port(std::move(port)),
      m_check(check),
      m_retries(retries),
      m_done(std::move(done)),
      m_uuid(std::move(firstUuid)) {}

void ModuleJob::start() {
    m_session.run(ExchangeKind::Write, -1, [this](const StepResult& write) { written(write); });
}

void ModuleJob::written(const StepResult& write) {
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
        reportStep(write);
        failed(write, nullptr, write.verdict);
        return;
    }
    writeConfirmed(write);
}

void ModuleJob::writeConfirmed(StepResult write) {
    confirmIdentity(write.outcome.serial, [this, write](std::optional<Verdict> changed) mutable {
        if (changed) write.verdict = *changed;
        reportStep(write);
        if (changed) {
            failed(write, nullptr, *changed);
            return;
        }
        const auto& shortEchoes = write.outcome.echoedShort;
        const bool unseenValues =
            std::find(shortEchoes.begin(), shortEchoes.end(), true) != shortEchoes.end();
        if (!m_check && !unseenValues) {
            passed(write, nullptr);
            return;
        }
        // Reading the channels back confirms every value, also those an echo left out.
        m_session.run(ExchangeKind::Check, -1,
                      [this, write](const StepResult& check) { checked(write, check); });
    });
}

void ModuleJob::unwritten(const StepResult& write) {
    reportStep(write);
    m_started = write.started;
    m_startMs = m_session.loop().now() - write.elapsedMs;
    m_serial = write.outcome.serial;
    finish(write, nullptr, write.verdict);
}

void ModuleJob::checked(const StepResult& write, StepResult check) {
    if (!check.verdict.passed()) {
        reportStep(check);
        failed(write, &check, check.verdict);
        return;
    }
    confirmIdentity(write.outcome.serial, [this, write, check](std::optional<Verdict> changed) mutable {
        if (changed) check.verdict = *changed;
        reportStep(check);
        if (changed)
            failed(write, &check, *changed);
        else
            passed(write, &check);
    });
}

void ModuleJob::confirmIdentity(const std::string& serial,
                                const std::function<void(std::optional<Verdict>)>& then) {
    m_session.run(ExchangeKind::Identity, -1, [this, serial, then](const StepResult& identity) {
        const std::string& now = identity.outcome.serial;
        if (m_aborted || identity.verdict.reason == Reason::PortError) {
            then(identity.verdict);
        } else if (now != serial) {
            then(verdictOf(Reason::ModuleChanged, (now.empty() ? "no module" : now) +
                                                      " answered at the end, " + serial + " at the start"));
        } else {
            then(std::nullopt);
        }
    });
}

void ModuleJob::reportStep(const StepResult& step) {
    if (m_onStep && step.outcome.kind != OutcomeKind::NotAdmitted) m_onStep(step);
}

void ModuleJob::passed(const StepResult& write, const StepResult* check) {
    const std::optional<Verdict> logged = m_records.logPassed(write);
    finish(write, check, logged.value_or(Verdict{}));
}

void ModuleJob::failed(const StepResult& write, const StepResult* check, const Verdict& verdict) {
    const Verdict why = m_aborted ? verdictOf(Reason::Interrupted) : verdict;
    if (!why.retryable() || m_attempt > m_retries) {
        finish(write, check, why);
        return;
    }
    if (const std::optional<Verdict> lost =
            m_records.record({m_uuid, m_port, &write, check, why, m_attempt})) {
        finish(write, check, *lost);
        return;
    }
    m_uuid = ledger::newUuid();  // the next attempt's, before its first byte
    m_lastWrite = write;
    m_lastCheck = check ? std::optional<StepResult>(*check) : std::nullopt;
    m_lastVerdict = why;
    ++m_attempt;
    start();
}

void ModuleJob::finish(const StepResult& write, const StepResult* check, Verdict verdict, bool record) {
    if (m_aborted) verdict = verdictOf(Reason::Interrupted);
    // Asked before this attempt's row goes in, which may be a pass itself.
    const std::optional<ledger::LastPass> before = m_records.passedBefore(write.outcome.serial);
    if (record) {
        if (const std::optional<Verdict> lost =
                m_records.record({m_uuid, m_port, &write, check, verdict, m_attempt}))
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
    if (before)
        report.passedBefore = ledger::localText(before->endMs).substr(0, 16) + " on " + before->station;
    if (m_done) m_done(report);
}

void ModuleJob::abort() {
    m_aborted = true;
    m_session.abort();
}

}  // namespace orvane::cli
