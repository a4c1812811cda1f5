#include "apps/orvane/production/ProductionLoop.h"

namespace orvane::cli {

ProductionLoop::ProductionLoop(std::string port, Session& session, ModuleRecords& records, Reporter& reporter,
                               int retries, int stopAfter, Line line)
    : m_port(std::move(port)),
      m_session(session),
      m_records(records),
      m_reporter(reporter),
      m_retries(retries),
      m_stopAfter(stopAfter),
      m_line(std::move(line)) {
    m_session.setAdmission(this);
    m_session.setProgress([this](ExchangeKind step, int n, int of, int channel) {
        if (m_job)
            m_reporter.progress(m_port, step, n, of, channel);
        else if (m_onRig && !m_onRigSerial.empty())
            m_reporter.waiting(m_port, m_onRigSerial + " done: take it off");
        else
            m_reporter.waiting(m_port, "waiting for a module");
    });
}

ProductionLoop::~ProductionLoop() {
    m_session.setAdmission(nullptr);
}

void ProductionLoop::start() {
    poll();
}

void ProductionLoop::stopAfterModule() {
    m_stopping = true;
    if (!m_session.running() && !m_job) stop({});
}

void ProductionLoop::abort() {
    m_stopping = true;
    m_aborting = true;
    if (m_job) {
        m_job->abort();
    } else if (m_session.running()) {
        m_session.abort();  // the poll under way: nothing was written
    } else {
        stop({});
    }
}

void ProductionLoop::poll() {
    if (m_stopped) return;
    if (m_stopping) {
        stop({});
        return;
    }
    // The write that finds a module is its first attempt: its name is made before its first byte.
    m_pollUuid = ledger::newUuid();
    m_session.run(ExchangeKind::Write, -1, [this](const StepResult& write) { polled(write); });
}

bool ProductionLoop::admits(const Outcome& identified) {
    if (m_job) return m_job->retrying() && identified.serial == m_job->serial();
    if (m_onRig && sameModule(identified)) return false;
    if (m_stopping || !m_line.reserve()) return false;
    m_job = std::make_unique<ModuleJob>(
        m_session, m_records, m_port, true, m_retries,
        [this](const ModuleReport& report) { concluded(report); }, m_pollUuid);
    return true;
}

void ProductionLoop::polled(const StepResult& write) {
    if (m_job) {
        // The write reached a module the line admitted: the job goes on from it.
        m_job->written(write);
        return;
    }
    const Outcome& o = write.outcome;
    if (o.kind == OutcomeKind::PortFailure) {
        stop(m_aborting ? Verdict{} : write.verdict);
        return;
    }
    const bool answered = !o.version.empty() || !o.serial.empty();
    if (!answered) {
        // Nobody on the rig: the module handled last has been taken off.
        m_onRig = false;
        m_halfSeen.clear();
    } else if (m_onRig && sameModule(o)) {
        // Still the module handled last.
    } else if (o.kind == OutcomeKind::NotAdmitted) {
        // A new module the line has no room for (its --count is full, or it is stopping).
        stop({});
        return;
    } else if ((o.version.empty() || o.serial.empty()) && m_halfSeen != o.version + "/" + o.serial) {
        // Half an identity: a module put on or taken off between the questions, or one that does
        // not give its identity. Only the same half answer twice is a module of its own.
        m_halfSeen = o.version + "/" + o.serial;
    } else {
        unwritten(write);
        return;
    }
    m_session.loop().post(0, [this] { poll(); });
}

void ProductionLoop::probe() {
    if (m_stopped) return;
    if (m_stopping) {
        stop({});
        return;
    }
    m_reporter.waiting(m_port, m_onRigSerial + " done: take it off");
    m_session.run(ExchangeKind::Identity, -1, [this](const StepResult& identity) { probed(identity); });
}

void ProductionLoop::probed(const StepResult& identity) {
    const Outcome& o = identity.outcome;
    if (o.kind == OutcomeKind::PortFailure) {
        stop(m_aborting ? Verdict{} : identity.verdict);
        return;
    }
    if (o.serial == m_onRigSerial) {
        m_unanswered = 0;
        m_session.loop().post(0, [this] { probe(); });
        return;
    }
    // One question left unanswered may be a glitch on the line; two in a row (about 0.4 s without
    // an answer) and the module has been taken off. Another serial number is another module.
    if (o.serial.empty() && ++m_unanswered < 2) {
        m_session.loop().post(0, [this] { probe(); });
        return;
    }
    m_onRig = false;
    m_unanswered = 0;
    m_halfSeen.clear();
    m_session.loop().post(0, [this] { poll(); });
}

void ProductionLoop::unwritten(const StepResult& write) {
    if (m_stopping || !m_line.reserve()) {
        stop({});
        return;
    }
    m_job = std::make_unique<ModuleJob>(
        m_session, m_records, m_port, true, m_retries,
        [this](const ModuleReport& report) { concluded(report); }, m_pollUuid);
    m_job->unwritten(write);
}

bool ProductionLoop::sameModule(const Outcome& answered) const {
    if (!answered.serial.empty()) return answered.serial == m_onRigSerial;
    return m_onRigSerial.empty() && !answered.version.empty();
}

void ProductionLoop::concluded(const ModuleReport& report) {
    // The job may not end inside its own callback: it is let go once the line has the result.
    m_session.loop().post(0, [job = std::shared_ptr<ModuleJob>(std::move(m_job))] {});
    m_onRig = true;
    m_onRigSerial = report.serial;
    m_halfSeen.clear();
    m_unanswered = 0;
    m_failedInARow = report.verdict.passed() ? 0 : m_failedInARow + 1;
    m_line.concluded(report);
    const Verdict& v = report.verdict;
    if (v.reason == Reason::PortError || v.reason == Reason::Interrupted) {
        stop(v.reason == Reason::PortError ? v : Verdict{});
        return;
    }
    if (m_stopAfter > 0 && m_failedInARow >= m_stopAfter) {
        m_reporter.note(m_port + ": stopped after " + std::to_string(m_failedInARow) +
                        " modules in a row failed");
        stop(verdictOf(Reason::LineStopped));
        return;
    }
    // A module that gave its serial number is watched by it; one that did not, by the write.
    if (m_onRigSerial.empty())
        m_session.loop().post(0, [this] { poll(); });
    else
        m_session.loop().post(0, [this] { probe(); });
}

void ProductionLoop::stop(const Verdict& why) {
    if (m_stopped) return;
    m_stopped = true;
    m_session.close();
    m_line.stopped(why);
}

}  // namespace orvane::cli
