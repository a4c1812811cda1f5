#pragma once

#include "apps/orvane/CommandLine.h"
#include "apps/orvane/ProductionLoop.h"
#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orvane::cli {

// Runs one command that talks to a module: judges the channels and the log file, opens the port,
// runs the exchanges one after the other (stopping at the first that fails), appends the record
// of a confirmed write, and closes the port again. `finished` gets the exit status: 0 every step
// passed, 1 the module answered wrongly or not at all, 2 the input was refused (nothing was
// sent), 3 the port could not be opened or failed, 4 the record could not be appended to the log.
class CommandRunner {
public:
    CommandRunner(const Options& options, App& app, Session& session, Reporter& reporter, After after,
                  Clock clock, std::function<void(int)> finished);

    void start();
    // Ctrl-C or SIGTERM: the production loop ends with its summary; any other command is aborted
    // at once (the port is closed) and ends with status 130.
    void interrupt();

private:
    void next();
    // The record of a write the module confirmed (and, where asked, the check after it) goes into
    // the log; the failure when it could not.
    std::optional<Verdict> record(const StepResult& write);
    void end(int status);

    const Options& m_options;
    App& m_app;
    Session& m_session;
    Reporter& m_reporter;
    After m_after;
    Clock m_clock;
    std::function<void(int)> m_finished;
    std::vector<ExchangeKind> m_steps;
    std::size_t m_next = 0;
    StepResult m_write;  // the write whose record waits for the check
    std::unique_ptr<ProductionLoop> m_loop;
    bool m_ended = false;
};

// The exit status of a finished exchange's verdict: 0, 1, 3 or 4.
int exitStatus(const Verdict& verdict);

}  // namespace orvane::cli
