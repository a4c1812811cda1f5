#include "apps/orvane/CommandRunner.h"

#include "apps/orvane/ChannelInput.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace orvane::cli {

std::string canonicalPort(const std::string& port) {
    std::string upper = port;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    const bool comName =
        upper.size() > 3 && upper.starts_with("COM") &&
        std::all_of(upper.begin() + 3, upper.end(), [](char c) { return c >= '0' && c <= '9'; });
    return comName ? upper : port;
}

CommandRunner::CommandRunner(const Options& options, std::vector<RigParts> rigs, const IPortNaming& naming,
                             PlatformWords words, Reporter& reporter, std::function<void(int)> finished)
    : m_options(options),
      m_rigs(std::move(rigs)),
      m_naming(naming),
      m_words(std::move(words)),
      m_reporter(reporter),
      m_finished(std::move(finished)) {}

std::vector<std::string> CommandRunner::refusals() {
    const Options& o = m_options;
    std::vector<std::string> refused;
    for (RigParts& rig : m_rigs) {
        // The command appends the record itself once the module is confirmed (after the check,
        // where there is one), so the windows' own record at the end of a write stays off. The log
        // file is the program folder's file of that name: the caller makes the folder the log's.
        Form1& f = rig.app.form();
        f.Check1.setValue(0);
        if (!o.logFile.empty()) f.LogFileName.setText(std::filesystem::path(o.logFile).filename().string());
        if (o.command != Command::Info) {
            const auto channels = loadAndJudgeChannels(rig.app, o.channels, o.allowOutOfBand);
            if (&rig == &m_rigs.front()) refused = channels;
        }
    }
    const auto files = m_rigs.front().records.refusals();
    refused.insert(refused.end(), files.begin(), files.end());
    return refused;
}

std::optional<std::string> CommandRunner::portProblem(const std::string& port) const {
    const PortChoice choice = m_naming.parse(canonicalPort(port));
    switch (choice.kind) {
        case PortChoice::Kind::Number:
            return std::nullopt;
        case PortChoice::Kind::Device:
            if (m_naming.deviceExists(choice.device)) return std::nullopt;
            return "no such device";
        case PortChoice::Kind::None:
            break;
    }
    return "names no port: give " + m_words.ports;
}

void CommandRunner::start() {
    const Options& o = m_options;
    if (const auto refused = refusals(); !refused.empty()) {
        m_reporter.refused(refused);
        end(kExitUsage, verdictOf(Reason::InputRefused, refused.front()));
        return;
    }
    // A port text that names nothing must never open whatever port was selected before.
    for (const RigParts& rig : m_rigs) {
        if (const auto problem = portProblem(rig.port)) {
            m_reporter.portNotOpen(rig.port, *problem);
            end(kExitPort, verdictOf(Reason::PortError, rig.port + ": " + *problem));
            return;
        }
    }
    for (RigParts& rig : m_rigs) {
        if (const auto why = rig.session.open(canonicalPort(rig.port))) {
            m_reporter.portNotOpen(rig.port, "cannot be opened: " + *why);
            end(kExitPort, verdictOf(Reason::PortError, rig.port + ": " + *why));
            return;
        }
    }

    RigParts& rig = m_rigs.front();
    switch (o.command) {
        case Command::Run: {
            std::vector<ProductionLine::Rig> rigs;
            for (RigParts& parts : m_rigs)
                rigs.push_back({parts.port, parts.session, parts.records});
            m_line = std::make_unique<ProductionLine>(
                std::move(rigs), m_reporter, o.count, o.retries, o.stopAfter,
                [this](int status, const Verdict& why) { end(status, why); });
            m_line->start();
            return;
        }
        case Command::Write:
            rig.session.setProgress([this, &rig](ExchangeKind step, int n, int of, int channel) {
                m_reporter.progress(rig.port, step, n, of, channel);
            });
            m_job = std::make_unique<ModuleJob>(rig.session, rig.records, rig.port, o.checkAfterWrite,
                                                o.retries, [this, &rig](const ModuleReport& result) {
                                                    if (m_ended) return;
                                                    const Verdict& v = result.verdict;
                                                    if (v.exitStatus() == kExitFile) {
                                                        StepResult write;
                                                        write.outcome.serial = result.serial;
                                                        write.outcome.version = result.version;
                                                        m_reporter.fileFailed(rig.port, v, write);
                                                    }
                                                    end(v.exitStatus(), v);
                                                });
            m_job->setStepReport([this, &rig](const StepResult& step) {
                if (!m_ended && !m_interrupted) m_reporter.step(rig.port, step);
            });
            m_job->start();
            return;
        case Command::Info:
            m_steps = {ExchangeKind::GetInfo};
            break;
        case Command::Test:
            m_steps = {ExchangeKind::GetInfo, ExchangeKind::Test};
            break;
        case Command::Check:
            m_steps = {ExchangeKind::GetInfo, ExchangeKind::Check};
            break;
        case Command::Ports:
        case Command::History:  // answered from the ledger, without a port
        case Command::Report:
        case Command::Sync:  // the line's commands, without a port
        case Command::Line:
            break;
    }
    rig.session.setProgress([this, &rig](ExchangeKind step, int n, int of, int channel) {
        m_reporter.progress(rig.port, step, n, of, channel);
    });
    next();
}

void CommandRunner::next() {
    if (m_next == m_steps.size()) {
        end(kExitSuccess, {});
        return;
    }
    RigParts& rig = m_rigs.front();
    const ExchangeKind step = m_steps[m_next++];
    rig.session.run(step, m_options.channel, [this, &rig](const StepResult& result) {
        if (m_ended) return;
        if (m_interrupted) {
            end(kExitInterrupted, verdictOf(Reason::Interrupted));
            return;
        }
        m_reporter.step(rig.port, result);
        if (result.verdict.passed())
            next();
        else
            end(result.verdict.exitStatus(), result.verdict);
    });
}

void CommandRunner::interrupt() {
    if (m_ended) return;
    if (m_line) {
        m_line->interrupt();
        return;
    }
    m_reporter.note("interrupted");
    m_interrupted = true;
    // Closing the port mid-exchange is its abort; what the module got so far stays with it. A
    // write's job still gives the attempt its record, then the command ends.
    if (m_job) {
        m_job->abort();
        return;
    }
    bool running = false;
    for (RigParts& rig : m_rigs) {
        running = running || rig.session.running();
        rig.session.abort();
    }
    if (!running) end(kExitInterrupted, verdictOf(Reason::Interrupted));
}

void CommandRunner::end(int status, const Verdict& why) {
    if (m_ended) return;
    m_ended = true;
    for (RigParts& rig : m_rigs)
        rig.session.close();
    m_reporter.end(status, why);
    m_finished(status);
}

}  // namespace orvane::cli
