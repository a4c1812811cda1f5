#include "apps/orvane/production/ProductionLine.h"

#include <algorithm>

namespace orvane::cli {

namespace {

// How bad a rig's end is: a port failure, then a lost record, then a module's fault.
int rank(const Verdict& v) {
    switch (v.exitStatus()) {
        case kExitPort:
            return 3;
        case kExitFile:
            return 2;
        case kExitSuccess:
            return 0;
        default:
            return 1;
    }
}

}  // namespace

ProductionLine::ProductionLine(std::vector<Rig> rigs, Reporter& reporter, int count, int retries,
                               int stopAfter, std::function<void(int, const Verdict&)> finished)
    : m_reporter(reporter), m_count(count), m_finished(std::move(finished)) {
    m_reporter.setRigCount(static_cast<int>(rigs.size()));
    for (std::size_t i = 0; i < rigs.size(); ++i) {
        ProductionLoop::Line line{
            [this] { return reserve(); },
            [this, i](const ModuleReport& report) { concluded(i, report); },
            [this, i](const Verdict& why) { stopped(i, why); },
        };
        m_loops.push_back(std::make_unique<ProductionLoop>(rigs[i].port, rigs[i].session, rigs[i].records,
                                                           reporter, retries, stopAfter, std::move(line)));
        m_tallies.push_back({rigs[i].port, 0, 0, {}});
        m_running.push_back(true);
    }
}

void ProductionLine::start() {
    m_reporter.note("waiting for a module");
    for (const auto& loop : m_loops)
        loop->start();
}

void ProductionLine::interrupt() {
    if (m_ended) return;
    if (++m_interrupts == 1) {
        m_reporter.note("stopping after the modules in hand (interrupt again to abort them)");
        stopAll();
        return;
    }
    m_reporter.note("aborting the modules in hand");
    for (std::size_t i = 0; i < m_loops.size(); ++i)
        if (m_running[i]) m_loops[i]->abort();
}

bool ProductionLine::reserve() {
    if (m_count > 0 && m_started >= m_count) return false;
    ++m_started;
    return true;
}

void ProductionLine::concluded(std::size_t rig, const ModuleReport& handled) {
    ModuleReport report = handled;
    // A serial number that passed before in this run: the same unit again, or a second unit with
    // its label. Either way the line says so.
    report.again =
        !report.serial.empty() && (m_passedSerials.contains(report.serial) || !report.passedBefore.empty());
    if (report.verdict.passed() && !report.serial.empty()) m_passedSerials.insert(report.serial);
    m_reporter.module(report);
    Tally& t = m_tallies[rig];
    if (report.verdict.passed()) {
        ++t.passed;
    } else {
        ++t.failed;
        t.failedSerials.push_back(report.serial);
        if (m_firstFailed.passed()) m_firstFailed = report.verdict;
    }
    ++m_concluded;
    // A lost record stops the line: nothing more is written that could not be accounted for.
    // A port or a record that failed with a module counts towards the line's status as a rig's
    // end does: a port that failed on the last module of --count still makes the status 3.
    if (rank(report.verdict) >= 2 && rank(report.verdict) > rank(m_worst)) m_worst = report.verdict;
    if (report.verdict.exitStatus() == kExitFile) stopAll();
    if (m_count > 0 && m_concluded >= m_count) stopAll();
}

void ProductionLine::stopped(std::size_t rig, const Verdict& why) {
    m_running[rig] = false;
    if (rank(why) > rank(m_worst)) m_worst = why;
    if (std::none_of(m_running.begin(), m_running.end(), [](bool running) { return running; })) end();
}

void ProductionLine::stopAll() {
    for (std::size_t i = 0; i < m_loops.size(); ++i)
        if (m_running[i]) m_loops[i]->stopAfterModule();
}

void ProductionLine::end() {
    if (m_ended) return;
    m_ended = true;
    Tally total;
    for (const Tally& t : m_tallies) {
        total.passed += t.passed;
        total.failed += t.failed;
        total.failedSerials.insert(total.failedSerials.end(), t.failedSerials.begin(), t.failedSerials.end());
    }
    m_reporter.summary(m_tallies, total);
    Verdict why = m_worst;
    if (rank(why) < 1 && total.failed > 0) why = m_firstFailed;
    int status = why.exitStatus();
    if (status == kExitInterrupted) status = kExitModule;  // an aborted module is a failed one
    // A batch of N cut short by an interrupt says so, unless a port or a record failed.
    if (m_interrupts > 0 && m_count > 0 && m_concluded < m_count && status <= kExitModule) {
        status = kExitInterrupted;
        why = verdictOf(Reason::Interrupted);
    }
    m_finished(status, why);
}

}  // namespace orvane::cli
