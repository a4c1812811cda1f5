#include "apps/orvane/CommandRunner.h"

#include "apps/orvane/ChannelInput.h"

namespace orvane::cli {

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
    if (o.command != Command::Info) {
        const std::vector<std::string> refused = loadAndJudgeChannels(m_app, o.channels, o.allowOutOfBand);
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
        [this](Step step, int n, int of, int channel) { m_reporter.progress(step, n, of, channel); });

    switch (o.command) {
        case Command::Run:
            m_loop = std::make_unique<ProductionLoop>(m_session, m_reporter, m_after, m_clock.timestamp,
                                                      o.count, [this](int status) { end(status); });
            m_loop->start();
            return;
        case Command::Info:
            m_steps = {Step::Info};
            break;
        case Command::Test:
            m_steps = {Step::Info, Step::Test};
            break;
        case Command::Check:
            m_steps = {Step::Info, Step::Check};
            break;
        case Command::Write:
            m_steps = {Step::Write};
            if (o.checkAfterWrite) m_steps.push_back(Step::Check);
            break;
        case Command::Ports:
            break;
    }
    next();
}

void CommandRunner::next() {
    if (m_next == m_steps.size()) {
        end(0);
        return;
    }
    const Step step = m_steps[m_next++];
    m_session.run(step, m_options.channel, [this](const StepResult& result) {
        m_reporter.step(result);
        switch (result.verdict.outcome) {
            case Outcome::Pass:
                next();
                return;
            case Outcome::Fail:
                end(1);
                return;
            case Outcome::PortError:
                end(3);
                return;
        }
    });
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
