#include "apps/orvane/ProductionLoop.h"

#include "apps/orvane/CommandRunner.h"

namespace orvane::cli {

ProductionLoop::ProductionLoop(Session& session, Reporter& reporter, After after,
                               std::function<std::string()> timestamp, int count, Record record,
                               std::function<void(int)> finished)
    : m_session(session),
      m_reporter(reporter),
      m_after(std::move(after)),
      m_timestamp(std::move(timestamp)),
      m_count(count),
      m_record(std::move(record)),
      m_finished(std::move(finished)) {}

void ProductionLoop::start() {
    m_reporter.note("waiting for a module");
    poll();
}

void ProductionLoop::stop() {
    m_stopRequested = true;
    if (!m_busyWithModule && !m_session.running()) end(m_failed > 0 ? 1 : 0);
}

void ProductionLoop::poll() {
    if (m_ended) return;
    if (m_stopRequested) {
        end(m_failed > 0 ? 1 : 0);
        return;
    }
    m_session.run(ExchangeKind::GetInfo, -1, [this](const StepResult& info) { polled(info); });
}

void ProductionLoop::polled(const StepResult& info) {
    if (endOnPortError(info)) return;
    if (m_stopRequested) {
        end(m_failed > 0 ? 1 : 0);
        return;
    }
    // A module answers when it sent a version line at all, of either type.
    const std::string& serial = info.outcome.serial;
    const bool answering = !info.outcome.version.empty();
    if (m_waiting == Waiting::ForRemoval) {
        const bool sameModule = answering && (serial.empty() || serial == m_onRig);
        if (sameModule) {
            m_after(kPollPauseMs, [this] { poll(); });
            return;
        }
        m_onRig.clear();
        m_waiting = Waiting::ForModule;
        if (!answering) m_reporter.note("module taken off; waiting for the next one");
    }
    if (!answering) {
        m_after(kPollPauseMs, [this] { poll(); });
        return;
    }
    handle(info);
}

void ProductionLoop::handle(const StepResult& info) {
    m_busyWithModule = true;
    // A module of the other type, or one that gives no identity, is not written.
    if (!info.outcome.passed()) {
        conclude(info, info.verdict, info.verdict.text());
        return;
    }
    m_session.run(ExchangeKind::Write, -1, [this](const StepResult& write) { written(write); });
}

void ProductionLoop::written(const StepResult& write) {
    if (endOnPortError(write)) return;
    if (!write.outcome.passed()) {
        conclude(write, write.verdict, write.verdict.text());
        return;
    }
    m_session.run(ExchangeKind::Check, -1, [this, write](const StepResult& check) {
        if (endOnPortError(check)) return;
        if (!check.outcome.passed()) {
            conclude(write, check.verdict, "check: " + check.verdict.text());
            return;
        }
        // Only a module the check confirmed gets its record.
        if (const std::optional<Verdict> failed = m_record(write)) {
            conclude(write, *failed, failed->text());
            return;
        }
        conclude(write, check.verdict, std::string());
    });
}

void ProductionLoop::conclude(const StepResult& result, const Verdict& verdict, const std::string& reason) {
    const bool passed = verdict.kind == Verdict::Kind::Pass;
    const std::string& serial = result.outcome.serial;
    m_reporter.module(passed, serial, result.outcome.version, reason, m_timestamp());
    if (passed) {
        ++m_passed;
    } else {
        ++m_failed;
        m_failedSerials.push_back(serial);
    }
    m_onRig = serial;
    m_waiting = Waiting::ForRemoval;
    m_busyWithModule = false;
    if (verdict.kind == Verdict::Kind::LogError) {
        end(exitStatus(verdict));
        return;
    }
    if (m_stopRequested || (m_count > 0 && m_passed + m_failed >= m_count)) {
        end(m_failed > 0 ? 1 : 0);
        return;
    }
    m_after(kPollPauseMs, [this] { poll(); });
}

bool ProductionLoop::endOnPortError(const StepResult& result) {
    if (result.verdict.kind != Verdict::Kind::PortError) return false;
    m_reporter.step(result);
    end(3);
    return true;
}

void ProductionLoop::end(int status) {
    if (m_ended) return;
    m_ended = true;
    m_reporter.summary(m_passed, m_failed, m_failedSerials);
    m_finished(status);
}

}  // namespace orvane::cli
