#include "apps/orvane/CommandRunner.h"

#include "apps/orvane/ChannelInput.h"

#include <filesystem>

namespace orvane::cli {

int exitStatus(const Verdict& verdict) {
    switch (verdict.kind) {
        case Verdict::Kind::Pass:
            return 0;
        case Verdict::Kind::Fail:
            return 1;
        case Verdict::Kind::PortError:
            return 3;
        case Verdict::Kind::LogError:
            break;
    }
    return 4;
}

CommandRunner::CommandRunner(const Options& options, App& app, Session& session, Reporter& reporter,
                             After after, Clock clock, std::function<void(int)> finished)
    : m_options(options),
      m_app(app),
      m_session(session),
      m_reporter(reporter),
      m_after(std::move(after)),
      m_clock(std::move(clock)),
      m_finished(std::move(finished)) {}

void CommandRunner::start() {
    const Options& o = m_options;
    // The command appends the record itself once the module is confirmed (after the check, where
    // there is one), so the windows' own record at the end of a write stays off. The log file is
    // the program folder's file of that name: the caller makes the folder the log's own.
    Form1& f = m_app.form();
    f.Check1.setValue(0);
    if (!o.logFile.empty()) f.LogFileName.setText(std::filesystem::path(o.logFile).filename().string());
    if (o.command != Command::Info) {
        std::vector<std::string> refused = loadAndJudgeChannels(m_app, o.channels, o.allowOutOfBand);
        // A log that cannot take the record would lose it after the module was written.
        if (!o.logFile.empty() && !m_app.operationLog().canAppend())
            refused.push_back("--log " + o.logFile +
                              ": cannot be appended to (its folder is missing, or it is write-protected)");
        if (!refused.empty()) {
            m_reporter.refused(refused);
            end(2);
            return;
        }
    }
    if (const auto why = m_session.open(o.port)) {
        m_reporter.portNotOpen(o.port, *why);
        end(3);
        return;
    }
    m_session.setProgress(
        [this](ExchangeKind step, int n, int of, int channel) { m_reporter.progress(step, n, of, channel); });

    switch (o.command) {
        case Command::Run:
            m_loop = std::make_unique<ProductionLoop>(
                m_session, m_reporter, m_after, m_clock.timestamp, o.count,
                [this](const StepResult& write) { return record(write); },
                [this](int status) { end(status); });
            m_loop->start();
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
        case Command::Write:
            m_steps = {ExchangeKind::Write};
            if (o.checkAfterWrite) m_steps.push_back(ExchangeKind::Check);
            break;
        case Command::Ports:
            break;
    }
    next();
}

void CommandRunner::next() {
    if (m_next == m_steps.size()) {
        // Every step passed: a write (checked, when asked) earns its record now.
        if (m_write.step == ExchangeKind::Write) {
            if (const std::optional<Verdict> failed = record(m_write)) {
                m_reporter.logFailed(*failed, m_write);
                end(exitStatus(*failed));
                return;
            }
        }
        end(0);
        return;
    }
    const ExchangeKind step = m_steps[m_next++];
    m_session.run(step, m_options.channel, [this](const StepResult& result) {
        m_reporter.step(result);
        if (result.step == ExchangeKind::Write) m_write = result;
        const int status = exitStatus(result.verdict);
        if (status == 0)
            next();
        else
            end(status);
    });
}

std::optional<Verdict> CommandRunner::record(const StepResult& write) {
    if (m_options.logFile.empty() || m_app.operationLog().appendRecord(write.outcome)) return std::nullopt;
    return logError(m_options.logFile);
}

void CommandRunner::interrupt() {
    if (m_loop) {
        m_loop->stop();
        return;
    }
    m_reporter.note("interrupted");
    // Closing the port mid-exchange is its abort; what the module got so far stays with it.
    if (m_session.running()) m_app.link().recoverFromPortError();
    end(130);
}

void CommandRunner::end(int status) {
    if (m_ended) return;
    m_ended = true;
    m_session.close();
    m_finished(status);
}

}  // namespace orvane::cli
